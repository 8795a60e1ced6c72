#include "ModelTestSupport.h"
#include "THeatingLocations.h"
#include "zeft_Templates.h"

#include <gtest/gtest.h>

using namespace zeft;
using namespace zeft::test;

namespace {

std::unique_ptr<THeatingLocation> Location(const std::string& name) {
    auto location = CreateTemplateLocation(0, nullptr);
    location->DisplayText = name;
    return location;
}

} // namespace

TEST(Locations, ChangesTravelUpwardsWithTheirSender) {
    THeatingLocations locations;
    locations.Add(CreateTemplateLocation(1, nullptr)); // 00:00-17:00, 17:00-23:00, 23:00-24:00
    std::vector<TModelObject*> senders;
    locations.OnChange = [&](TModelObject* sender) { senders.push_back(sender); };
    TSingleHeatingInterval& period = locations.Items(0).Days(3).Items(0);
    period.SetStop(T("12:00"));
    locations.Items(0).Days(3).Delete(0);
    ASSERT_EQ(senders.size(), 3u); // the period, the successor taking 00:00, the day
    EXPECT_EQ(senders[0], &period);
    EXPECT_EQ(senders[1], &locations.Items(0).Days(3).Items(0));
    EXPECT_EQ(senders[2], &locations.Items(0).Days(3));
}

TEST(Locations, AddFiresAddThenChange) {
    THeatingLocations locations;
    std::vector<std::string> events;
    locations.OnAdd = [&](THeatingLocation* l) { events.push_back("add " + l->DisplayText); };
    locations.OnChange = [&](TModelObject* s) {
        events.push_back(s == &locations ? "change" : "change?");
    };
    EXPECT_EQ(locations.Add(Location("Hall")), 0);
    EXPECT_EQ(locations.Add(Location("Kitchen")), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"add Hall", "change", "add Kitchen", "change"}));
}

TEST(Locations, DeleteNotifiesWhileTheLocationIsStillThere) {
    THeatingLocations locations;
    for (const char* name : {"A", "B", "C", "D"})
        locations.Add(Location(name));
    std::vector<std::string> events;
    locations.OnDelete = [&](int index) {
        events.push_back("delete " + std::to_string(index) + " " +
                         locations.Items(index).DisplayText);
    };
    locations.OnChange = [&](TModelObject*) { events.push_back("change"); };
    locations.Delete(2);
    EXPECT_EQ(events, (std::vector<std::string>{"delete 2 C", "change"}));
    EXPECT_EQ(locations.Count(), 3);
    EXPECT_EQ(locations.Items(2).DisplayText, "D");
}

TEST(Locations, ClearDeletesFromTheEndThenNotifiesOnceMore) {
    THeatingLocations locations;
    std::vector<std::string> events;
    locations.OnChange = [&](TModelObject*) { events.push_back("change"); };
    locations.Clear();
    EXPECT_EQ(events, std::vector<std::string>{"change"});
    locations.Add(Location("A"));
    locations.Add(Location("B"));
    events.clear();
    locations.OnDelete = [&](int index) { events.push_back("delete " + std::to_string(index)); };
    locations.Clear();
    EXPECT_EQ(events,
              (std::vector<std::string>{"delete 1", "change", "delete 0", "change", "change"}));
}

TEST(Locations, ExtractedLocationNoLongerReportsToTheOldCollection) {
    THeatingLocations from, to;
    from.Add(Location("A"));
    int fromChanges = 0, toChanges = 0;
    from.OnChange = [&](TModelObject*) { ++fromChanges; };
    to.OnChange = [&](TModelObject*) { ++toChanges; };
    to.Add(from.Extract(0));
    fromChanges = toChanges = 0;
    to.Items(0).Days(0).Items(0).Temperature().SetValue(20.0); // temperature is not a time change
    to.Items(0).Days(0).Items(0).SetStop(1.0);
    EXPECT_EQ(fromChanges, 0);
    EXPECT_EQ(toChanges, 1);
}

struct UniqueNameCase {
    std::vector<std::string> Present;
    std::string Name;
    std::string Expected;
};
class MakeUniqueName : public testing::TestWithParam<UniqueNameCase> {};

TEST_P(MakeUniqueName, AppendsTheFirstFreeNumber) {
    THeatingLocations locations;
    for (const std::string& name : GetParam().Present)
        locations.Add(Location(name));
    EXPECT_EQ(locations.MakeUniqueName(GetParam().Name), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MakeUniqueName,
    testing::Values(UniqueNameCase{{}, "Hall", "Hall"}, UniqueNameCase{{"hall"}, "Hall", "Hall"},
                    UniqueNameCase{{"Living room", "Living room1"}, "Living room", "Living room2"},
                    UniqueNameCase{{"Bedroom"}, "Bedroom", "Bedroom1"},
                    UniqueNameCase{{"Bed", "Bed2"}, "Bed", "Bed1"}));

TEST(Locations, CloneIsADeepCopy) {
    auto location = CreateTemplateLocation(4, [](int id) { return "name " + std::to_string(id); });
    auto copy = location->Clone();
    EXPECT_EQ(copy->DisplayText, "name 5004");
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(DayText(copy->Days(d)), DayText(location->Days(d)));
        EXPECT_NE(&copy->Days(d), &location->Days(d));
    }
    location->Days(0).Delete(3);
    EXPECT_EQ(copy->Days(0).Count(), 7);
}
