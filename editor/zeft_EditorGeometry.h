#pragma once

// The arithmetic between times of day and pixels that the day rows, their period controls and
// the hour legend share. Plain functions, so that it can be checked with tables of numbers.

#include "zeft_Time.h"

#include <array>

namespace zeft {

/// Rounds to the nearest integer, ties to even: 2.5 gives 2, 3.5 gives 4, -2.5 gives -2.
int RoundHalfEven(double value);

/// The x of time of day t on a row whose 24 hours take pixelsPerDay: Round(pixelsPerDay × t).
int TimeToPixel(TTime t, int pixelsPerDay);
/// The width of the period start..stop: Round((stop − start) × pixelsPerDay). Left edge and
/// width are rounded separately, so neighbouring controls may overlap or part by a pixel.
int PeriodWidth(TTime start, TTime stop, int pixelsPerDay);
/// The time of day at pixel x, unrounded (the model rounds it to its 10-minute mark).
/// 0 when the scale is not positive.
TTime PixelToTime(int x, int pixelsPerDay);

/// The pixels per day of a row: 24 hours take 24/25 of the client width, the last 25th is
/// left for the legend's closing label. Round(clientWidth × 24 / 25).
int RowPixelsPerDay(int clientWidth);
/// Where a control asks to be split: its pixel middle, (width div 2 + left) / pixelsPerDay.
TTime SplitTime(int left, int width, int pixelsPerDay);

/// Height of the hour legend at the bottom of a row: Round(clientHeight − 27 × scale), never
/// negative. The period controls take the rest of the row's height.
int LegendHeight(int rowClientHeight, double scale);

inline constexpr int LegendColumnCount = 25;
/// The sizes of the 25 legend columns on a width of W pixels, with the rounding carried from
/// column to column so that column k ends at Round(W × (k + 1) / 25).
std::array<double, LegendColumnCount> LegendColumnSizes(int width);
/// The pixel edges of the legend columns: column k spans [edges[k], edges[k + 1]).
std::array<int, LegendColumnCount + 1> LegendColumnEdges(int width);

/// The cursor a period control shows for the pointer at x.
enum class TCursorZone {
    Arrow,     ///< the default arrow
    Resize,    ///< the west-east resize arrow: the start edge can be dragged
    Unchanged, ///< keep whatever cursor shows now
};
/// The cursor zone at x (0 = the control's left edge) of a control width pixels wide.
/// Within 12 × scale of the left edge the start can be dragged unless the period starts at
/// 00:00; within 12 × scale of the right edge the cursor stays as it is; elsewhere, and
/// while the control is being dragged away, it is the arrow.
TCursorZone CursorZoneAt(int x, int width, bool startsAtMidnight, bool dragging, double scale);

/// The left edge during a start-edge drag with the pointer at x: the edge follows the pointer
/// to the pixel, but not left of 0 and not past the control's right edge.
int DraggedLeft(int left, int x, int right);

/// The start that a start-edge drag with the edge at left hands the model: the time at that
/// pixel, but never later than 10 minutes before the period's stop. So no drag ever passes
/// 24:00, which the model takes as the removal of a day's last period.
TTime DraggedStart(int left, int pixelsPerDay, TTime stop);

/// Whether a pointer that went from press to pos has moved far enough to start a drag.
bool PassedDragThreshold(int pressX, int pressY, int x, int y, int threshold);

} // namespace zeft
