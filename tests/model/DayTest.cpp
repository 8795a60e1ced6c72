#include "ModelTestSupport.h"

#include <functional>
#include <gtest/gtest.h>

using namespace zeft;
using namespace zeft::test;

namespace {

/// Records the notifications of a day and of its periods, in order.
struct DayRecorder {
    std::vector<std::string> Events;
    explicit DayRecorder(TDailyHeatingIntervals& day) {
        day.OnChange = [this, &day](TModelObject* sender) {
            if (sender == &day) {
                Events.push_back("day changed by day");
                return;
            }
            const int index = day.IndexOf(dynamic_cast<TSingleHeatingInterval*>(sender));
            Events.push_back("day changed by period " + std::to_string(index));
        };
        day.OnStructureChange = [this] { Events.push_back("structure"); };
    }
};

/// Records every notification with the day as it stands at that moment, so that the order of
/// a change and the structure change it belongs to shows: the period controls follow it.
struct DayLog {
    std::vector<std::string> Events;
    explicit DayLog(TDailyHeatingIntervals& day) {
        day.OnChange = [this, &day](TModelObject* sender) {
            const int index = day.IndexOf(dynamic_cast<TSingleHeatingInterval*>(sender));
            Events.push_back(
                (sender == &day ? std::string("day") : "period " + std::to_string(index)) +
                " changed: " + DayText(day));
        };
        day.OnStructureChange = [this, &day] { Events.push_back("structure: " + DayText(day)); };
        for (int i = 0; i < day.Count(); ++i)
            day.Items(i).OnTimesChange = [this](TTime start, TTime stop) {
                Events.push_back("  times " + HhMm(start) + "-" + HhMm(stop));
            };
    }
};

} // namespace

TEST(Day, AddSetsBoundsAndNotifiesChangeThenStructure) {
    TDailyHeatingIntervals day;
    DayRecorder recorder(day);
    EXPECT_EQ(day.Add(Period("00:00", "06:00")), 0);
    EXPECT_EQ(day.Items(0).MaxStart(), 0.0);
    EXPECT_EQ(day.Items(0).MinStop(), 1.0);
    EXPECT_EQ(day.Add(Period("06:00", "24:00")), 1);
    EXPECT_EQ(day.Items(0).MinStop(), 0.0);
    EXPECT_EQ(day.Items(1).MaxStart(), 1.0);
    EXPECT_EQ(day.Items(1).MinStop(), 1.0);
    EXPECT_EQ(recorder.Events, (std::vector<std::string>{"day changed by period 0", "structure",
                                                         "day changed by period 1", "structure"}));
    EXPECT_EQ(WellFormedProblem(day), "");
}

TEST(Day, AddToAFullDayIsRefusedAndTheCallerKeepsThePeriod) {
    auto day = Day("00:00-01:00, 01:00-02:00, 02:00-03:00, 03:00-04:00, 04:00-05:00, "
                   "05:00-06:00, 06:00-24:00");
    ASSERT_FALSE(day->CanAdd());
    DayRecorder recorder(*day);
    auto extra = Period("10:00", "11:00");
    EXPECT_EQ(day->Add(std::move(extra)), -1);
    EXPECT_NE(extra, nullptr);
    EXPECT_EQ(day->Count(), 7);
    EXPECT_TRUE(recorder.Events.empty());
    EXPECT_FALSE(day->Insert(1, std::move(extra)));
    EXPECT_NE(extra, nullptr);
}

struct DeleteCase {
    const char* Before;
    int Index;
    const char* After;
};
class DayDelete : public testing::TestWithParam<DeleteCase> {};

TEST_P(DayDelete, NeighbourAbsorbsTheTime) {
    auto day = Day(GetParam().Before);
    DayRecorder recorder(*day);
    day->Delete(GetParam().Index);
    EXPECT_EQ(DayText(*day), GetParam().After);
    ASSERT_GE(recorder.Events.size(), 2u);
    EXPECT_EQ(recorder.Events[recorder.Events.size() - 2], "day changed by day");
    EXPECT_EQ(recorder.Events.back(), "structure");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DayDelete,
    testing::Values(
        DeleteCase{"00:00-06:00, 06:00-24:00", 0, "00:00-24:00 17"},
        DeleteCase{"00:00-06:00, 06:00-24:00", 1, "00:00-24:00 17"},
        DeleteCase{"00:00-06:00, 06:00-22:00, 22:00-24:00", 2, "00:00-06:00 17, 06:00-24:00 17"},
        DeleteCase{"00:00-06:00, 06:00-22:00, 22:00-24:00", 1, "00:00-22:00 17, 22:00-24:00 17"},
        DeleteCase{"00:00-06:00, 06:00-22:00, 22:00-24:00", 0, "00:00-22:00 17, 22:00-24:00 17"},
        DeleteCase{"00:00-24:00", 0, ""}));

