#include "TPrinterSetupDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace zeft {

namespace {

TPrinterSetupDialog::TAnswer& Answer() {
    static TPrinterSetupDialog::TAnswer answer;
    return answer;
}

} // namespace

void TPrinterSetupDialog::SetAnswer(TAnswer answer) {
    Answer() = std::move(answer);
}

bool TPrinterSetupDialog::Execute(QWidget* parent) {
    if (Answer())
        return Answer()(FPrinter);
    QPrintDialog dialog(&FPrinter, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString TPrinterSetupDialog::PrinterName() const {
    return FPrinter.outputFormat() == QPrinter::NativeFormat ? FPrinter.printerName() : QString();
}

} // namespace zeft
