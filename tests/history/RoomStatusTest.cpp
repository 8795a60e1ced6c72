// A room's state against the program last sent: never sent, sent, or changed on which days, by
// what the controller would hold and not by how many edits were made.
#include "HistoryTestSupport.h"
#include "zeft_RoomStatus.h"

#include <gtest/gtest.h>

namespace zeft::test {
namespace {

TEST(RoomStatus, ComparesWithTheProgramLastSent) {
    using S = TRoomStatus;
    const QDateTime at(QDate(2024, 3, 1), QTime(6, 30), Qt::UTC);
    const std::function<void(THeatingLocation&)> unchanged = [](THeatingLocation&) {};
    struct {
        const char* what;
        bool sent;
        std::function<void(THeatingLocation&)> edit;
        S::TState state;
        std::vector<int> days;
    } const cases[] = {
        {"never sent", false, unchanged, S::NeverSent, {}},
        {"the same", true, unchanged, S::Sent, {}},
        {"a temperature on Tuesday",
         true,
         [](THeatingLocation& l) { l.Days(1).Items(0).Temperature().SetValue(29); },
         S::ChangedSinceSent,
         {1}},
        {"a time on Monday and a period more on Sunday",
         true,
         [](THeatingLocation& l) {
             l.Days(0).MoveStart(&l.Days(0).Items(1), TimeOf(6, 40));
             l.Days(6).SplitPeriod(&l.Days(6).Items(0), TimeOf(3, 0));
         },
         S::ChangedSinceSent,
         {0, 6}},
        {"changed and changed back",
         true,
         [](THeatingLocation& l) {
             l.Days(3).Items(0).Temperature().SetValue(20.2);
             l.Days(3).Items(0).Temperature().SetValue(20.1);
             l.Days(0).MoveStart(&l.Days(0).Items(1), TimeOf(7, 0));
             l.Days(0).MoveStart(&l.Days(0).Items(1), TimeOf(6, 30));
         },
         S::Sent,
         {}},
    };
    for (const auto& c : cases) {
        const auto now = Week("Hall", MixedWeek);
        c.edit(*now);
        const TSentProgram sent{at, Week("Hall", MixedWeek)};
        const TRoomStatus status = CompareWithSent(*now, c.sent ? &sent : nullptr);
        EXPECT_EQ(status.State, c.state) << c.what;
        EXPECT_EQ(status.DifferingDays, c.days) << c.what;
        EXPECT_EQ(status.SentAt, c.sent ? at : QDateTime()) << c.what;
    }
}

} // namespace
} // namespace zeft::test
