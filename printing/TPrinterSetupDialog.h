#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace zeft {

/// The printer set-up dialog: the user picks the printer (and its options) for the next print.
/// The dialog edits the printer it is given, usually the report system's.
class TPrinterSetupDialog {
public:
    /// Answers in place of the dialog, for tests and scripted runs: receives the printer the
    /// dialog would edit and returns true for OK, false for Cancel. Empty: the real dialog.
    using TAnswer = std::function<bool(QPrinter& printer)>;
    static void SetAnswer(TAnswer answer);

    explicit TPrinterSetupDialog(QPrinter& printer) : FPrinter(printer) {}

    /// Shows the dialog modally over parent; true when the user confirmed.
    bool Execute(QWidget* parent);

    /// The name of the printer the dialog made current; empty when the user chose to print to
    /// a file instead of a printer.
    QString PrinterName() const;

private:
    QPrinter& FPrinter;
};

} // namespace zeft
