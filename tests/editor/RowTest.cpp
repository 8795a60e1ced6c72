#include "EditorTestSupport.h"
#include "zeft_DisplayScale.h"
#include "zeft_EditorGeometry.h"

#include <QPointer>
#include <QTest>
#include <gmock/gmock.h>

namespace zeft::test {
namespace {

class RowTest : public TRowFixture {};

TEST_F(RowTest, ARowWithoutParentHasNoControlsUntilItGetsOne) {
    Day = MakeDay({{0, 0, 6, 0, 17}, {6, 0, 24, 0, 21}});
    Window = std::make_unique<QWidget>();
    auto row = std::make_unique<TDailyComfortIntervalsSlider>(Day.get());
    row->resize(494, 43);
    EXPECT_EQ(row->Sliders().Count(), 0);
    row->Rebuild();
    EXPECT_EQ(row->Sliders().Count(), 0);

    row->setParent(Window.get());
    Row = row.release();
    ASSERT_EQ(SliderCount(), 2);
    EXPECT_EQ(Slider(0)->Interval(), &Day->Items(0));
    EXPECT_EQ(Slider(1)->Interval(), &Day->Items(1));
    EXPECT_EQ(Slider(1)->geometry(), QRect(118, 0, 356, 27));
}

TEST_F(RowTest, SplitOfSixToTwentyTwoAtScale474GivesThirteenFifty) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 22, 0, 21}, {22, 0, 24, 0, 17}});
    Slider(1)->SetSelected(true);
    Row->SplitSelected();
    EXPECT_EQ(DayText(*Day), "00:00-06:00 17, 06:00-13:50 21, 13:50-22:00 21, 22:00-24:00 17");
    EXPECT_EQ(Day->Items(2).Temperature().Value(), 21.0);
    ASSERT_EQ(SliderCount(), 4);
    EXPECT_EQ(SelectedCount(), 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Slider(i)->Interval(), &Day->Items(i));
    // Nothing selected any more: a second call splits nothing.
    Row->SplitSelected();
    EXPECT_EQ(Day->Count(), 4);
}

TEST_F(RowTest, AFullDayRefusesTheSplitAndAOnePeriodDayTheDrag) {
    Show({{0, 0, 1, 0, 17},
          {1, 0, 2, 0, 18},
          {2, 0, 3, 0, 19},
          {3, 0, 4, 0, 20},
          {4, 0, 5, 0, 21},
          {5, 0, 6, 0, 22},
          {6, 0, 24, 0, 23}});
    EXPECT_FALSE(Slider(6)->CanSplit());
    EXPECT_TRUE(Slider(6)->OnCanDrag());
    Slider(6)->SetSelected(true);
    Row->SplitSelected();
    EXPECT_EQ(Day->Count(), 7);
    EXPECT_TRUE(Slider(6)->Selected()) << "a refused split rebuilds nothing";

    auto single = MakeDay({{0, 0, 24, 0, 17}});
    Row->SetIntervals(single.get());
    ASSERT_EQ(SliderCount(), 1);
    EXPECT_FALSE(Slider(0)->OnCanDrag());
    EXPECT_TRUE(Slider(0)->CanSplit());
    Row->SetIntervals(Day.get());
}

TEST_F(RowTest, RebuildsAfterADeletionOrADayCopyLeaveNothingSelected) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 22, 0, 21}, {22, 0, 24, 0, 17}});
    Slider(0)->SetSelected(true);
    Slider(2)->SetSelected(true);
    Day->Delete(1);
    ASSERT_EQ(SliderCount(), 2);
    EXPECT_EQ(SelectedCount(), 0);
    EXPECT_EQ(Slider(0)->GetRight(), TimeToPixel(TimeOf(22, 0), 474));

    Slider(1)->SetSelected(true);
    auto monday = MakeDay({{0, 0, 8, 0, 15}, {8, 0, 17, 30, 20}, {17, 30, 24, 0, 15}});
    Day->Assign(*monday);
    ASSERT_EQ(SliderCount(), 3);
    EXPECT_EQ(SelectedCount(), 0);
    EXPECT_EQ(Slider(1)->Interval(), &Day->Items(1));
    EXPECT_EQ(Slider(1)->BackgroundColor(), QColor(0xFF, 0x4D, 0x00));
}

TEST_F(RowTest, ResizingReLaysOutTheSameControlsAndKeepsTheSelection) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 22, 0, 21}, {22, 0, 24, 0, 17}});
    QPointer<TSingleComfortIntervalSlider> middle = Slider(1);
    middle->SetSelected(true);

    Row->resize(750, 64); // scale Round(720) = 720, legend Round(64 - 27) = 37
    ASSERT_FALSE(middle.isNull());
    EXPECT_EQ(Slider(1), middle.data());
    EXPECT_TRUE(middle->Selected());
    EXPECT_EQ(middle->Scale(), 720);
    EXPECT_EQ(middle->geometry(), QRect(180, 0, 480, 27));
    EXPECT_EQ(Slider(2)->geometry(), QRect(660, 0, 60, 27));
    EXPECT_EQ(Row->Legend().geometry(), QRect(0, 27, 750, 37));

    Row->resize(501, 43); // scale Round(480.96) = 481
    EXPECT_EQ(middle->Scale(), 481);
    EXPECT_EQ(middle->geometry(), QRect(120, 0, 321, 27)); // Round(120.25), Round(320.67)
    EXPECT_TRUE(middle->Selected());

    SetDisplayScale(1.5);
    Row->resize(750, 70); // legend Round(70 - 40.5) = 30 (ties to even: 29.5 -> 30)
    EXPECT_EQ(Row->Legend().height(), 30);
    EXPECT_EQ(middle->height(), 40);
}

