#include "ModelTestSupport.h"
#include "THeatingLocations.h"
#include "zeft_Templates.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace zeft;
using namespace zeft::test;

namespace {

// The weekly programs as the product sheet lists them: Monday to Friday | Saturday | Sunday.
struct TemplateTable {
    int Index;
    const char* Weekdays;
    const char* Saturday;
    const char* Sunday;
};

const TemplateTable Table[] = {
    {0, "00:00-24:00 17", "00:00-24:00 17", "00:00-24:00 17"},
    {1, "00:00-17:00 17, 17:00-23:00 20, 23:00-24:00 17", "00:00-09:00 17, 09:00-24:00 20",
     "00:00-09:00 17, 09:00-23:00 20, 23:00-24:00 17"},
    {2, "00:00-07:00 17, 07:00-22:00 15, 22:00-24:00 17",
     "00:00-10:00 17, 10:00-22:00 15, 22:00-24:00 17",
     "00:00-10:00 17, 10:00-22:00 15, 22:00-24:00 17"},
    {3, "00:00-07:00 17, 07:00-09:00 20, 09:00-13:00 17, 13:00-20:00 20, 20:00-24:00 18",
     "00:00-08:00 17, 08:00-20:00 20, 20:00-24:00 18",
     "00:00-08:00 17, 08:00-20:00 20, 20:00-24:00 18"},
    {4,
     "00:00-06:30 17, 06:30-09:00 20, 09:00-11:30 17, 11:30-13:00 20, 13:00-17:00 17, "
     "17:00-20:00 20, 20:00-24:00 17",
     "00:00-08:00 17, 08:00-13:00 20, 13:00-17:00 18, 17:00-20:00 20, 20:00-24:00 17",
     "00:00-08:00 17, 08:00-13:00 20, 13:00-17:00 18, 17:00-20:00 20, 20:00-24:00 17"},
    {5, "00:00-06:30 17, 06:30-09:00 22, 09:00-17:00 17, 17:00-23:00 20, 23:00-24:00 19",
     "00:00-08:00 17, 08:00-11:00 22, 11:00-19:00 17, 19:00-23:00 19, 23:00-24:00 19",
     "00:00-08:00 17, 08:00-11:00 22, 11:00-19:00 17, 19:00-23:00 19, 23:00-24:00 19"},
    {6, "00:00-06:30 15, 06:30-09:00 17, 09:00-17:00 15, 17:00-23:00 17, 23:00-24:00 15",
     "00:00-08:00 15, 08:00-12:00 17, 12:00-23:00 16, 23:00-24:00 15",
     "00:00-08:00 15, 08:00-12:00 17, 12:00-23:00 16, 23:00-24:00 15"},
    {7, "00:00-08:00 15, 08:00-17:30 20, 17:30-24:00 15", "00:00-24:00 15", "00:00-24:00 15"},
    {8, "00:00-08:00 15, 08:00-17:30 20, 17:30-24:00 15",
     "00:00-08:00 17, 08:00-15:00 20, 15:00-24:00 17", "00:00-24:00 15"},
    {9, "00:00-08:00 15, 08:00-17:30 20, 17:30-24:00 15",
     "00:00-08:00 15, 08:00-17:30 20, 17:30-24:00 15",
     "00:00-08:00 15, 08:00-17:30 20, 17:30-24:00 15"},
};

class Templates : public testing::TestWithParam<TemplateTable> {};

} // namespace

TEST_P(Templates, EveryDayMatchesTheTableAndIsWellFormed) {
    const TemplateTable& t = GetParam();
    auto location = CreateTemplateLocation(t.Index, [](int id) { return std::to_string(id); });
    EXPECT_EQ(location->DisplayText, std::to_string(5000 + t.Index));
    for (int d = 0; d < 7; ++d) {
        const TDailyHeatingIntervals& day = location->Days(d);
        const char* expected = d < 5 ? t.Weekdays : d == 5 ? t.Saturday : t.Sunday;
        EXPECT_EQ(DayText(day), expected) << "day " << d;
        EXPECT_EQ(WellFormedProblem(day), "") << "day " << d;
        for (int i = 0; i < day.Count(); ++i)
            EXPECT_EQ(day.Items(i).Temperature().Value(),
                      std::floor(day.Items(i).Temperature().Value()));
    }
}

INSTANTIATE_TEST_SUITE_P(All, Templates, testing::ValuesIn(Table));

TEST(Templates, KitchenWeekdaysAreFull) {
    auto kitchen = CreateTemplateLocation(4, nullptr);
    for (int d = 0; d < 5; ++d)
        EXPECT_FALSE(kitchen->Days(d).CanAdd());
    EXPECT_TRUE(kitchen->Days(5).CanAdd());
}

TEST(Templates, TwoFromOneTemplateGetUniqueNames) {
    THeatingLocations locations;
    const TTextLookup english = [](int id) { return id == 5002 ? "Bedroom" : "?"; };
    for (int i = 0; i < 2; ++i) {
        auto location = CreateTemplateLocation(2, english);
        location->DisplayText = locations.MakeUniqueName(location->DisplayText);
        locations.Add(std::move(location));
    }
    EXPECT_EQ(locations.Items(0).DisplayText, "Bedroom");
    EXPECT_EQ(locations.Items(1).DisplayText, "Bedroom1");
}
