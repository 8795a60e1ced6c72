#include "zeft_EditorGeometry.h"

#include <gtest/gtest.h>
#include <numeric>

namespace zeft {
namespace {

struct TRoundCase {
    double Value;
    int Expected;
};

class RoundHalfEvenTest : public ::testing::TestWithParam<TRoundCase> {};

TEST_P(RoundHalfEvenTest, RoundsTiesToEven) {
    EXPECT_EQ(RoundHalfEven(GetParam().Value), GetParam().Expected) << GetParam().Value;
}

INSTANTIATE_TEST_SUITE_P(Table, RoundHalfEvenTest,
                         ::testing::Values(TRoundCase{2.5, 2}, TRoundCase{3.5, 4},
                                           TRoundCase{0.5, 0}, TRoundCase{1.5, 2},
                                           TRoundCase{118.5, 118}, TRoundCase{2.4999, 2},
                                           TRoundCase{2.5001, 3}, TRoundCase{-2.5, -2},
                                           TRoundCase{-3.5, -4}, TRoundCase{-0.4, 0},
                                           TRoundCase{16.0, 16}, TRoundCase{19.76, 20}));

struct TPlacementCase {
    int StartMinutes;
    int StopMinutes;
    int PixelsPerDay;
    int Left;
    int Width;
};

class PeriodPlacementTest : public ::testing::TestWithParam<TPlacementCase> {};

TEST_P(PeriodPlacementTest, LeftAndWidthAreRoundedSeparately) {
    const TPlacementCase& c = GetParam();
    const TTime start = c.StartMinutes / MinutesPerDay;
    const TTime stop = c.StopMinutes / MinutesPerDay;
    EXPECT_EQ(TimeToPixel(start, c.PixelsPerDay), c.Left);
    EXPECT_EQ(PeriodWidth(start, stop, c.PixelsPerDay), c.Width);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PeriodPlacementTest,
    ::testing::Values(TPlacementCase{0, 1440, 474, 0, 474},
                      // 06:00-22:00 on the design row: 118.5 rounds to 118, 316 wide.
                      TPlacementCase{360, 1320, 474, 118, 316},
                      TPlacementCase{370, 1320, 474, 122, 313},
                      TPlacementCase{1380, 1440, 474, 454, 20},
                      TPlacementCase{360, 390, 474, 118, 10}, TPlacementCase{0, 10, 474, 0, 3},
                      TPlacementCase{720, 1440, 480, 240, 240},
                      TPlacementCase{360, 1320, 0, 0, 0}));

struct TRowScaleCase {
    int ClientWidth;
    int PixelsPerDay;
};

class RowPixelsPerDayTest : public ::testing::TestWithParam<TRowScaleCase> {};

TEST_P(RowPixelsPerDayTest, TakesTwentyFourTwentyFifths) {
    EXPECT_EQ(RowPixelsPerDay(GetParam().ClientWidth), GetParam().PixelsPerDay);
}

INSTANTIATE_TEST_SUITE_P(Table, RowPixelsPerDayTest,
                         ::testing::Values(TRowScaleCase{494, 474}, TRowScaleCase{500, 480},
                                           TRowScaleCase{0, 0}, TRowScaleCase{25, 24},
                                           // 13 × 24 / 25 = 12.48, 38 × 24 / 25 = 36.48
                                           TRowScaleCase{13, 12}, TRowScaleCase{38, 36},
                                           // 501 × 24 / 25 = 480.96, 26 × 24 / 25 = 24.96:
                                           // rounded, not truncated
                                           TRowScaleCase{501, 481}, TRowScaleCase{26, 25},
                                           TRowScaleCase{802, 770}, TRowScaleCase{1000, 960}));

TEST(SplitTimeTest, UsesThePixelMiddleNotThePeriodMiddle) {
    // 06:00-22:00 at 474: left 118, width 316, (158 + 118) / 474 = 0.58228 (13:58).
    EXPECT_NEAR(SplitTime(118, 316, 474), 276.0 / 474.0, 1e-12);
    EXPECT_EQ(MinutesOf(SplitTime(118, 316, 474)), 838);
    // width div 2 truncates: an odd width loses its half pixel.
    EXPECT_NEAR(SplitTime(10, 5, 100), 0.12, 1e-12);
    EXPECT_EQ(SplitTime(10, 5, 0), 0.0);
}

TEST(PixelToTimeTest, IsUnroundedDivision) {
    EXPECT_NEAR(PixelToTime(124, 474), 124.0 / 474.0, 1e-15);
    EXPECT_EQ(PixelToTime(0, 474), 0.0);
    EXPECT_EQ(PixelToTime(474, 474), 1.0);
    EXPECT_EQ(PixelToTime(50, 0), 0.0);
}

struct TLegendHeightCase {
    int RowHeight;
    double Scale;
    int LegendHeight;
};

class LegendHeightTest : public ::testing::TestWithParam<TLegendHeightCase> {};

TEST_P(LegendHeightTest, LeavesTwentySevenScaledPixelsForTheControls) {
    const auto& c = GetParam();
    EXPECT_EQ(LegendHeight(c.RowHeight, c.Scale), c.LegendHeight);
}

INSTANTIATE_TEST_SUITE_P(Table, LegendHeightTest,
                         ::testing::Values(TLegendHeightCase{43, 1.0, 16},
                                           TLegendHeightCase{27, 1.0, 0},
                                           TLegendHeightCase{10, 1.0, 0},
                                           TLegendHeightCase{64, 1.5, 24}, // 64 - 40.5 = 23.5
                                           TLegendHeightCase{86, 2.0, 32},
                                           TLegendHeightCase{54, 1.25, 20})); // 54 - 33.75

TEST(LegendColumnsTest, CarriesTheRoundingFromColumnToColumn) {
    const auto sizes = LegendColumnSizes(494);
    EXPECT_NEAR(sizes[0], 19.76, 1e-9);
    EXPECT_NEAR(sizes[1], 19.52, 1e-9);
    EXPECT_NEAR(sizes[2], 19.28, 1e-9);
    const auto edges = LegendColumnEdges(494);
    EXPECT_EQ(edges[0], 0);
    EXPECT_EQ(edges[1], 20);
    EXPECT_EQ(edges[2], 40);
    EXPECT_EQ(edges[3], 59);
    EXPECT_EQ(edges[25], 494);
}

class LegendColumnEdgesTest : public ::testing::TestWithParam<int> {};

TEST_P(LegendColumnEdgesTest, ColumnKEndsAtRoundedKPlusOneTwentyFifths) {
    const int width = GetParam();
    const auto edges = LegendColumnEdges(width);
    const auto sizes = LegendColumnSizes(width);
    for (int k = 0; k < LegendColumnCount; ++k) {
        EXPECT_EQ(edges[static_cast<size_t>(k) + 1],
                  RoundHalfEven(static_cast<double>(width) * (k + 1) / 25.0))
            << "column " << k << " of width " << width;
        EXPECT_GE(edges[static_cast<size_t>(k) + 1], edges[static_cast<size_t>(k)]);
    }
    EXPECT_NEAR(std::accumulate(sizes.begin(), sizes.end(), 0.0), width, 1e-6);
    // Hour k of the row lies on the left edge of column k, give or take the row's rounding.
    const int pixelsPerDay = RowPixelsPerDay(width);
    for (int k = 0; k <= 24; ++k)
        EXPECT_LE(std::abs(edges[static_cast<size_t>(k)] - TimeToPixel(k / 24.0, pixelsPerDay)), 1)
            << "hour " << k << " of width " << width;
}

INSTANTIATE_TEST_SUITE_P(Widths, LegendColumnEdgesTest,
                         ::testing::Values(0, 1, 24, 25, 26, 100, 494, 499, 741, 1920));

struct TCursorCase {
    int X;
    int Width;
    bool StartsAtMidnight;
    bool Dragging;
    double Scale;
    TCursorZone Expected;
};

class CursorZoneTest : public ::testing::TestWithParam<TCursorCase> {};

TEST_P(CursorZoneTest, Table) {
    const auto& c = GetParam();
    EXPECT_EQ(CursorZoneAt(c.X, c.Width, c.StartsAtMidnight, c.Dragging, c.Scale), c.Expected)
        << "x " << c.X << " width " << c.Width;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CursorZoneTest,
    ::testing::Values(TCursorCase{0, 100, false, false, 1.0, TCursorZone::Resize},
                      TCursorCase{11, 100, false, false, 1.0, TCursorZone::Resize},
                      TCursorCase{12, 100, false, false, 1.0, TCursorZone::Arrow},
                      TCursorCase{88, 100, false, false, 1.0, TCursorZone::Arrow},
                      TCursorCase{89, 100, false, false, 1.0, TCursorZone::Unchanged},
                      TCursorCase{99, 100, false, false, 1.0, TCursorZone::Unchanged},
                      // a period from 00:00 offers no start edge
                      TCursorCase{3, 100, true, false, 1.0, TCursorZone::Unchanged},
                      // while dragged away, always the arrow
                      TCursorCase{3, 100, false, true, 1.0, TCursorZone::Arrow},
                      TCursorCase{95, 100, false, true, 1.0, TCursorZone::Arrow},
                      // the zone grows with the display scale: 12 × 1.5 = 18
                      TCursorCase{17, 100, false, false, 1.5, TCursorZone::Resize},
                      TCursorCase{18, 100, false, false, 1.5, TCursorZone::Arrow},
                      // narrow control: left zone, then right zone, never the arrow
                      TCursorCase{8, 10, false, false, 1.0, TCursorZone::Resize},
                      TCursorCase{12, 20, false, false, 1.0, TCursorZone::Unchanged}));

struct TDraggedLeftCase {
    int Left;
    int X;
    int Right;
    int Expected;
};

class DraggedLeftTest : public ::testing::TestWithParam<TDraggedLeftCase> {};

TEST_P(DraggedLeftTest, FollowsThePointerWithinZeroAndTheRightEdge) {
    const auto& c = GetParam();
    EXPECT_EQ(DraggedLeft(c.Left, c.X, c.Right), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DraggedLeftTest,
                         ::testing::Values(TDraggedLeftCase{118, 6, 434, 124},
                                           TDraggedLeftCase{118, -20, 434, 98},
                                           TDraggedLeftCase{10, -30, 434, 0},
                                           TDraggedLeftCase{118, 400, 434, 434},
                                           TDraggedLeftCase{118, 0, 434, 118}));

struct TDraggedStartCase {
    int Left;
    int StopHour, StopMinute;
    int ExpectedMinutes; // of the start handed to the model
};

class DraggedStartTest : public ::testing::TestWithParam<TDraggedStartCase> {};

TEST_P(DraggedStartTest, NeverPassesTwentyFourHoursNorComesCloserThanTenMinutesToTheStop) {
    const TDraggedStartCase& c = GetParam();
    const TTime start = DraggedStart(c.Left, 474, TimeOf(c.StopHour, c.StopMinute));
    EXPECT_LT(start, EndOfDay);
    EXPECT_EQ(MinutesOf(start), c.ExpectedMinutes);
}

// 474 pixels per day: pixel 474 is 24:00, the right end of a last period.
INSTANTIATE_TEST_SUITE_P(Table, DraggedStartTest,
                         ::testing::Values(TDraggedStartCase{124, 22, 0, 377}, // 06:17, unrounded
                                           TDraggedStartCase{474, 24, 0, 23 * 60 + 50},
                                           TDraggedStartCase{480, 24, 0, 23 * 60 + 50},
                                           TDraggedStartCase{471, 24, 0, 23 * 60 + 50},
                                           TDraggedStartCase{470, 24, 0, 1428}, // 23:47.85
                                           TDraggedStartCase{434, 22, 0, 21 * 60 + 50},
                                           TDraggedStartCase{0, 6, 0, 0}));

TEST(DragThresholdTest, EitherDirectionCounts) {
    EXPECT_FALSE(PassedDragThreshold(100, 100, 104, 104, 5));
    EXPECT_TRUE(PassedDragThreshold(100, 100, 105, 100, 5));
    EXPECT_TRUE(PassedDragThreshold(100, 100, 100, 95, 5));
    EXPECT_TRUE(PassedDragThreshold(100, 100, 96, 94, 5));
    EXPECT_FALSE(PassedDragThreshold(100, 100, 100, 100, 5));
}

} // namespace
} // namespace zeft