TEST_F(RowTest, ApplyTemperatureChangesOnlyTheSelectedPeriodWithinTheModelsLimits) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 22, 0, 21}, {22, 0, 24, 0, 17}});
    Row->ApplyTemperature(25.0);
    EXPECT_EQ(Day->Items(0).Temperature().Value(), 17.0);
    EXPECT_EQ(Day->Items(1).Temperature().Value(), 21.0);
    EXPECT_EQ(Day->Items(2).Temperature().Value(), 17.0);

    Slider(1)->SetSelected(true);
    Row->ApplyTemperature(35.0);
    EXPECT_EQ(Day->Items(1).Temperature().Value(), 29.5);
    EXPECT_EQ(Slider(1)->BackgroundColor(), QColor(0xC7, 0x00, 0x18));
    EXPECT_EQ(Slider(1)->CaptionText(), QString::fromUtf8("06:00 29,5°C"));
    EXPECT_EQ(Slider(1)->toolTip(), QString::fromUtf8("06:00 29,5°C"));
    Row->ApplyTemperature(17.0);
    EXPECT_EQ(Slider(1)->BackgroundColor(), QColor(0x59, 0xAC, 0xFF));
    EXPECT_EQ(Day->Items(0).Temperature().Value(), 17.0);
    EXPECT_EQ(Day->Items(2).Temperature().Value(), 17.0);
}

TEST_F(RowTest, DeselectAllExceptKeepsOnlyTheGivenControl) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 22, 0, 21}, {22, 0, 24, 0, 17}});
    for (int i = 0; i < 3; ++i)
        Slider(i)->SetSelected(true);
    Row->DeselectAllExcept(Slider(2));
    EXPECT_FALSE(Slider(0)->Selected());
    EXPECT_FALSE(Slider(1)->Selected());
    EXPECT_TRUE(Slider(2)->Selected());
    Row->DeselectAllExcept(nullptr); // a control of another row
    EXPECT_EQ(SelectedCount(), 0);
}

TEST_F(RowTest, ASelectionIsPassedOnToTheRowsSlot) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 24, 0, 21}});
    std::vector<TSingleComfortIntervalSlider*> selected;
    Row->OnSliderSelected = [&selected](TSingleComfortIntervalSlider* c) { selected.push_back(c); };
    Click(Slider(1));
    EXPECT_THAT(selected, ::testing::ElementsAre(Slider(1)));
    EXPECT_EQ(TDailyComfortIntervalsSlider::RowOf(Slider(1)), Row);
    EXPECT_EQ(TDailyComfortIntervalsSlider::RowOf(nullptr), nullptr);
}

TEST_F(RowTest, AnotherDayIsShownAndTheOldOneNoLongerReachesTheRow) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 24, 0, 21}});
    QPointer<TSingleComfortIntervalSlider> old = Slider(1);
    auto other = MakeDay({{0, 0, 12, 0, 19}, {12, 0, 20, 0, 22}, {20, 0, 24, 0, 16}});
    Row->SetIntervals(other.get());
    // The old control is out of service at once but destroyed only on the next turn of the
    // event loop: the rebuild may run while the toolkit still delivers an event to it.
    ASSERT_FALSE(old.isNull());
    EXPECT_FALSE(old->isVisible());
    EXPECT_EQ(old->Interval(), nullptr);
    EXPECT_FALSE(old->OnSelect);
    DeleteLater();
    EXPECT_TRUE(old.isNull());
    ASSERT_EQ(SliderCount(), 3);
    EXPECT_EQ(Slider(2)->Interval(), &other->Items(2));

    // Changes of the day no longer shown change nothing on screen.
    Day->Items(1).SetStart(TimeOf(8, 0));
    Day->Items(1).Temperature().SetValue(25.0);
    Day->Delete(1);
    ASSERT_EQ(SliderCount(), 3);
    EXPECT_EQ(Slider(1)->Interval(), &other->Items(1));

    Row->SetIntervals(nullptr);
    EXPECT_EQ(SliderCount(), 0);
    other->Delete(0); // nobody listens any more
    Row->SetIntervals(Day.get());
    EXPECT_EQ(SliderCount(), 1);
}

TEST_F(RowTest, ADayThatOutlivesItsRowNotifiesNobody) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 22, 0, 21}, {22, 0, 24, 0, 17}});
    Window.reset(); // the row and its controls go first
    Row = nullptr;
    Day->Items(1).SetStart(TimeOf(7, 0));
    Day->Items(2).Temperature().SetValue(20.0);
    Day->SplitPeriod(&Day->Items(1), TimeOf(12, 0));
    Day->Delete(0);
    EXPECT_EQ(DayText(*Day), "00:00-12:00 21, 12:00-22:00 21, 22:00-24:00 20");
}

} // namespace
} // namespace zeft::test
