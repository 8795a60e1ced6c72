// The radio frames and the codes they carry.

#include "zeft_RadioFrames.h"
#include "zeft_Time.h"

#include <gtest/gtest.h>

namespace {

using zeft::TimeOf;
using TBytes = std::vector<std::uint8_t>;

TEST(RadioFrames, StartFrameIsTheHeaderAlone) {
    EXPECT_EQ(zeft::StartFrame(), (TBytes{0x00, 0x33, 0xFF, 0x00, 0x00}));
}

TEST(RadioFrames, ClockFrameCarriesPlainNumbers) {
    EXPECT_EQ(zeft::ClockFrame({2009, 11, 23, 14, 5, 33}),
              (TBytes{0x00, 0x32, 0xFF, 0x00, 0x00, 0x0E, 0x05, 0x17, 0x0B, 0x09}));
    EXPECT_EQ(zeft::ClockFrame({2100, 12, 31, 23, 59, 59}),
              (TBytes{0x00, 0x32, 0xFF, 0x00, 0x00, 23, 59, 31, 12, 0}));
}

TEST(RadioFrames, PeriodFrameOfMondaysSecondPeriod) {
    // Monday's second period stopping at 06:30 with 17.5 degrees.
    const auto frame = zeft::PeriodFrame(0, 1, zeft::EndCode(TimeOf(5, 0), TimeOf(6, 30)),
                                         zeft::TemperatureCode(17.5));
    EXPECT_EQ(frame, (TBytes{0x00, 0x31, 0xFF, 0x00, 0x00, 0x12, 0x27, 0x23}));
}

struct TDayCase {
    int DayIndex;
    int PeriodIndex;
    std::uint8_t Byte5;
};

class PeriodFrameDay : public testing::TestWithParam<TDayCase> {};

TEST_P(PeriodFrameDay, PutsThePeriodIndexAboveTheDayCode) {
    const auto& c = GetParam();
    const auto frame = zeft::PeriodFrame(static_cast<std::uint8_t>(c.DayIndex),
                                         static_cast<std::uint8_t>(c.PeriodIndex), 144, 40);
    ASSERT_EQ(frame.size(), 8u);
    EXPECT_EQ(frame[5], c.Byte5);
}

INSTANTIATE_TEST_SUITE_P(Days, PeriodFrameDay,
                         testing::Values(TDayCase{0, 0, 0x02}, TDayCase{1, 0, 0x03},
                                         TDayCase{2, 0, 0x04}, TDayCase{3, 0, 0x05},
                                         TDayCase{4, 0, 0x06}, TDayCase{5, 0, 0x00},
                                         TDayCase{6, 0, 0x01}, TDayCase{5, 2, 0x20},
                                         TDayCase{4, 6, 0x66}, TDayCase{6, 16, 0x01}));

struct TEndCase {
    zeft::TTime Start;
    zeft::TTime Stop;
    std::uint8_t Code;
};

class EndCode : public testing::TestWithParam<TEndCase> {};

TEST_P(EndCode, CountsTenMinuteSteps) {
    EXPECT_EQ(zeft::EndCode(GetParam().Start, GetParam().Stop), GetParam().Code);
}

INSTANTIATE_TEST_SUITE_P(
    Times, EndCode,
    testing::Values(TEndCase{TimeOf(0, 0), TimeOf(6, 30), 39},
                    TEndCase{TimeOf(6, 30), TimeOf(22, 0), 132}, TEndCase{TimeOf(22, 0), 1.0, 144},
                    // 24:00 gives 144 even from a start off the grid, and within a millisecond.
                    TEndCase{TimeOf(22, 7), 1.0, 144},
                    TEndCase{TimeOf(22, 0), 1.0 - 0.9 * zeft::OneMillisecond, 144},
                    // Off the grid the two steps are counted apart: 365 / 10 + 115 / 10.
                    TEndCase{TimeOf(6, 5), TimeOf(8, 0), 47},
                    TEndCase{TimeOf(0, 0), TimeOf(0, 10), 1},
                    // A day fraction a hair below the minute still counts as that minute.
                    TEndCase{0.0, TimeOf(6, 30) - 1e-12, 39}));

struct TTemperatureCase {
    double Celsius;
    std::uint8_t Code;
};

class TemperatureCode : public testing::TestWithParam<TTemperatureCase> {};

TEST_P(TemperatureCode, CountsHalfDegreesTruncated) {
    EXPECT_EQ(zeft::TemperatureCode(GetParam().Celsius), GetParam().Code);
}

INSTANTIATE_TEST_SUITE_P(Values, TemperatureCode,
                         testing::Values(TTemperatureCase{5.0, 10}, TTemperatureCase{17.5, 35},
                                         TTemperatureCase{20.0, 40}, TTemperatureCase{20.3, 40},
                                         TTemperatureCase{20.5, 41}, TTemperatureCase{20.7, 41},
                                         TTemperatureCase{29.5, 59}));

TEST(MinuteOfDay, AddsHalfAMillisecondBeforeTruncating) {
    EXPECT_EQ(zeft::MinuteOfDay(0.0), 0);
    EXPECT_EQ(zeft::MinuteOfDay(1.0), 1440);
    EXPECT_EQ(zeft::MinuteOfDay(TimeOf(6, 30) - 0.4 / zeft::MSecsPerDay), 390);
    EXPECT_EQ(zeft::MinuteOfDay(TimeOf(6, 30) - 0.6 / zeft::MSecsPerDay), 389);
}

} // namespace
