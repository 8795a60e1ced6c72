#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace zeft {

/// The print preview: the pages as they will be printed, zoomed and leafed through, with a
/// button that prints them on the printer the preview was given (after the printer set-up
/// dialog).
class TPrintPreviewDialog {
public:
    /// Draws the pages on the printer handed over: the preview's, or the real one on printing.
    using TPaint = std::function<void(QPrinter& printer)>;
    /// Shows the dialog in place of its modal run, for tests: gets the dialog, set up and not
    /// yet shown, and returns once it is done with it. Empty: the dialog runs modally.
    using TShow = std::function<void(QPrintPreviewDialog& dialog)>;
    static void SetShow(TShow show);

    /// Shows the preview modally over parent. An error raised while drawing is passed on once
    /// the dialog has closed.
    static void Execute(QPrinter& printer, QWidget* parent, const QString& title,
                        const TPaint& paint);
};

} // namespace zeft
