#include "ModelTestSupport.h"

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
    EXPECT_EQ(Describe(*day), GetParam().After);
    ASSERT_GE(recorder.Events.size(), 2u);
    EXPECT_EQ(recorder.Events[recorder.Events.size() - 2], "day changed by day");
    EXPECT_EQ(recorder.Events.back(), "structure");
}

INSTANTIATE_TEST_SUITE_P(Cases, DayDelete,
                         testing::Values(DeleteCase{"00:00-06:00, 06:00-24:00", 0, "00:00-24:00"},
                                         DeleteCase{"00:00-06:00, 06:00-24:00", 1, "00:00-24:00"},
                                         DeleteCase{"00:00-06:00, 06:00-22:00, 22:00-24:00", 2,
                                                    "00:00-06:00, 06:00-24:00"},
                                         DeleteCase{"00:00-06:00, 06:00-22:00, 22:00-24:00", 1,
                                                    "00:00-22:00, 22:00-24:00"},
                                         DeleteCase{"00:00-06:00, 06:00-22:00, 22:00-24:00", 0,
                                                    "00:00-22:00, 22:00-24:00"},
                                         DeleteCase{"00:00-24:00", 0, ""}));

TEST(Day, SplitGivesTwoPeriodsWithSeparateEqualTemperatures) {
    auto day = Day("00:00-06:00, 06:00-08:00 21, 08:00-24:00");
    ASSERT_TRUE(day->SplitPeriod(&day->Items(1), T("07:07")));
    EXPECT_EQ(Describe(*day), "00:00-06:00, 06:00-07:00, 07:00-08:00, 08:00-24:00");
    EXPECT_EQ(day->Items(1).Temperature().Value(), 21.0);
    EXPECT_EQ(day->Items(2).Temperature().Value(), 21.0);
    day->Items(2).Temperature().SetValue(25.0);
    EXPECT_EQ(day->Items(1).Temperature().Value(), 21.0);
    EXPECT_EQ(WellFormedProblem(*day), "");
}

TEST(Day, SplitOfTheLastPeriodPassesItsMinStopOn) {
    auto day = Day("00:00-18:00, 18:00-24:00");
    ASSERT_TRUE(day->SplitPeriod(&day->Items(1), T("21:00")));
    EXPECT_EQ(Describe(*day), "00:00-18:00, 18:00-21:00, 21:00-24:00");
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
    const std::string before = Describe(*day);
    DayRecorder recorder(*day);
    EXPECT_FALSE(day->SplitPeriod(&day->Items(GetParam().Index), T(GetParam().At)));
    EXPECT_EQ(Describe(*day), before);
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
    EXPECT_EQ(Describe(*target), Describe(*source));
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
    EXPECT_EQ(Describe(*day), "00:00-06:00, 06:00-24:00");
    EXPECT_EQ(day->Items(1).Temperature().Value(), 21.0);
}

// A start edge dragged to a time: SetStart plus AlignPreviousStop during the drag, then the
// repair on release.
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
    EXPECT_EQ(Describe(*day), c.DuringDrag);
    day->ResolveOverlaps(period);
    EXPECT_EQ(Describe(*day), c.AfterRelease);
    EXPECT_EQ(WellFormedProblem(*day), "");
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DayResolveOverlaps,
    testing::Values(DragCase{"00:00-06:00, 06:00-09:00, 09:00-24:00", 2, "05:00",
                             "00:00-06:00, 06:00-06:10, 05:00-24:00", "00:00-05:00, 05:00-24:00"},
                    DragCase{"00:00-06:00, 06:00-09:00, 09:00-24:00", 2, "07:00",
                             "00:00-06:00, 06:00-07:00, 07:00-24:00",
                             "00:00-06:00, 06:00-07:00, 07:00-24:00"},
                    // across every predecessor: the dragged period becomes the first
                    DragCase{"00:00-06:00, 06:00-09:00, 09:00-24:00", 2, "00:00",
                             "00:00-06:00, 06:00-06:10, 00:00-24:00", "00:00-24:00"},
                    // the start cannot pass the period's own stop minus 10 minutes
                    DragCase{"00:00-06:00, 06:00-09:00, 09:00-24:00", 1, "10:00",
                             "00:00-08:50, 08:50-09:00, 09:00-24:00",
                             "00:00-08:50, 08:50-09:00, 09:00-24:00"}));

TEST(Day, ResolveOverlapsForwardPassRemovesCoveredSuccessors) {
    auto day = Day("00:00-06:00, 06:00-08:00, 08:00-09:00, 09:00-24:00");
    TSingleHeatingInterval* period = &day->Items(1);
    period->SetStop(T("10:00")); // now covers 08:00-09:00 and overlaps 09:00-24:00
    day->ResolveOverlaps(period);
    EXPECT_EQ(Describe(*day), "00:00-06:00, 06:00-10:00, 10:00-24:00");
    EXPECT_EQ(WellFormedProblem(*day), "");
}

TEST(Day, CloneIsDeepAndUnsubscribed) {
    auto day = Day("00:00-06:00 17, 06:00-24:00 21");
    auto copy = day->Clone();
    EXPECT_EQ(Describe(*copy), Describe(*day));
    EXPECT_EQ(WellFormedProblem(*copy), "");
    bool notified = false;
    day->OnChange = [&](TModelObject*) { notified = true; };
    copy->Items(0).SetStop(T("07:00"));
    EXPECT_FALSE(notified);
    EXPECT_EQ(Describe(*day), "00:00-06:00, 06:00-24:00");
}
