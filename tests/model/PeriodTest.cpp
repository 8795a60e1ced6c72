#include "ModelTestSupport.h"
#include "TSingleHeatingInterval.h"
#include "TTemperature.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace zeft;
using namespace zeft::test;

struct ClampCase {
    double Given;
    double Held;
};
class TemperatureClamp : public testing::TestWithParam<ClampCase> {};

TEST_P(TemperatureClamp, ConstructorAndSetValueClamp) {
    EXPECT_EQ(TTemperature(GetParam().Given).Value(), GetParam().Held);
    TTemperature t(20.0);
    t.SetValue(GetParam().Given);
    EXPECT_EQ(t.Value(), GetParam().Held);
}

INSTANTIATE_TEST_SUITE_P(Bounds, TemperatureClamp,
                         testing::Values(ClampCase{4.0, 5.0}, ClampCase{30.0, 29.5},
                                         ClampCase{29.5, 29.5}, ClampCase{17.25, 17.25},
                                         ClampCase{5.0, 5.0}, ClampCase{-100.0, 5.0},
                                         ClampCase{std::numeric_limits<double>::quiet_NaN(), 5.0},
                                         ClampCase{std::numeric_limits<double>::infinity(), 29.5}));

TEST(Temperature, SetValueAlwaysNotifiesWithOldAndNewValue) {
    TTemperature t(21.0);
    std::vector<std::pair<double, double>> seen;
    t.OnValueChange = [&](double o, double n) { seen.emplace_back(o, n); };
    t.SetValue(21.0);
    t.SetValue(40.0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(21.0, 21.0));
    EXPECT_EQ(seen[1], std::make_pair(21.0, 29.5));
}

TEST(Temperature, AssignCopiesWithoutNotification) {
    TTemperature source(17.25), target(20.0);
    bool notified = false;
    target.OnValueChange = [&](double, double) { notified = true; };
    target.Assign(source);
    EXPECT_EQ(target.Value(), 17.25);
    EXPECT_FALSE(notified);
}

struct ColorCase {
    double Value;
    TColor Expected;
};
class TemperatureColor : public testing::TestWithParam<ColorCase> {};

TEST_P(TemperatureColor, BandColour) {
    const TColor c = TTemperature(GetParam().Value).Color();
    EXPECT_EQ(c, GetParam().Expected) << GetParam().Value;
}

INSTANTIATE_TEST_SUITE_P(
    Bands, TemperatureColor,
    testing::Values(ColorCase{13.9, {0x18, 0x34, 0x73}}, ColorCase{5.0, {0x18, 0x34, 0x73}},
                    ColorCase{14.0, {0x59, 0xAC, 0xFF}}, ColorCase{17.0, {0x59, 0xAC, 0xFF}},
                    ColorCase{17.5, {0xFF, 0x4D, 0x00}}, ColorCase{20.0, {0xFF, 0x4D, 0x00}},
                    ColorCase{20.5, {0xFF, 0x00, 0x00}}, ColorCase{23.0, {0xFF, 0x00, 0x00}},
                    ColorCase{23.5, {0xC7, 0x00, 0x18}}, ColorCase{29.5, {0xC7, 0x00, 0x18}}));

struct RoundCase {
    double Given;
    double Expected;
};
class RoundToTenMinutes : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToTenMinutes, RoundsDownKeepingTheDay) {
    EXPECT_DOUBLE_EQ(TSingleHeatingInterval::RoundToTenMinutes(GetParam().Given),
                     GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, RoundToTenMinutes,
    testing::Values(RoundCase{1.0, 1.0}, RoundCase{0.0, 0.0},
                    RoundCase{(6 * 3600 + 39 * 60 + 59) / 86400.0, TimeOf(6, 30)},
                    RoundCase{TimeOf(23, 59), TimeOf(23, 50)},
                    RoundCase{TimeOf(6, 30), TimeOf(6, 30)},
                    // a hair below a mark (floating-point noise) is still the mark
                    RoundCase{TimeOf(6, 10) - 1e-12, TimeOf(6, 10)}, RoundCase{1.0 - 1e-12, 1.0},
                    RoundCase{TimeOf(6, 9), TimeOf(6, 0)}));

TEST(Period, ConstructorRoundsDown) {
    const auto p = Period("06:07", "08:59");
    EXPECT_EQ(HhMm(p->Start()), "06:00");
    EXPECT_EQ(HhMm(p->Stop()), "08:50");
    EXPECT_EQ(p->MaxStart(), 0.0);
    EXPECT_EQ(p->MinStop(), 0.0);
}

struct BoundaryCase {
    const char* Setter;
    const char* Given;
    double Bound; // MaxStart for SetStart, MinStop for SetStop
    const char* ExpectedStart;
    const char* ExpectedStop;
};
class PeriodBoundaries : public testing::TestWithParam<BoundaryCase> {};

TEST_P(PeriodBoundaries, SettersClampAndRound) {
    const BoundaryCase& c = GetParam();
    auto p = Period("06:00", "08:00");
    const bool start = std::string(c.Setter) == "SetStart";
    if (start) {
        p->SetMaxStart(c.Bound);
        p->SetStart(std::string(c.Given) == "24:00" ? 1.0 : T(c.Given));
    } else {
        p->SetMinStop(c.Bound);
        p->SetStop(std::string(c.Given) == "24:00" ? 1.0 : T(c.Given));
    }
    EXPECT_EQ(HhMm(p->Start()), c.ExpectedStart);
    EXPECT_EQ(HhMm(p->Stop()), c.ExpectedStop);
}

INSTANTIATE_TEST_SUITE_P(Rules, PeriodBoundaries,
                         testing::Values(BoundaryCase{"SetStop", "06:03", 0.0, "06:00", "06:10"},
                                         BoundaryCase{"SetStop", "09:15", 0.0, "06:00", "09:10"},
                                         BoundaryCase{"SetStop", "05:00", 0.0, "06:00", "06:10"},
                                         BoundaryCase{"SetStop", "20:00", 1.0, "06:00", "24:00"},
                                         BoundaryCase{"SetStart", "07:55", 1.0, "07:50", "08:00"},
                                         BoundaryCase{"SetStart", "09:00", 1.0, "07:50", "08:00"},
                                         BoundaryCase{"SetStart", "05:01", 1.0, "05:00", "08:00"},
                                         BoundaryCase{"SetStart", "24:00", 1.0, "24:00", "08:00"},
                                         BoundaryCase{"SetStart", "03:00", 0.0, "00:00", "08:00"}));

TEST(Period, NotifiesOnChangeThenTimesChangeUnlessSuppressed) {
    auto p = Period("06:00", "08:00");
    std::vector<std::string> events;
    p->OnChange = [&](TModelObject* sender) {
        events.push_back(sender == p.get() ? "change" : "change(wrong sender)");
    };
    p->OnTimesChange = [&](TTime start, TTime stop) {
        events.push_back("times " + HhMm(start) + "-" + HhMm(stop));
    };
    p->SetMaxStart(1.0);
    p->SetStart(T("07:00"));
    p->SetStop(T("08:00")); // unchanged still notifies
    p->SuppressTimesChange = true;
    p->SetStart(T("06:30"));
    EXPECT_EQ(events, (std::vector<std::string>{"change", "times 07:00-08:00", "change",
                                                "times 07:00-08:00", "change"}));
}
