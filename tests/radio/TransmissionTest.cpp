// The transmission of a weekly program: frames byte for byte, transmit commands, pauses,
// percentages and the result rules of the two passes.

#include "RadioTestLocations.h"
#include "RadioTestSupport.h"
#include "VirtualStick.h"
#include "VirtualStickReports.h"
#include "zeft_Templates.h"
#include "zeft_Transmission.h"

#include <gtest/gtest.h>
#include <string>

namespace vs = zeft::virtualstick;
using namespace std::chrono_literals;
using zeft::TimeOf;
using TBytes = std::vector<std::uint8_t>;

namespace {

const TBytes StartFrameBytes = {0x00, 0x33, 0xFF, 0x00, 0x00};
const TBytes ClockFrameBytes = {0x00, 0x32, 0xFF, 0x00, 0x00, 0x0E, 0x05, 0x17, 0x0B, 0x09};

TBytes Period(std::uint8_t byte5, std::uint8_t endCode, std::uint8_t temperatureCode) {
    return {0x00, 0x31, 0xFF, 0x00, 0x00, byte5, endCode, temperatureCode};
}

// Frames of one pass of the uniform test location at 20 degrees.
std::vector<TBytes> UniformPass() {
    std::vector<TBytes> frames = {StartFrameBytes, ClockFrameBytes};
    for (std::uint8_t code : {2, 3, 4, 5, 6, 0, 1})
        frames.push_back(Period(code, 144, 40));
    return frames;
}

std::vector<TBytes> BytesOf(const std::vector<zeft::test::TSentFrame>& frames) {
    std::vector<TBytes> result;
    for (const auto& frame : frames)
        result.push_back(frame.Bytes);
    return result;
}

class Transmission : public testing::Test {
protected:
    void SetUp() override {
        vs::Reset();
        vs::PlugIn();
        ASSERT_TRUE(Radio.LoadAndConnectStick());
        vs::ClearReports();
    }
    void TearDown() override {
        Radio.UnloadDriver();
        vs::Reset();
    }

    bool Transmit(const zeft::THeatingLocation& location, std::stop_token stop = {}) {
        return Transmitter.TransmitWeeklyProgram(
            location, [this](int percent) { Percentages.push_back(percent); }, stop);
    }

