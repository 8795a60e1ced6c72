// Draws the program's logo OEMLogo.png (600 x 166 pixels, 24 bits per pixel): a radiator giving
// off heat on a night-blue ground, the product name, and a strip in the colours the editor
// gives temperatures from cold to warm.
//
// Usage: zeft_logo_generator OUTPUT.png
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Width = 600;
constexpr int Height = 166;
constexpr int StripHeight = 8;

QFont LogoFont(int pixelSize, int weight) {
    QFont font;
    for (const char* family : {"Liberation Sans", "Arial", "DejaVu Sans"}) {
        if (QFontDatabase::families().contains(QLatin1String(family))) {
            font.setFamily(QLatin1String(family));
            break;
        }
    }
    font.setPixelSize(pixelSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void DrawGround(QPainter& painter) {
    QLinearGradient ground(0, 0, Width, Height);
    ground.setColorAt(0.0, QColor(16, 38, 86));
    ground.setColorAt(1.0, QColor(9, 22, 52));
    painter.fillRect(QRect(0, 0, Width, Height - StripHeight), ground);

    // The warmth of the radiator lights the ground around it.
    QRadialGradient glow(QPointF(105, 92), 120);
    glow.setColorAt(0.0, QColor(255, 110, 40, 110));
    glow.setColorAt(1.0, QColor(255, 110, 40, 0));
    painter.fillRect(QRect(0, 0, 260, Height - StripHeight), glow);

    // Cold to warm, as the period controls show temperatures.
    QLinearGradient strip(0, 0, Width, 0);
    strip.setColorAt(0.00, QColor(24, 52, 115));
    strip.setColorAt(0.25, QColor(89, 172, 255));
    strip.setColorAt(0.55, QColor(255, 77, 0));
    strip.setColorAt(0.80, QColor(255, 0, 0));
    strip.setColorAt(1.00, QColor(199, 0, 24));
    painter.fillRect(QRect(0, Height - StripHeight, Width, StripHeight), strip);
}

void DrawRadiator(QPainter& painter) {
    const int fins = 6;
    const double finWidth = 16;
    const double gap = 5;
    const double left = 44;
    const double top = 58;
    const double finHeight = 78;
    const double right = left + fins * finWidth + (fins - 1) * gap;

    QLinearGradient metal(0, top, 0, top + finHeight);
    metal.setColorAt(0.0, QColor(255, 150, 70));
    metal.setColorAt(0.5, QColor(236, 72, 24));
    metal.setColorAt(1.0, QColor(180, 30, 20));

    painter.setPen(Qt::NoPen);
    // The pipes that join the fins at the top and the bottom, and the feet.
    painter.setBrush(QColor(150, 28, 22));
    painter.drawRoundedRect(QRectF(left - 4, top + 8, right - left + 8, 8), 3, 3);
    painter.drawRoundedRect(QRectF(left - 4, top + finHeight - 16, right - left + 8, 8), 3, 3);
    painter.drawRect(QRectF(left + 6, top + finHeight, 6, 9));
    painter.drawRect(QRectF(right - 12, top + finHeight, 6, 9));

    for (int i = 0; i < fins; ++i) {
        const double x = left + i * (finWidth + gap);
        painter.setBrush(metal);
        painter.drawRoundedRect(QRectF(x, top, finWidth, finHeight), 7, 7);
        // A highlight along each fin makes it round.
        QLinearGradient shine(x, 0, x + finWidth, 0);
        shine.setColorAt(0.0, QColor(255, 255, 255, 0));
        shine.setColorAt(0.35, QColor(255, 230, 200, 120));
        shine.setColorAt(0.6, QColor(255, 255, 255, 0));
        painter.setBrush(shine);
        painter.drawRoundedRect(QRectF(x + 2, top + 4, finWidth - 4, finHeight - 8), 5, 5);
    }

    // The thermostatic valve on the right.
    painter.setBrush(QColor(226, 230, 238));
    painter.drawRoundedRect(QRectF(right + 2, top + finHeight - 22, 12, 10), 2, 2);
    painter.drawRoundedRect(QRectF(right + 12, top + finHeight - 40, 16, 34), 6, 6);
    painter.setBrush(QColor(180, 186, 198));
    for (int i = 0; i < 4; ++i)
        painter.drawRect(QRectF(right + 14, top + finHeight - 35 + i * 7, 12, 2));
}

void DrawHeatWaves(QPainter& painter) {
    for (int i = 0; i < 3; ++i) {
        const double x = 62 + i * 36;
        QPainterPath wave(QPointF(x, 50));
        for (int step = 1; step <= 12; ++step) {
            const double y = 50 - step * 3.3;
            const double dx = 5.5 * std::sin(step * 0.75);
            wave.lineTo(x + dx, y);
        }
        QLinearGradient fade(0, 50, 0, 10);
        fade.setColorAt(0.0, QColor(255, 170, 90, 230));
        fade.setColorAt(1.0, QColor(255, 220, 160, 0));
        QPen pen(QBrush(fade), 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);
    }
}

void DrawName(QPainter& painter) {
    const double left = 212;
    painter.setPen(QColor(255, 255, 255));
    painter.setFont(LogoFont(38, QFont::Bold));
    painter.drawText(QPointF(left, 78), QStringLiteral("Heating Controller"));
    painter.setPen(QColor(255, 176, 120));
    painter.setFont(LogoFont(27, QFont::Normal));
    painter.drawText(QPointF(left, 114), QStringLiteral("Configuration Software"));
    // A thin rule between name and strip, in the warm colour of the radiator.
    painter.setPen(QPen(QColor(255, 120, 60, 160), 1.5));
    painter.drawLine(QPointF(left, 132), QPointF(Width - 28, 132));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QImage image(Width, Height, QImage::Format_RGB888);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawGround(painter);
    DrawHeatWaves(painter);
    DrawRadiator(painter);
    DrawName(painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
