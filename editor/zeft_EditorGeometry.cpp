#include "zeft_EditorGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zeft {

int RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    return static_cast<int>(rounded);
}

int TimeToPixel(TTime t, int pixelsPerDay) {
    return RoundHalfEven(pixelsPerDay * t);
}

int PeriodWidth(TTime start, TTime stop, int pixelsPerDay) {
    return RoundHalfEven((stop - start) * pixelsPerDay);
}

TTime PixelToTime(int x, int pixelsPerDay) {
    if (pixelsPerDay <= 0)
        return Midnight;
    return static_cast<double>(x) / pixelsPerDay;
}

int RowPixelsPerDay(int clientWidth) {
    return RoundHalfEven(static_cast<double>(clientWidth * 24) / 25.0);
}

TTime SplitTime(int left, int width, int pixelsPerDay) {
    return PixelToTime(width / 2 + left, pixelsPerDay);
}

int LegendHeight(int rowClientHeight, double scale) {
    return std::max(0, RoundHalfEven(rowClientHeight - 27.0 * scale));
}

std::array<double, LegendColumnCount> LegendColumnSizes(int width) {
    std::array<double, LegendColumnCount> sizes{};
    double reached = 0.0;
    for (int k = 0; k < LegendColumnCount; ++k) {
        const double size = static_cast<double>(width) * (k + 1) / LegendColumnCount - reached;
        sizes[static_cast<size_t>(k)] = size;
        reached = RoundHalfEven(reached + size);
    }
    return sizes;
}

std::array<int, LegendColumnCount + 1> LegendColumnEdges(int width) {
    std::array<int, LegendColumnCount + 1> edges{};
    const auto sizes = LegendColumnSizes(width);
    int reached = 0;
    for (int k = 0; k < LegendColumnCount; ++k) {
        reached = RoundHalfEven(reached + sizes[static_cast<size_t>(k)]);
        edges[static_cast<size_t>(k) + 1] = reached;
    }
    return edges;
}

TCursorZone CursorZoneAt(int x, int width, bool startsAtMidnight, bool dragging, double scale) {
    const double zone = 12.0 * scale;
    if (dragging)
        return TCursorZone::Arrow;
    if (x < zone)
        return startsAtMidnight ? TCursorZone::Unchanged : TCursorZone::Resize;
    if (width - x >= zone)
        return TCursorZone::Arrow;
    return TCursorZone::Unchanged;
}

int DraggedLeft(int left, int x, int right) {
    return std::clamp(left + x, 0, std::max(0, right));
}

TTime DraggedStart(int left, int pixelsPerDay, TTime stop) {
    return std::min(PixelToTime(left, pixelsPerDay), stop - TenMinutes);
}

bool PassedDragThreshold(int pressX, int pressY, int x, int y, int threshold) {
    return std::abs(x - pressX) >= threshold || std::abs(y - pressY) >= threshold;
}

} // namespace zeft