TEST(Day, SplitGivesTwoPeriodsWithSeparateEqualTemperatures) {
    auto day = Day("00:00-06:00, 06:00-08:00 21, 08:00-24:00");
    ASSERT_TRUE(day->SplitPeriod(&day->Items(1), T("07:07")));
    EXPECT_EQ(DayText(*day), "00:00-06:00 17, 06:00-07:00 21, 07:00-08:00 21, 08:00-24:00 17");
    EXPECT_EQ(day->Items(1).Temperature().Value(), 21.0);
    EXPECT_EQ(day->Items(2).Temperature().Value(), 21.0);
    day->Items(2).Temperature().SetValue(25.0);
    EXPECT_EQ(day->Items(1).Temperature().Value(), 21.0);
    EXPECT_EQ(WellFormedProblem(*day), "");
}

TEST(Day, SplitOfTheLastPeriodPassesItsMinStopOn) {
    auto day = Day("00:00-18:00, 18:00-24:00");
    ASSERT_TRUE(day->SplitPeriod(&day->Items(1), T("21:00")));
    EXPECT_EQ(DayText(*day), "00:00-18:00 17, 18:00-21:00 17, 21:00-24:00 17");
    EXPECT_EQ(day->Items(1).MinStop(), 0.0);
    EXPECT_EQ(day->Items(2).MinStop(), 1.0);
    EXPECT_EQ(WellFormedProblem(*day), "");
}

struct RefusedSplit {
    const char* Day;
    int Index;
    const char* At;
};
class DaySplitRefused : public testing::TestWithParam<RefusedSplit> {};

TEST_P(DaySplitRefused, ChangesNothing) {
    auto day = Day(GetParam().Day);
    const std::string before = DayText(*day);
    DayRecorder recorder(*day);
    EXPECT_FALSE(day->SplitPeriod(&day->Items(GetParam().Index), T(GetParam().At)));
    EXPECT_EQ(DayText(*day), before);
    EXPECT_TRUE(recorder.Events.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DaySplitRefused,
    testing::Values(RefusedSplit{"00:00-06:00, 06:00-06:20, 06:20-24:00", 1, "06:05"},
                    RefusedSplit{"00:00-06:00, 06:00-06:20, 06:20-24:00", 1, "06:00"},
                    RefusedSplit{"00:00-06:00, 06:00-08:00, 08:00-24:00", 1, "08:00"},
                    RefusedSplit{"00:00-01:00, 01:00-02:00, 02:00-03:00, 03:00-04:00, 04:00-05:00, "
                                 "05:00-06:00, 06:00-24:00",
                                 6, "12:00"}));

TEST(Day, AssignCopiesIntoSeparateWellFormedPeriods) {
    auto source = Day("00:00-06:00 17, 06:00-22:00 21.5, 22:00-24:00 15");
    auto target = Day("00:00-01:00, 01:00-02:00, 02:00-03:00, 03:00-04:00, 04:00-24:00");
    DayRecorder recorder(*target);
    target->Assign(*source);
    EXPECT_EQ(DayText(*target), DayText(*source));
    EXPECT_EQ(WellFormedProblem(*target), "");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(target->Items(i).Temperature().Value(), source->Items(i).Temperature().Value());
        EXPECT_NE(&target->Items(i), &source->Items(i));
    }
    EXPECT_EQ(recorder.Events.back(), "structure");
    EXPECT_EQ(std::count(recorder.Events.begin(), recorder.Events.end(), "structure"), 4);
    target->Items(1).Temperature().SetValue(10.0);
    EXPECT_EQ(source->Items(1).Temperature().Value(), 21.5);
}

TEST(Day, AssignToItselfKeepsTheProgram) {
    auto day = Day("00:00-06:00 17, 06:00-24:00 21");
    day->Assign(*day);
    EXPECT_EQ(DayText(*day), "00:00-06:00 17, 06:00-24:00 21");
}

// A start edge dragged to a time: SetStart plus AlignPreviousStop during the drag, then the
// repair on release; MoveStart does it all at once.
struct DragCase {
    const char* Before;
    int Index;
    const char* DragTo;
    const char* DuringDrag;
    const char* AfterRelease;
};
class DayResolveOverlaps : public testing::TestWithParam<DragCase> {};

