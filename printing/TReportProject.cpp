#include "TReportProject.h"

#include "TReportDataConnection.h"
#include "TReportError.h"
#include "TReportLayoutReader.h"
#include "TReportPainter.h"
#include "TReportSystem.h"

namespace zeft {

TReportProject::TReportProject(const QString& projectFile)
    : FProjectFile(projectFile), FLayout(ReadReportProjectFile(projectFile)) {}

void TReportProject::AddConnection(TReportDataConnection& connection) {
    FConnections[connection.Name()] = &connection;
}

bool TReportProject::SelectReport(const QString& fullName) {
    const TReport* report = FLayout.FindReport(fullName);
    if (!report)
        return false;
    FSelected = report;
    return true;
}

void TReportProject::SetParam(const QString& name, const QString& value) {
    FParameters[name] = value;
}

QString TReportProject::Param(const QString& name) const {
    const auto found = FParameters.find(name);
    return found == FParameters.end() ? QString() : found->second;
}

TReportDocument TReportProject::Compose() {
    if (!FSelected)
        throw TReportError(QStringLiteral("%1: no report is selected to print")
                               .arg(FProjectFile)
                               .toUtf8()
                               .toStdString());
    return ComposeReport(FLayout, *FSelected, FConnections, FParameters);
}

void TReportProject::Execute(TReportSystem& system) {
    Execute(system.Printer());
}

void TReportProject::Execute(QPrinter& printer) {
    // The whole report is composed before the printer starts, so a fault in the data leaves no
    // half-printed job behind.
    const TReportDocument document = Compose();
    PaintReport(document, FLayout, printer);
}

} // namespace zeft