    zeft::test::TScratchDirectory Scratch;
    std::unique_ptr<zeft::TuTrxLoader> Driver = zeft::test::VirtualDriverLoader(Scratch.Path());
    zeft::TUSBRF Radio{*Driver};
    zeft::test::TTestClock Clock;
    zeft::TProgramTransmitter Transmitter{Radio, Clock};
    std::vector<int> Percentages;
};

TEST_F(Transmission, SevenDaysOfOnePeriodGoOutTwiceWithEveryPercentage) {
    EXPECT_TRUE(Transmit(*zeft::test::MakeUniformLocation(20.0)));

    const auto frames = zeft::test::SentFrames();
    std::vector<TBytes> expected = UniformPass();
    const auto second = UniformPass();
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(BytesOf(frames), expected);
    for (const auto& frame : frames)
        EXPECT_EQ(frame.TransmitCommands, 5);

    EXPECT_EQ(Percentages, (std::vector<int>{1,  15, 16, 19, 21, 24, 26, 29, 30, 34, 35, 39,
                                             40, 43, 45, 48, 50, 51, 65, 66, 69, 71, 74, 76,
                                             79, 80, 84, 85, 89, 90, 93, 95, 98, 100}));
    std::vector<std::chrono::milliseconds> pauses;
    for (int pass = 0; pass < 2; ++pass) {
        pauses.push_back(1000ms);
        pauses.insert(pauses.end(), 7, 250ms);
    }
    EXPECT_EQ(Clock.Pauses(), pauses);
}

TEST_F(Transmission, PeriodsGoOutDayByDayInListOrder) {
    const auto location = zeft::test::MakeLocation({
        {{0.0, TimeOf(5, 0), 16.0},
         {TimeOf(5, 0), TimeOf(6, 30), 17.5},
         {TimeOf(6, 30), 1.0, 21.0}},
        {},
        {{0.0, 1.0, 5.0}},
        {},
        {},
        {{0.0, TimeOf(8, 0), 18.0},
         {TimeOf(8, 0), TimeOf(22, 0), 20.5},
         {TimeOf(22, 0), 1.0, 29.5}},
        {{0.0, TimeOf(12, 10), 19.0}, {TimeOf(12, 10), 1.0, 20.0}},
    });
    EXPECT_TRUE(Transmit(*location));
    const std::vector<TBytes> pass = {
        StartFrameBytes,          ClockFrameBytes,       Period(0x02, 30, 32),
        Period(0x12, 0x27, 0x23), Period(0x22, 144, 42), Period(0x04, 144, 10),
        Period(0x00, 48, 36),     Period(0x10, 132, 41), Period(0x20, 144, 59),
        Period(0x01, 73, 38),     Period(0x11, 144, 40)};
    std::vector<TBytes> expected = pass;
    expected.insert(expected.end(), pass.begin(), pass.end());
    EXPECT_EQ(BytesOf(zeft::test::SentFrames()), expected);
    EXPECT_EQ(Percentages.back(), 100);
}

TEST_F(Transmission, TemplateProgramIsSentAsTheModelHoldsIt) {
    const auto location = zeft::CreateTemplateLocation(4, [](int) { return std::string("T"); });
    ASSERT_TRUE(Transmit(*location));
    std::vector<TBytes> pass = {StartFrameBytes, ClockFrameBytes};
    const std::uint8_t dayCodes[] = {2, 3, 4, 5, 6, 0, 1};
    for (int d = 0; d < 7; ++d)
        for (int p = 0; p < location->Days(d).Count(); ++p) {
            const auto& period = location->Days(d).Items(p);
            const int stopMinutes = zeft::MinutesOf(period.Stop());
            pass.push_back(Period(static_cast<std::uint8_t>(p * 16 + dayCodes[d]),
                                  static_cast<std::uint8_t>(stopMinutes / 10),
                                  static_cast<std::uint8_t>(period.Temperature().Value() * 2)));
        }
    std::vector<TBytes> expected = pass;
    expected.insert(expected.end(), pass.begin(), pass.end());
    EXPECT_EQ(BytesOf(zeft::test::SentFrames()), expected);
}

struct TRefusalCase {
    std::string Name;
    std::vector<int> RefusedFrames; // numbered from 1 over both passes
    bool Result;
    int LastPercentage; // -1: no percentage at all
    int FramesSent;
};

class TransmissionRefusal : public Transmission,
                            public testing::WithParamInterface<TRefusalCase> {};

TEST_P(TransmissionRefusal, FollowsTheRulesOfTheTwoPasses) {
    const auto& c = GetParam();
    for (int k : c.RefusedFrames)
        vs::RefuseFrame(k);
    EXPECT_EQ(Transmit(*zeft::test::MakeUniformLocation(20.0)), c.Result);
    EXPECT_EQ(Percentages.empty() ? -1 : Percentages.back(), c.LastPercentage);

    const auto frames = zeft::test::SentFrames();
    ASSERT_EQ(static_cast<int>(frames.size()), c.FramesSent);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const bool refused =
            std::count(c.RefusedFrames.begin(), c.RefusedFrames.end(), static_cast<int>(i + 1)) > 0;
        EXPECT_EQ(frames[i].Refused, refused) << "frame " << i + 1;
        EXPECT_EQ(frames[i].TransmitCommands, refused ? 0 : 5) << "frame " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransmissionRefusal,
    testing::Values(
        // Frames of a pass: 1 start, 2 clock, 3..9 periods; the second pass from 10.
        TRefusalCase{"ClockRefusedInFirstPass", {2}, true, 65, 11},
        TRefusalCase{"SecondStartRefused", {10}, true, 50, 10},
        TRefusalCase{"OnePeriodRefusedInEachPass", {5, 16}, false, 97, 18},
        TRefusalCase{"PeriodRefusedInFirstPassOnly", {5}, true, 98, 18},
        TRefusalCase{"PeriodRefusedInSecondPassOnly", {16}, false, 98, 18},
        TRefusalCase{"BothStartFramesRefused", {1, 2}, false, -1, 2},
        TRefusalCase{"BothClockFramesRefused", {2, 4}, false, 30, 4},
        TRefusalCase{"LastPeriodOfSecondPassRefused", {18}, false, 98, 18}),
    [](const auto& info) { return info.param.Name; });

TEST_F(Transmission, WithoutStickObjectNothingIsSentAndNothingReported) {
    Radio.UnloadDriver();
    ASSERT_EQ(Radio.StickHandle(), nullptr);
    EXPECT_FALSE(Transmit(*zeft::test::MakeUniformLocation(20.0)));
    EXPECT_TRUE(Percentages.empty());
    EXPECT_TRUE(vs::Reports().empty());
    EXPECT_TRUE(Clock.Pauses().empty());
}

TEST_F(Transmission, StopRequestEndsTheTransmissionAtThePause) {
    std::stop_source stop;
    Clock.OnPause = [&](int number, std::chrono::milliseconds) {
        if (number == 4)
            stop.request_stop();
    };
    EXPECT_FALSE(Transmit(*zeft::test::MakeUniformLocation(20.0), stop.get_token()));
    // Start, clock and the two periods before the fourth pause; nothing after it.
    EXPECT_EQ(zeft::test::SentFrames().size(), 4u);
    EXPECT_EQ(Clock.Pauses().size(), 4u);
    EXPECT_EQ(Percentages.back(), 26);
}

// A stop that arrives while a percentage is being reported (the connection thread hands it to
// the user interface and waits) keeps back every frame not yet handed over.
struct TStopCase {
    int AtPercentage;
    std::size_t FramesSent;
};

class TransmissionStop : public Transmission, public testing::WithParamInterface<TStopCase> {};

TEST_P(TransmissionStop, NoFrameFollowsAStopSeenInAProgressReport) {
    std::stop_source stop;
    const auto location = zeft::test::MakeUniformLocation(20.0);
    const bool result = Transmitter.TransmitWeeklyProgram(
        *location,
        [&](int percent) {
            if (percent == GetParam().AtPercentage)
                stop.request_stop();
        },
        stop.get_token());
    EXPECT_FALSE(result);
    EXPECT_EQ(zeft::test::SentFrames().size(), GetParam().FramesSent);
}

// 1: start frame; 15: start pause; 19: first period pause; 50: end of the first pass;
// 98: the last period pause.
INSTANTIATE_TEST_SUITE_P(Percentages, TransmissionStop,
                         testing::Values(TStopCase{1, 1}, TStopCase{15, 1}, TStopCase{19, 2},
                                         TStopCase{50, 9}, TStopCase{98, 17}),
                         [](const auto& info) {
                             return "At" + std::to_string(info.param.AtPercentage);
                         });

TEST_F(Transmission, StopRequestedBeforehandSendsNothing) {
    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(Transmit(*zeft::test::MakeUniformLocation(20.0), stop.get_token()));
    EXPECT_TRUE(vs::Reports().empty());
}

} // namespace