TEST_P(DayResolveOverlaps, RepairsTheDay) {
    const DragCase& c = GetParam();
    auto day = Day(c.Before);
    TSingleHeatingInterval* period = &day->Items(c.Index);
    period->SetStart(T(c.DragTo));
    day->AlignPreviousStop(period);
    EXPECT_EQ(DayText(*day), c.DuringDrag);
    day->ResolveOverlaps(period);
    EXPECT_EQ(DayText(*day), c.AfterRelease);
    EXPECT_EQ(WellFormedProblem(*day), "");
    // The keys and the exact-value dialog move the start in one call, to the same day.
    auto moved = Day(c.Before);
    moved->MoveStart(&moved->Items(c.Index), T(c.DragTo));
    EXPECT_EQ(DayText(*moved), c.AfterRelease);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DayResolveOverlaps,
    testing::Values(DragCase{"00:00-06:00, 06:00-09:00, 09:00-24:00", 2, "05:00",
                             "00:00-06:00 17, 06:00-06:10 17, 05:00-24:00 17",
                             "00:00-05:00 17, 05:00-24:00 17"},
                    DragCase{"00:00-06:00, 06:00-09:00, 09:00-24:00", 2, "07:00",
                             "00:00-06:00 17, 06:00-07:00 17, 07:00-24:00 17",
                             "00:00-06:00 17, 06:00-07:00 17, 07:00-24:00 17"},
                    // across every predecessor: the dragged period becomes the first
                    DragCase{"00:00-06:00, 06:00-09:00, 09:00-24:00", 2, "00:00",
                             "00:00-06:00 17, 06:00-06:10 17, 00:00-24:00 17", "00:00-24:00 17"},
                    // the start cannot pass the period's own stop minus 10 minutes
                    DragCase{"00:00-06:00, 06:00-09:00, 09:00-24:00", 1, "10:00",
                             "00:00-08:50 17, 08:50-09:00 17, 09:00-24:00 17",
                             "00:00-08:50 17, 08:50-09:00 17, 09:00-24:00 17"}));

// The forward pass: a period whose stop moved later covers or overlaps its successors.
struct StopCase {
    const char* Before;
    int Index;
    const char* StopAt;
    const char* AfterRelease;
};
class DayResolveOverlapsForward : public testing::TestWithParam<StopCase> {};

TEST_P(DayResolveOverlapsForward, RemovesCoveredSuccessors) {
    auto day = Day(GetParam().Before);
    TSingleHeatingInterval* period = &day->Items(GetParam().Index);
    period->SetStop(T(GetParam().StopAt));
    day->ResolveOverlaps(period);
    EXPECT_EQ(DayText(*day), GetParam().AfterRelease);
    EXPECT_EQ(WellFormedProblem(*day),
              ""); // also the bounds: a period become last has MinStop 24:00
}

INSTANTIATE_TEST_SUITE_P(
    Stops, DayResolveOverlapsForward,
    testing::Values(StopCase{"00:00-06:00, 06:00-08:00, 08:00-09:00, 09:00-24:00", 1, "10:00",
                             "00:00-06:00 17, 06:00-10:00 17, 10:00-24:00 17"},
                    // covers every successor: the period becomes the last
                    StopCase{"00:00-06:00, 06:00-08:00, 08:00-09:00, 09:00-24:00", 1, "24:00",
                             "00:00-06:00 17, 06:00-24:00 17"},
                    StopCase{"00:00-06:00, 06:00-24:00", 0, "24:00", "00:00-24:00 17"}));

// The order in which a day's operations notify, with the day as each subscriber sees it then.
struct NotificationCase {
    const char* Name;
    const char* Before;
    std::function<void(TDailyHeatingIntervals&)> Prepare; // before the log starts
    std::function<void(TDailyHeatingIntervals&)> Edit;
    std::vector<std::string> Events;
};
class DayNotifications : public testing::TestWithParam<NotificationCase> {};

