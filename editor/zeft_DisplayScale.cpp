#include "zeft_DisplayScale.h"

#include "zeft_EditorGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace zeft {

namespace {
double GDisplayScale = 1.0;
}

double DisplayScale() {
    return GDisplayScale;
}

void InitDisplayScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 0.0;
    SetDisplayScale(dpi / 96.0);
}

void SetDisplayScale(double scale) {
    // A screen without a usable resolution is drawn at the design size.
    GDisplayScale = std::isfinite(scale) && scale > 0.0 ? scale : 1.0;
}

int ScaledPixels(double pixels) {
    return RoundHalfEven(pixels * GDisplayScale);
}

} // namespace zeft
