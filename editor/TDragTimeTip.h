#pragma once

#include <QLabel>

namespace zeft {

/// The time a dragged start edge will snap to, in a small tool-tip window beside the pointer
/// that follows it while the edge moves.
class TDragTimeTip : public QLabel {
    Q_OBJECT

public:
    /// A tool-tip window owned by the dragging control.
    explicit TDragTimeTip(QWidget* owner);

    /// Shows text just below and right of the pointer at globalPos (screen coordinates).
    void ShowAt(QPoint globalPos, const QString& text);
    /// Where the tip goes for a pointer at globalPos.
    static QPoint OffsetFromPointer();
};

} // namespace zeft
