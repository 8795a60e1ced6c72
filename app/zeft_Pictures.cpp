#include "zeft_Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace zeft {

namespace {

QPixmap Canvas(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap RadiatorPicture(int size) {
    QPixmap pixmap = Canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    // heat waves above a radiator with six ribs
    p.setPen(QPen(QColor(0xFF, 0x4D, 0x00), 2.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const double x = 14 + i * 10;
        wave.moveTo(x, 16);
        wave.cubicTo(x - 4, 12, x + 4, 9, x, 4);
        p.drawPath(wave);
    }
    const QColor rib(0xE8, 0xEC, 0xF2), edge(0x5A, 0x64, 0x78);
    p.setPen(QPen(edge, 1.2));
    p.setBrush(rib);
    p.drawRoundedRect(QRectF(5, 24, 38, 5), 2, 2);
    for (int i = 0; i < 6; ++i)
        p.drawRoundedRect(QRectF(7 + i * 6, 20, 5, 24), 2.5, 2.5);
    p.setBrush(edge);
    p.drawRect(QRectF(9, 44, 3, 3));
    p.drawRect(QRectF(36, 44, 3, 3));
    return pixmap;
}

QPixmap TrashCanPicture(int size) {
    QPixmap pixmap = Canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const QColor body(0x6B, 0x74, 0x85), light(0xC9, 0xCF, 0xD8);
    p.setPen(QPen(body, 1.5));
    p.setBrush(light);
    QPainterPath basket;
    basket.moveTo(8, 9);
    basket.lineTo(24, 9);
    basket.lineTo(22, 29);
    basket.lineTo(10, 29);
    basket.closeSubpath();
    p.drawPath(basket);
    for (double x : {12.5, 16.0, 19.5})
        p.drawLine(QPointF(x, 12), QPointF(x + (x - 16) * 0.15, 26));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(6, 5.5, 20, 3), 1.2, 1.2);
    p.drawRoundedRect(QRectF(13, 3, 6, 2.5), 1, 1);
    return pixmap;
}

QPixmap TransmitPicture(int size) {
    QPixmap pixmap = Canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const QColor blue(0x18, 0x34, 0x73);
    p.setPen(QPen(blue, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 14), QPointF(16, 29));
    p.drawLine(QPointF(11, 29), QPointF(21, 29));
    p.setBrush(blue);
    p.drawEllipse(QPointF(16, 12), 2.4, 2.4);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
        const QRectF arc(16 - 5.5 * i, 12 - 5.5 * i, 11.0 * i, 11.0 * i);
        p.drawArc(arc, -40 * 16, 80 * 16);
        p.drawArc(arc, 140 * 16, 80 * 16);
    }
    return pixmap;
}

QPixmap ExitPicture(int size) {
    QPixmap pixmap = Canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const QColor frame(0x5A, 0x64, 0x78), arrow(0xC7, 0x00, 0x18);
    p.setPen(QPen(frame, 2));
    p.setBrush(QColor(0xE8, 0xEC, 0xF2));
    p.drawRect(QRectF(5, 4, 14, 24));
    p.setPen(QPen(arrow, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(13, 16), QPointF(28, 16));
    p.drawLine(QPointF(23, 11), QPointF(28, 16));
    p.drawLine(QPointF(23, 21), QPointF(28, 16));
    return pixmap;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(RadiatorPicture(size));
    return icon;
}

} // namespace zeft
