#include "TReportSystem.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace zeft {

TReportSystem::TReportSystem() : FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TReportSystem::~TReportSystem() = default;

bool TReportSystem::SelectPrinter(const QString& name) {
    if (name.isEmpty() || QPrinterInfo::printerInfo(name).isNull())
        return false;
    FPrinter->setPrinterName(name);
    return true;
}

void TReportSystem::SetJobTitle(const QString& title) {
    FPrinter->setDocName(title);
}

QString TReportSystem::JobTitle() const {
    return FPrinter->docName();
}

} // namespace zeft
