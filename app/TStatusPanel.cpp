#include "TStatusPanel.h"

#include <QEvent>
#include <QPainter>

namespace zeft {

TStatusPanel::TStatusPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
}

void TStatusPanel::setText(const QString& text) {
    FText = text;
    setAccessibleName(text);
    Elide();
}

void TStatusPanel::SetIndent(int pixels) {
    FIndent = std::max(0, pixels);
    Elide();
}

QSize TStatusPanel::sizeHint() const {
    const int frame = 2 * frameWidth();
    return {fontMetrics().horizontalAdvance(FText) + FIndent + frame,
            fontMetrics().height() + frame};
}

QSize TStatusPanel::minimumSizeHint() const {
    return {0, fontMetrics().height() + 2 * frameWidth()};
}

void TStatusPanel::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Elide();
}

void TStatusPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(TextRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FShownText);
}

void TStatusPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    Elide();
}

QRect TStatusPanel::TextRect() const {
    return contentsRect().adjusted(FIndent, 0, 0, 0);
}

void TStatusPanel::Elide() {
    FShownText = fontMetrics().elidedText(FText, Qt::ElideRight, std::max(0, TextRect().width()));
    // Only a cut text needs its whole form in the tooltip.
    setToolTip(FShownText == FText ? QString() : FText);
    update();
}

} // namespace zeft
