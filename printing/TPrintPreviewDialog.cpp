#include "TPrintPreviewDialog.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <exception>

namespace zeft {

namespace {

TPrintPreviewDialog::TShow& Show() {
    static TPrintPreviewDialog::TShow show;
    return show;
}

} // namespace

void TPrintPreviewDialog::SetShow(TShow show) {
    Show() = std::move(show);
}

void TPrintPreviewDialog::Execute(QPrinter& printer, QWidget* parent, const QString& title,
                                  const TPaint& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    // An exception must not unwind through the dialog's signal delivery: it is kept and
    // raised again after the dialog has returned. The first one wins.
    std::exception_ptr failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        try {
            paint(*target);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    });
    if (Show())
        Show()(dialog);
    else
        dialog.exec();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace zeft
