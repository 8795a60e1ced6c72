#pragma once

#include "TReportComposer.h"
#include "TReportLayout.h"

#include <QString>

class QPrinter;

namespace zeft {

class TReportDataConnection;
class TReportSystem;

/// A report project: the stored layout of its reports, the data connections that feed them, the
/// report chosen to run and its parameters.
class TReportProject {
public:
    /// Reads the project from the file (usually one compiled into the program, ":/...").
    /// Throws TReportError when it is missing or faulty.
    explicit TReportProject(const QString& projectFile);

    const QString& ProjectFile() const { return FProjectFile; }
    const TReportProjectLayout& Layout() const { return FLayout; }

    /// Lets the project's data views read from the connection; the caller keeps ownership and
    /// keeps the connection alive as long as the project.
    void AddConnection(TReportDataConnection& connection);

    /// Selects the report of that name. Returns false, leaving the selection, when there is none.
    bool SelectReport(const QString& fullName);
    const TReport* SelectedReport() const { return FSelected; }

    void SetParam(const QString& name, const QString& value);
    /// The value last set; empty for a parameter never set.
    QString Param(const QString& name) const;

    /// Runs the selected report through its data connections. Throws TReportError when no report
    /// is selected or the data does not fit the layout.
    TReportDocument Compose();
    /// Composes the selected report and prints it on the system's printer.
    void Execute(TReportSystem& system);
    /// The same on another printer: a PDF file, the printer of a print preview.
    void Execute(QPrinter& printer);

private:
    QString FProjectFile;
    TReportProjectLayout FLayout;
    TReportConnections FConnections;
    TReportParameters FParameters;
    const TReport* FSelected = nullptr;
};

} // namespace zeft
