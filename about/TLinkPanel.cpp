#include "TLinkPanel.h"

#include <QMouseEvent>

namespace zeft {

TLinkPanel::TLinkPanel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    setPalette(palette);
}

void TLinkPanel::SetCaption(const QString& caption) {
    setText(caption);
    if (caption.isEmpty())
        unsetCursor();
    else
        setCursor(Qt::PointingHandCursor);
}

void TLinkPanel::mousePressEvent(QMouseEvent* event) {
    FPressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TLinkPanel::mouseReleaseEvent(QMouseEvent* event) {
    // Like a button: the click counts where it ends, so the user can still slide off.
    const bool clicked = FPressed && event->button() == Qt::LeftButton &&
                         rect().contains(event->position().toPoint());
    FPressed = false;
    QLabel::mouseReleaseEvent(event);
    if (clicked && OnClick)
        OnClick();
}

} // namespace zeft
