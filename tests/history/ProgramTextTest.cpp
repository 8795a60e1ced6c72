// The program text the history keeps: written exactly and read back to the same week, and
// anything else refused, since it comes from a file on disk.
#include "HistoryTestSupport.h"
#include "zeft_ProgramText.h"

#include <gtest/gtest.h>

namespace zeft::test {
namespace {

TEST(ProgramText, WritesTheDocumentedFormAndReadsItBack) {
    const auto week = Week("Kitchen", MixedWeek);
    const std::string text = ProgramText(*week);
    EXPECT_EQ(text.substr(0, text.find('|')), "00:00-06:30 17;06:30-22:00 20.5;22:00-24:00 5");
    EXPECT_EQ(PeriodCount(*week), 18);
    const auto back = ParseProgramText(text, "Bath");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->DisplayText, "Bath");
    EXPECT_EQ(ProgramText(*back), text);
    EXPECT_EQ(ProgramText(THeatingLocation()), ""); // a location without days
}

TEST(ProgramText, RefusesWhatIsNotAWellFormedWeek) {
    std::string sixDays;
    for (int d = 0; d < 6; ++d)
        sixDays += "00:00-24:00 17|";
    const std::pair<const char*, bool> lastDays[] = {
        {"00:00-24:00 17", true}, // the control
        {"", false},
        {"00:00-24:00 17|00:00-24:00 17", false}, // eight days
        {"00:10-24:00 17", false},
        {"00:00-23:50 17", false},
        {"00:00-06:00 17;06:10-24:00 17", false}, // gap
        {"00:00-06:00 17;05:50-24:00 17", false}, // overlap
        {"00:00-06:05 17;06:05-24:00 17", false}, // off the 10-minute grid
        {"00:00-00:00 17;00:00-24:00 17", false},
        {"00:00-06:60 17;06:60-24:00 17", false},
        {"00:00-01:00 5;01:00-02:00 5;02:00-03:00 5;03:00-04:00 5;04:00-05:00 5;05:00-06:00 5;"
         "06:00-07:00 5;07:00-24:00 5",
         false}, // eight periods
        {"00:00-24:00 4.5", false},
        {"00:00-24:00 30", false},
        {"00:00-24:00 nan", false},
        {"00:00-24:00 17x", false},
        {"00:00-24:00 ", false},
        {"00:00-24:00 17;", false},
        {"0:00-24:00 17", false},
    };
    for (const auto& [lastDay, good] : lastDays)
        EXPECT_EQ(ParseProgramText(sixDays + lastDay) != nullptr, good) << lastDay;
}

} // namespace
} // namespace zeft::test