TEST_P(DayNotifications, ComeInThisOrder) {
    auto day = Day(GetParam().Before);
    if (GetParam().Prepare)
        GetParam().Prepare(*day);
    DayLog log(*day);
    GetParam().Edit(*day);
    EXPECT_EQ(log.Events, GetParam().Events);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, DayNotifications,
    testing::Values(
        // the predecessor gives way before the new period is in the list
        NotificationCase{"Insert",
                         "00:00-06:00, 06:00-24:00",
                         nullptr,
                         [](TDailyHeatingIntervals& d) { d.Insert(1, Period("03:00", "06:00")); },
                         {"period 0 changed: 00:00-03:00 17, 06:00-24:00 17", "  times 00:00-03:00",
                          "period 1 changed: 00:00-03:00 17, 03:00-06:00 17, 06:00-24:00 17",
                          "structure: 00:00-03:00 17, 03:00-06:00 17, 06:00-24:00 17"}},
        NotificationCase{
            "SplitPeriod",
            "00:00-06:00, 06:00-08:00 21, 08:00-24:00",
            nullptr,
            [](TDailyHeatingIntervals& d) { d.SplitPeriod(&d.Items(1), T("07:07")); },
            {"period 1 changed: 00:00-06:00 17, 06:00-07:00 21, 08:00-24:00 17",
             "  times 06:00-07:00",
             "period 1 changed: 00:00-06:00 17, 06:00-07:00 21, 08:00-24:00 17",
             "  times 06:00-07:00",
             "period 2 changed: 00:00-06:00 17, 06:00-07:00 21, 07:00-08:00 21, 08:00-24:00 17",
             "structure: 00:00-06:00 17, 06:00-07:00 21, 07:00-08:00 21, 08:00-24:00 17"}},
        // the drag of the third start to 05:00: the backward pass deletes the second period
        NotificationCase{"ResolveOverlapsBackward",
                         "00:00-06:00, 06:00-09:00, 09:00-24:00",
                         [](TDailyHeatingIntervals& d) {
                             d.Items(2).SetStart(T("05:00"));
                             d.AlignPreviousStop(&d.Items(2));
                         },
                         [](TDailyHeatingIntervals& d) { d.ResolveOverlaps(&d.Items(2)); },
                         {"period 1 changed: 00:00-06:00 17, 06:00-24:00 17, 05:00-24:00 17",
                          "  times 06:00-24:00",
                          "period 1 changed: 00:00-06:00 17, 06:10-24:00 17, 05:00-24:00 17",
                          "  times 06:10-24:00",
                          "period 0 changed: 00:00-06:10 17, 06:10-24:00 17, 05:00-24:00 17",
                          "  times 00:00-06:10", "day changed: 00:00-06:10 17, 05:00-24:00 17",
                          "structure: 00:00-06:10 17, 05:00-24:00 17",
                          "period 0 changed: 00:00-05:00 17, 05:00-24:00 17",
                          "  times 00:00-05:00"}},
        // the stop of the second period moved to 10:00: the forward pass deletes the third
        NotificationCase{
            "ResolveOverlapsForward",
            "00:00-06:00, 06:00-08:00, 08:00-09:00, 09:00-24:00",
            [](TDailyHeatingIntervals& d) { d.Items(1).SetStop(T("10:00")); },
            [](TDailyHeatingIntervals& d) { d.ResolveOverlaps(&d.Items(1)); },
            {"period 2 changed: 00:00-06:00 17, 06:00-10:00 17, 08:00-24:00 17, 09:00-24:00 17",
             "  times 08:00-24:00",
             "period 2 changed: 00:00-06:00 17, 06:00-10:00 17, 09:00-24:00 17, 09:00-24:00 17",
             "  times 09:00-24:00",
             "period 1 changed: 00:00-06:00 17, 06:00-09:00 17, 09:00-24:00 17, 09:00-24:00 17",
             "  times 06:00-09:00", "day changed: 00:00-06:00 17, 06:00-09:00 17, 09:00-24:00 17",
             "structure: 00:00-06:00 17, 06:00-09:00 17, 09:00-24:00 17",
             "period 1 changed: 00:00-06:00 17, 06:00-10:00 17, 09:00-24:00 17",
             "  times 06:00-10:00",
             "period 2 changed: 00:00-06:00 17, 06:00-10:00 17, 10:00-24:00 17",
             "  times 10:00-24:00"}}),
    [](const testing::TestParamInfo<NotificationCase>& info) { return info.param.Name; });

TEST(Day, CloneIsDeepAndUnsubscribed) {
    auto day = Day("00:00-06:00 17, 06:00-24:00 21");
    auto copy = day->Clone();
    EXPECT_EQ(DayText(*copy), DayText(*day));
    EXPECT_EQ(WellFormedProblem(*copy), "");
    bool notified = false;
    day->OnChange = [&](TModelObject*) { notified = true; };
    copy->Items(0).SetStop(T("07:00"));
    EXPECT_FALSE(notified);
    EXPECT_EQ(DayText(*day), "00:00-06:00 17, 06:00-24:00 21");
}
