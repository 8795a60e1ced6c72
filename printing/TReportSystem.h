#pragma once

#include <QString>
#include <memory>

class QPrinter;

namespace zeft {

/// Where reports go: straight to a printer, without a set-up, preview or status window.
class TReportSystem {
public:
    /// Starts with the system's default printer (a PDF writer without a file when there is none).
    TReportSystem();
    ~TReportSystem();

    /// The printer reports are printed on. Callers may configure it, e.g. to write a PDF file.
    QPrinter& Printer() { return *FPrinter; }

    /// Makes the installed printer of that name the current one. Returns false and leaves the
    /// current printer as it is when no printer has that name.
    bool SelectPrinter(const QString& name);

    /// The title of the print job, as print queues and PDF readers show it.
    void SetJobTitle(const QString& title);
    QString JobTitle() const;

private:
    std::unique_ptr<QPrinter> FPrinter;
};

} // namespace zeft
