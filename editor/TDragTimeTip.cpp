#include "TDragTimeTip.h"

#include "zeft_DisplayScale.h"

namespace zeft {

TDragTimeTip::TDragTimeTip(QWidget* owner) : QLabel(owner, Qt::ToolTip) {
    setObjectName(QStringLiteral("DragTimeTip"));
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMargin(ScaledPixels(2));
    setTextFormat(Qt::PlainText);
    // It must never take the mouse or the keyboard from the drag.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

QPoint TDragTimeTip::OffsetFromPointer() {
    // Below and right of the arrow, as the system's tool tips sit.
    return {ScaledPixels(12), ScaledPixels(20)};
}

void TDragTimeTip::ShowAt(QPoint globalPos, const QString& text) {
    if (this->text() != text) {
        setText(text);
        adjustSize();
    }
    move(globalPos + OffsetFromPointer());
    if (!isVisible())
        show();
}

} // namespace zeft
