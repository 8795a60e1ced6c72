#include "DayText.h"
#include "MainFormFixture.h"
#include "TDragTimeTip.h"
#include "TPeriodDialog.h"
#include "zeft_DisplayScale.h"
#include "zeft_Routines.h"
#include "zeft_TimeText.h"

#include <QAbstractItemView>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimeEdit>
#include <QUndoStack>

using namespace zeft;
using namespace zeft::test;

namespace {

QPoint Middle(QWidget* w) {
    return w->rect().center();
}

} // namespace

TEST_F(MainFormTest, TheChooserHoldsFiftyColouredTemperaturesAndNoneSelected) {
    Start();
    TTemperatureChooser* chooser = Form->cmbTemperature;
    ASSERT_EQ(chooser->count(), 50);
    EXPECT_EQ(chooser->currentIndex(), -1);
    EXPECT_EQ(chooser->itemText(0), "5.0\u00b0C");
    EXPECT_EQ(chooser->itemText(1), "5.5\u00b0C");
    EXPECT_EQ(chooser->itemText(49), "29.5\u00b0C");
    EXPECT_EQ(chooser->Temperature(33)->Value(), 21.5);
    EXPECT_EQ(chooser->maxVisibleItems(), 25);
    EXPECT_EQ(chooser->width(), Form->lbDays->width());

    // Dropped down: 25 items of 16 pixels and a scroll bar for the other 25.
    chooser->showPopup();
    QAbstractItemView* list = chooser->view();
    ASSERT_TRUE(list->isVisible());
    int visibleRows = 0;
    for (int row = 0; row < chooser->count(); ++row)
        if (list->viewport()->rect().contains(list->visualRect(list->model()->index(row, 0))))
            ++visibleRows;
    EXPECT_EQ(visibleRows, 25);
    EXPECT_EQ(list->visualRect(list->model()->index(0, 0)).height(), 16);
    EXPECT_TRUE(list->verticalScrollBar()->isVisible());
    EXPECT_GT(list->verticalScrollBar()->maximum(), 0);
    chooser->hidePopup();
}

TEST_F(MainFormTest, SelectingAPeriodSetsTheChooserAndPickingATemperatureChangesIt) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Start();
    SelectLocation("Bathroom");
    TSingleComfortIntervalSlider* slider = Slider(0, 1); // 06:30-09:00 at 22 degrees
    ASSERT_NE(slider, nullptr);
    slider->Interval()->Temperature().SetValue(21.5);
    Click(slider, Middle(slider));
    ASSERT_TRUE(slider->Selected());
    EXPECT_EQ(Form->cmbTemperature->currentText(), "21,5\u00b0C");
    EXPECT_TRUE(Command("SplitSingleInterval")->isEnabled());
    EXPECT_FALSE(Form->Modified());

    const int index = Form->cmbTemperature->findText("17,0\u00b0C");
    ASSERT_GE(index, 0);
    Form->cmbTemperature->setCurrentIndex(index);
    emit Form->cmbTemperature->activated(index);
    EXPECT_EQ(slider->Interval()->Temperature().Value(), 17.0);
    EXPECT_EQ(slider->BackgroundColor(), QColor(0x59, 0xAC, 0xFF));
    EXPECT_TRUE(Form->Modified()); // a temperature is an edit like any other
}

TEST_F(MainFormTest, PickingATemperatureWithoutASelectedPeriodChangesNothing) {
    Start();
    const std::string before = DayText(Form->CurrentLocation()->Days(0));
    emit Form->cmbTemperature->activated(0);
    EXPECT_EQ(DayText(Form->CurrentLocation()->Days(0)), before);
    EXPECT_FALSE(Form->Modified());
}

TEST_F(MainFormTest, SelectingAPeriodOffTheHalfDegreeGridShowsNoChooserItem) {
    Start();
    TSingleComfortIntervalSlider* slider = Slider(0, 0);
    slider->Interval()->Temperature().SetValue(17.25);
    Click(slider, Middle(slider));
    EXPECT_EQ(Form->cmbTemperature->currentIndex(), -1);
}

TEST_F(MainFormTest, TheSplitCommandSplitsTheSelectedPeriodOnceThenWaits) {
    Start();
    SelectLocation(
        "Hall"); // Monday 00:00-06:30, 06:30-09:00, 09:00-17:00, 17:00-23:00, 23:00-24:00
    TSingleComfortIntervalSlider* slider = Slider(0, 2);
    Click(slider, Middle(slider));
    ASSERT_TRUE(Command("SplitSingleInterval")->isEnabled());
    EXPECT_EQ(Command("SplitSingleInterval")->data().toInt(), 0);
    Form->btnSplitInterval->click();
    EXPECT_EQ(Form->CurrentLocation()->Days(0).Count(), 6);
    EXPECT_FALSE(Command("SplitSingleInterval")->isEnabled());
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(Form->Modified());
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(Slider(0, i)->Selected());
}

TEST_F(MainFormTest, TheSplitCommandOnAFullDayShowsTheLimitAndStaysEnabled) {
    Start();
    SelectLocation("Kitchen"); // weekdays hold seven periods
    TSingleComfortIntervalSlider* slider = Slider(2, 3);
    Click(slider, Middle(slider));
    EXPECT_EQ(Command("SplitSingleInterval")->data().toInt(), 1);
    for (int attempt = 0; attempt < 2; ++attempt) {
        Form->btnSplitInterval->click();
        ASSERT_EQ(Messages.size(), static_cast<size_t>(attempt + 1));
        EXPECT_EQ(Messages.back().Caption, "Insert");
        EXPECT_EQ(Messages.back().Text,
                  "A maximum of 7 switching periods can be programmed for each day.");
        EXPECT_EQ(Messages.back().Icon, QMessageBox::Warning);
        EXPECT_TRUE(Command("SplitSingleInterval")->isEnabled());
        EXPECT_EQ(Form->CurrentLocation()->Days(2).Count(), 7);
    }
}

TEST_F(MainFormTest, DroppingAPeriodOnTheBinDeletesIt) {
    Start();
    SelectLocation("Living room"); // Monday 00:00-17:00, 17:00-23:00, 23:00-24:00
    TSingleComfortIntervalSlider* slider = Slider(0, 1);
    Drag(slider, Middle(slider), Form->imgTrashCan, Middle(Form->imgTrashCan));
    QApplication::processEvents();
    EXPECT_EQ(DayText(Form->CurrentLocation()->Days(0)), "00:00-23:00 17, 23:00-24:00 17");
    EXPECT_EQ(Form->DayRow(0)->Sliders().Count(), 2);
    EXPECT_TRUE(Form->Modified());
}

TEST_F(MainFormTest, ALonePeriodCannotBeDroppedOnTheBin) {
    Start();
    SelectLocation("Office 7 business days");
    Command("SchemeAdd")->trigger(); // Unnamed: one period a day
    TSingleComfortIntervalSlider* slider = Slider(3, 0);
    Drag(slider, Middle(slider), Form->imgTrashCan, Middle(Form->imgTrashCan));
    EXPECT_EQ(Form->CurrentLocation()->Days(3).Count(), 1);
}

TEST_F(MainFormTest, DraggingMondayOntoFridayCopiesTheDay) {
    Start();
    SelectLocation("Living room");
    Form->CurrentLocation()->Days(0).Items(1).Temperature().SetValue(22.5);
    const std::string monday = DayText(Form->CurrentLocation()->Days(0));
    const QRect mondayItem = Form->lbDays->visualItemRect(Form->lbDays->item(0));
    const QRect fridayItem = Form->lbDays->visualItemRect(Form->lbDays->item(4));
    Drag(Form->lbDays->viewport(), mondayItem.center(), Form->lbDays->viewport(),
         fridayItem.center());
    EXPECT_EQ(DayText(Form->CurrentLocation()->Days(4)), monday);
    EXPECT_NE(&Form->CurrentLocation()->Days(4).Items(0),
              &Form->CurrentLocation()->Days(0).Items(0));
    EXPECT_EQ(Form->DayRow(4)->Sliders().Count(), 3);
    EXPECT_TRUE(Form->Modified());
}

TEST_F(MainFormTest, DraggingADayOntoItselfOrOntoTheBinDoesNothing) {
    Start();
    SelectLocation("Office 5 1/2 business days");
    const std::string saturday = DayText(Form->CurrentLocation()->Days(5));
    const QRect item = Form->lbDays->visualItemRect(Form->lbDays->item(5));
    const QPointer<TSingleComfortIntervalSlider> shown = Slider(5, 0);
    // Within Saturday but well past the drag distance: a real drop onto the same day.
    const QPoint withinSaturday =
        item.center() + QPoint(QApplication::startDragDistance() * 2, item.height() / 2 - 2);
    ASSERT_TRUE(item.contains(withinSaturday));
    Drag(Form->lbDays->viewport(), item.center(), Form->lbDays->viewport(), withinSaturday);
    Drag(Form->lbDays->viewport(), item.center(), Form->imgTrashCan, Middle(Form->imgTrashCan));
    EXPECT_EQ(DayText(Form->CurrentLocation()->Days(5)), saturday);
    EXPECT_FALSE(Form->Modified());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Slider(5, 0), shown.data()) << "the location was displayed again";
}

TEST_F(MainFormTest, APeriodDroppedOnTheDayListIsRefused) {
    Start();
    SelectLocation("Living room");
    TSingleComfortIntervalSlider* slider = Slider(0, 1);
    Drag(slider, Middle(slider), Form->lbDays->viewport(), QPoint(10, 10));
    EXPECT_EQ(Form->CurrentLocation()->Days(0).Count(), 3);
}

struct LayoutCase {
    const char* Name;
    int Wider, Taller; // than the design size (client area 792 x 432)
    int ItemHeight;    // the day list's rows and the day rows: 301 pixels and more, div 7
    int RowWidth;      // 792 - 177 - (8 + 89 + 8) - 8 - 8 and more
    int Scale;         // Round(RowWidth x 24 / 25): the pixels of a day
    int ExitMargin;    // RowWidth div 25 + 8: the exit button's right edge sits under 24:00
};

const LayoutCase Layouts[] = {
    {"DesignSize", 0, 0, 43, 494, 474, 27},   {"TallerByLessThanARow", 0, 6, 43, 494, 474, 27},
    {"TallerByARow", 0, 7, 44, 494, 474, 27}, {"WiderByAFraction", 19, 0, 43, 513, 492, 28},
    {"Larger", 308, 70, 53, 802, 770, 40},
};

class MainFormLayout : public MainFormTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(MainFormLayout, PutsTheRowsBesideTheirDaysAndTheExitButtonUnder2400) {
    const LayoutCase& c = GetParam();
    Start();
    QWidget* client = Form->findChild<QWidget*>("ClientArea");
    ASSERT_EQ(client->size(), QSize(792, 432)) << "the window starts at the design size";
    Form->resize(Form->size() + QSize(c.Wider, c.Taller));
    QApplication::processEvents();
    ASSERT_EQ(client->size(), QSize(792 + c.Wider, 432 + c.Taller));
    EXPECT_EQ(Form->lbDays->ItemHeight(), c.ItemHeight);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Form->DayRow(i)->geometry(), QRect(8, i * c.ItemHeight, c.RowWidth, c.ItemHeight))
            << "row " << i;
        EXPECT_EQ(Form->lbDays->visualItemRect(Form->lbDays->item(i)).height(), c.ItemHeight);
    }
    const TDailyComfortIntervalsSlider* row = Form->DayRow(6);
    EXPECT_EQ(row->Scale(), c.Scale);
    const QWidget* buttons = Form->findChild<QWidget*>("paButtons");
    const int exitRight = Form->btnClose->geometry().right() + 1;
    EXPECT_EQ(buttons->width() - exitRight, c.ExitMargin);
    // under 24:00 up to the rounding of the scale against the division of the margin
    const int midnight = row->mapTo(Form.get(), QPoint(row->Scale(), 0)).x();
    EXPECT_NEAR(Form->btnClose->mapTo(Form.get(), QPoint(Form->btnClose->width(), 0)).x(), midnight,
                1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainFormLayout, testing::ValuesIn(Layouts),
                         [](const testing::TestParamInfo<LayoutCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(MainFormTest, SelectingAPeriodInAnotherRowUnselectsTheFirst) {
    Start();
    TSingleComfortIntervalSlider* monday = Slider(0, 1);
    TSingleComfortIntervalSlider* thursday = Slider(3, 1);
    TSingleComfortIntervalSlider* thursdayFirst = Slider(3, 0);
    Click(monday, Middle(monday));
    ASSERT_TRUE(monday->Selected());
    Click(thursday, Middle(thursday));
    EXPECT_TRUE(thursday->Selected());
    EXPECT_FALSE(monday->Selected()) << "two periods of the week selected at once";
    Click(thursdayFirst, Middle(thursdayFirst));
    EXPECT_TRUE(thursdayFirst->Selected());
    EXPECT_FALSE(thursday->Selected());
    int selected = 0;
    for (int d = 0; d < 7; ++d)
        for (const auto& slider : Form->DayRow(d)->Sliders())
            selected += slider->Selected() ? 1 : 0;
    EXPECT_EQ(selected, 1);
}

TEST_F(MainFormTest, ResizingKeepsTheSelectedPeriod) {
    Start();
    TSingleComfortIntervalSlider* slider = Slider(1, 1);
    Click(slider, Middle(slider));
    ASSERT_TRUE(slider->Selected());
    Form->resize(Form->width() + 200, Form->height() + 50);
    QApplication::processEvents();
    EXPECT_EQ(Slider(1, 1), slider);
    EXPECT_TRUE(slider->Selected());
}

// --- the keyboard, the exact values, the drag's time tip, copying days and locations -------

namespace {

class KeyboardTest : public MainFormTest {
protected:
    void StartActive(const char* location = "Bathroom") {
        Start();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        SelectLocation(location);
    }
    /// "day:index" of every selected control of the week.
    std::string Selection() const {
        std::string text;
        for (int d = 0; d < 7; ++d)
            for (int i = 0; i < Form->DayRow(d)->Sliders().Count(); ++i)
                if (Slider(d, i)->Selected())
                    text += (text.empty() ? "" : " ") + std::to_string(d) + ":" + std::to_string(i);
        return text;
    }
    std::string Day(int d) const { return DayText(Form->CurrentLocation()->Days(d)); }
};

} // namespace

TEST_F(KeyboardTest, TabReachesTheRowsAndTheFrameShowsOnTheSelectedOrFirstPeriod) {
    StartActive();
    Form->lbDays->setFocus();
    Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Form->DayRow(0));
    EXPECT_TRUE(Slider(0, 0)->FocusFrame());
    EXPECT_FALSE(Slider(0, 1)->FocusFrame());
    Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Form->DayRow(1));
    EXPECT_FALSE(Slider(0, 0)->FocusFrame()) << "the frame goes with the keyboard";
    EXPECT_TRUE(Slider(1, 0)->FocusFrame());
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Form->DayRow(0));
    // A click gives the period's row the keyboard, and the frame the clicked period.
    SelectPeriod(3, 2);
    EXPECT_EQ(QApplication::focusWidget(), Form->DayRow(3));
    EXPECT_TRUE(Slider(3, 2)->FocusFrame());
    EXPECT_FALSE(Slider(3, 0)->FocusFrame());
    Key(Qt::Key_Right); // and the keys go on from there
    EXPECT_EQ(Selection(), "3:3");
}

struct TArrowCase {
    const char* Name;
    int Day, Index;
    Qt::Key Key;
    const char* Selected; // afterwards
};

class ArrowKeys : public KeyboardTest, public testing::WithParamInterface<TArrowCase> {};

TEST_P(ArrowKeys, SelectAsAClickDoes) {
    const TArrowCase& c = GetParam();
    StartActive(); // Bathroom: weekdays 00:00 06:30 09:00 17:00 23:00, weekend 00:00 08:00 11:00
                   // 19:00 23:00
    SelectPeriod(c.Day, c.Index);
    Key(c.Key);
    EXPECT_EQ(Selection(), c.Selected);
    const std::string selected = c.Selected;
    const int day = selected[0] - '0', index = selected[2] - '0';
    EXPECT_EQ(QApplication::focusWidget(), Form->DayRow(day));
    EXPECT_TRUE(Slider(day, index)->FocusFrame());
    // the chooser follows as after a click
    const double value = Slider(day, index)->Interval()->Temperature().Value();
    EXPECT_EQ(Form->cmbTemperature->currentText(), FormatText("%0:.1f\u00b0C", {value}));
    EXPECT_TRUE(Command("SplitSingleInterval")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, ArrowKeys,
    testing::Values(TArrowCase{"RightIsTheNextPeriod", 0, 1, Qt::Key_Right, "0:2"},
                    TArrowCase{"LeftIsThePreviousPeriod", 0, 1, Qt::Key_Left, "0:0"},
                    TArrowCase{"LeftStopsAtTheFirst", 2, 0, Qt::Key_Left, "2:0"},
                    TArrowCase{"RightStopsAtTheLast", 2, 4, Qt::Key_Right, "2:4"},
                    // Friday 06:30 lies in Saturday's 00:00-08:00
                    TArrowCase{"DownCoversTheSameTime", 4, 1, Qt::Key_Down, "5:0"},
                    // Saturday 11:00 lies in Friday's 09:00-17:00
                    TArrowCase{"UpCoversTheSameTime", 5, 2, Qt::Key_Up, "4:2"},
                    TArrowCase{"UpStopsAtMonday", 0, 3, Qt::Key_Up, "0:3"},
                    TArrowCase{"DownStopsAtSunday", 6, 3, Qt::Key_Down, "6:3"}),
    [](const testing::TestParamInfo<TArrowCase>& info) { return info.param.Name; });

TEST_F(KeyboardTest, SpaceTogglesTheSelectionAsAClickDoes) {
    StartActive();
    Form->lbDays->setFocus();
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab); // Tuesday
    Key(Qt::Key_Space);
    EXPECT_EQ(Selection(), "1:0");
    EXPECT_EQ(Form->cmbTemperature->currentText(), "17.0\u00b0C");
    EXPECT_TRUE(Command("SplitSingleInterval")->isEnabled());
    Key(Qt::Key_Space);
    EXPECT_EQ(Selection(), "");
    EXPECT_TRUE(Slider(1, 0)->FocusFrame()) << "the frame stays where it was";
    EXPECT_TRUE(Command("SplitSingleInterval")->isEnabled()); // unselecting reaches no handler
    // Without a selected period the editing keys do nothing.
    const std::string tuesday = Day(1);
    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Insert, Qt::Key_Plus, Qt::Key_Minus})
        Key(key);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Day(1), tuesday);
    EXPECT_FALSE(Form->Modified());
}

struct TStartKeyCase {
    const char* Name;
    int Index; // of Bathroom's Monday
    Qt::Key Key;
    int Presses;
    const char* Monday; // afterwards
};

class StartKeys : public KeyboardTest, public testing::WithParamInterface<TStartKeyCase> {};

TEST_P(StartKeys, MoveTheStartByTenMinutesUnderTheRulesOfADrag) {
    const TStartKeyCase& c = GetParam();
    StartActive();
    SelectPeriod(0, c.Index);
    const TSingleHeatingInterval* period = Slider(0, c.Index)->Interval();
    for (int i = 0; i < c.Presses; ++i)
        Key(c.Key, Qt::ShiftModifier);
    EXPECT_EQ(Day(0), c.Monday);
    // The moved period stays selected, even after the row was rebuilt.
    const int index = Form->CurrentLocation()->Days(0).IndexOf(period);
    ASSERT_GE(index, 0);
    EXPECT_EQ(Selection(), "0:" + std::to_string(index));
    EXPECT_EQ(Form->DayRow(0)->Sliders().Count(), Form->CurrentLocation()->Days(0).Count());
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, StartKeys,
    testing::Values(TStartKeyCase{"RightThreeTimes", 2, Qt::Key_Right, 3,
                                  "00:00-06:30 17, 06:30-09:30 22, 09:30-17:00 17, 17:00-23:00 20, "
                                  "23:00-24:00 19"},
                    TStartKeyCase{"LeftTwiceThePreviousFollows", 2, Qt::Key_Left, 2,
                                  "00:00-06:30 17, 06:30-08:40 22, 08:40-17:00 17, 17:00-23:00 20, "
                                  "23:00-24:00 19"},
                    TStartKeyCase{"TheFirstPeriodStaysAtMidnight", 0, Qt::Key_Right, 2,
                                  "00:00-06:30 17, 06:30-09:00 22, 09:00-17:00 17, 17:00-23:00 20, "
                                  "23:00-24:00 19"},
                    // At 00:00 the first period is covered and goes; the moved one is first then.
                    TStartKeyCase{"LeftToMidnightAbsorbsTheFirst", 1, Qt::Key_Left, 45,
                                  "00:00-09:00 22, 09:00-17:00 17, 17:00-23:00 20, 23:00-24:00 19"},
                    // Across the previous period's start, which is repaired as on release.
                    TStartKeyCase{"LeftAcrossThePreviousPeriod", 3, Qt::Key_Left, 50,
                                  "00:00-06:30 17, 06:30-08:40 22, 08:40-23:00 20, 23:00-24:00 19"},
                    TStartKeyCase{"RightStopsTenMinutesBeforeTheStop", 4, Qt::Key_Right, 9,
                                  "00:00-06:30 17, 06:30-09:00 22, 09:00-17:00 17, 17:00-23:50 20, "
                                  "23:50-24:00 19"}),
    [](const testing::TestParamInfo<TStartKeyCase>& info) { return info.param.Name; });

struct TTemperatureKeyCase {
    const char* Name;
    double Before;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    int Presses;
    double After;
};

class TemperatureKeys : public KeyboardTest,
                        public testing::WithParamInterface<TTemperatureKeyCase> {};

TEST_P(TemperatureKeys, StepHalfADegreeWithinTheRangeAndTheChooserFollows) {
    const TTemperatureKeyCase& c = GetParam();
    StartActive();
    Form->CurrentLocation()->Days(2).Items(1).Temperature().SetValue(c.Before);
    SelectPeriod(2, 1);
    for (int i = 0; i < c.Presses; ++i)
        Key(c.Key, c.Modifiers);
    EXPECT_EQ(Form->CurrentLocation()->Days(2).Items(1).Temperature().Value(), c.After);
    EXPECT_EQ(Form->cmbTemperature->currentText(), FormatText("%0:.1f\u00b0C", {c.After}));
    EXPECT_EQ(Slider(2, 1)->BackgroundColor(), [&] {
        const TColor color = TTemperature(c.After).Color();
        return QColor(color.Red, color.Green, color.Blue);
    }());
    EXPECT_TRUE(Slider(2, 1)->Selected());
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, TemperatureKeys,
    testing::Values(
        TTemperatureKeyCase{"Plus", 21.0, Qt::Key_Plus, Qt::NoModifier, 1, 21.5},
        TTemperatureKeyCase{"ShiftedPlus", 21.0, Qt::Key_Plus, Qt::ShiftModifier, 2, 22.0},
        TTemperatureKeyCase{"KeypadPlus", 21.0, Qt::Key_Plus, Qt::KeypadModifier, 3, 22.5},
        TTemperatureKeyCase{"Minus", 21.0, Qt::Key_Minus, Qt::NoModifier, 1, 20.5},
        TTemperatureKeyCase{"KeypadMinus", 21.0, Qt::Key_Minus, Qt::KeypadModifier, 2, 20.0},
        TTemperatureKeyCase{"NotAbove29.5", 29.0, Qt::Key_Plus, Qt::NoModifier, 3, 29.5},
        TTemperatureKeyCase{"NotBelow5", 5.5, Qt::Key_Minus, Qt::NoModifier, 3, 5.0}),
    [](const testing::TestParamInfo<TTemperatureKeyCase>& info) {
        std::string name = info.param.Name;
        std::replace(name.begin(), name.end(), '.', '_');
        return name;
    });

TEST_F(KeyboardTest, InsertSplitsAndOnAFullDayShowsTheLimit) {
    StartActive();
    SelectPeriod(0, 2); // 09:00-17:00
    Key(Qt::Key_Insert);
    EXPECT_EQ(Form->CurrentLocation()->Days(0).Count(), 6);
    EXPECT_FALSE(Command("SplitSingleInterval")->isEnabled());
    EXPECT_TRUE(Messages.empty());
    SelectLocation("Kitchen"); // weekdays hold seven periods
    SelectPeriod(2, 3);
    Key(Qt::Key_Insert);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, "A maximum of 7 switching periods can be programmed for each day.");
    EXPECT_EQ(Form->CurrentLocation()->Days(2).Count(), 7);
}

TEST_F(KeyboardTest, DeleteRemovesAsTheBinDoesButNotTheLastPeriod) {
    StartActive("Living room"); // Monday 00:00-17:00, 17:00-23:00, 23:00-24:00
    SelectPeriod(0, 1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Day(0), "00:00-23:00 17, 23:00-24:00 17");
    EXPECT_EQ(QApplication::focusWidget(), Form->DayRow(0));
    EXPECT_TRUE(Form->Modified());
    Command("SchemeAdd")->trigger(); // Unnamed: one period a day
    SelectPeriod(3, 0);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Form->CurrentLocation()->Days(3).Count(), 1);
}

namespace {

struct TExactValuesCase {
    const char* Name;
    int Index;                                     // of Bathroom's Monday, selected first
    bool ByDoubleClick;                            // or by Enter
    std::optional<TDialogs::TPeriodValues> Answer; // nothing: cancelled
    bool StartEditable;                            // what the dialog is told
    const char* Monday;                            // afterwards
};

class ExactValues : public KeyboardTest, public testing::WithParamInterface<TExactValuesCase> {};

} // namespace

TEST_P(ExactValues, AreShownTypedAndAppliedUnderTheRulesOfADrag) {
    const TExactValuesCase& c = GetParam();
    StartActive();
    std::vector<std::pair<TDialogs::TPeriodValues, bool>> asked;
    TDialogs::PeriodHook = [&](const TDialogs::TPeriodValues& values, bool startEditable) {
        asked.emplace_back(values, startEditable);
        return c.Answer;
    };
    TSingleComfortIntervalSlider* slider = Slider(0, c.Index);
    const TSingleHeatingInterval& period = *slider->Interval();
    const TDialogs::TPeriodValues shown{period.Start(), period.Temperature().Value()};
    if (c.ByDoubleClick) {
        Click(slider, SelectPoint(slider));
        QTest::mouseDClick(Window(), Qt::LeftButton, {}, InWindow(slider, SelectPoint(slider)));
        QTest::mouseRelease(Window(), Qt::LeftButton, {}, InWindow(slider, SelectPoint(slider)));
    } else {
        SelectPeriod(0, c.Index);
        Key(Qt::Key_Return);
    }
    QApplication::processEvents();
    TDialogs::PeriodHook = [](const TDialogs::TPeriodValues&, bool) {
        return std::optional<TDialogs::TPeriodValues>();
    };
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(MinutesOf(asked[0].first.Start), MinutesOf(shown.Start));
    EXPECT_EQ(asked[0].first.Temperature, shown.Temperature);
    EXPECT_EQ(asked[0].second, c.StartEditable);
    EXPECT_EQ(Day(0), c.Monday);
    EXPECT_EQ(Form->UndoStack().count(), c.Answer ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, ExactValues,
    testing::Values(
        TExactValuesCase{"EnterTypesStartAndTemperature", 2, false,
                         TDialogs::TPeriodValues{TimeOf(10, 20), 23.5}, true,
                         "00:00-06:30 17, 06:30-10:20 22, 10:20-17:00 23.5, 17:00-23:00 20, "
                         "23:00-24:00 19"},
        TExactValuesCase{"DoubleClickOpensItToo", 3, true,
                         TDialogs::TPeriodValues{TimeOf(17, 0), 16.0}, true,
                         "00:00-06:30 17, 06:30-09:00 22, 09:00-17:00 17, 17:00-23:00 16, "
                         "23:00-24:00 19"},
        // An earlier start covers the periods before, which go as after a drag.
        TExactValuesCase{"AnEarlierStartAbsorbsWhatItCovers", 3, false,
                         TDialogs::TPeriodValues{TimeOf(6, 0), 20.0}, true,
                         "00:00-06:00 17, 06:00-23:00 20, 23:00-24:00 19"},
        // The first period's start cannot change, whatever comes back.
        TExactValuesCase{"TheFirstPeriodKeepsMidnight", 0, false,
                         TDialogs::TPeriodValues{TimeOf(3, 0), 18.5}, false,
                         "00:00-06:30 18.5, 06:30-09:00 22, 09:00-17:00 17, 17:00-23:00 20, "
                         "23:00-24:00 19"},
        TExactValuesCase{"CancelChangesNothing", 2, false, std::nullopt, true,
                         "00:00-06:30 17, 06:30-09:00 22, 09:00-17:00 17, 17:00-23:00 20, "
                         "23:00-24:00 19"}),
    [](const testing::TestParamInfo<TExactValuesCase>& info) { return info.param.Name; });

TEST_F(KeyboardTest, ThePeriodDialogStepsTenMinutesInTheUsersFormatAndHalfDegrees) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TPeriodDialog dialog(nullptr, TimeOf(6, 30), 21.0, true);
    QTimeEdit* start = dialog.StartEdit();
    EXPECT_EQ(start->displayFormat(), UserShortTimeFormat());
    EXPECT_FALSE(start->isReadOnly());
    EXPECT_EQ(start->minimumTime(), QTime(0, 0));
    EXPECT_EQ(start->maximumTime(), QTime(23, 50));
    start->setCurrentSection(QDateTimeEdit::MinuteSection);
    start->stepBy(1);
    EXPECT_EQ(start->time(), QTime(6, 40));
    start->stepBy(-3);
    EXPECT_EQ(start->time(), QTime(6, 10));
    start->setTime(QTime(6, 37)); // typed off the grid: the start rounds down to its mark
    EXPECT_EQ(MinutesOf(dialog.Start()), 6 * 60 + 30);
    start->setTime(QTime(23, 50));
    start->stepBy(1);
    EXPECT_EQ(start->time(), QTime(23, 50));

    QDoubleSpinBox* temperature = dialog.TemperatureEdit();
    EXPECT_EQ(temperature->minimum(), 5.0);
    EXPECT_EQ(temperature->maximum(), 29.5);
    EXPECT_EQ(temperature->singleStep(), 0.5);
    EXPECT_TRUE(temperature->textFromValue(21.5).contains(QStringLiteral("21,5")));
    temperature->stepBy(1);
    EXPECT_EQ(dialog.Temperature(), 21.5);
    temperature->setValue(21.3);
    EXPECT_EQ(dialog.Temperature(), 21.5); // on the half-degree grid

    // An untouched field gives back a value off the grid as it is; a first period's start is
    // read-only.
    TPeriodDialog first(nullptr, 0.0, 17.25, false);
    EXPECT_TRUE(first.StartEdit()->isReadOnly());
    EXPECT_EQ(first.Temperature(), 17.25);
    EXPECT_EQ(first.windowTitle(), "Switching period");
}

TEST_F(KeyboardTest, WhileAnEdgeIsDraggedItsSnapTimeFollowsThePointer) {
    StartActive();
    TDailyComfortIntervalsSlider* row = Form->DayRow(0);
    TSingleComfortIntervalSlider* slider = Slider(0, 2); // 09:00-17:00
    const int edge = slider->x() + 3, scale = row->Scale();
    MoveTo(row, QPoint(edge - 1, 5));
    MoveTo(row, QPoint(edge, 5));
    Press(row, QPoint(edge, 5));
    const TSingleHeatingInterval* period = slider->Interval();
    for (const int dx : {scale / 24 + scale / 100, scale / 12, -scale / 30}) {
        MoveTo(row, QPoint(edge + dx, 5));
        TDragTimeTip* tip = slider->TimeTip();
        ASSERT_NE(tip, nullptr);
        EXPECT_TRUE(tip->isVisible());
        // the mark the edge snaps to, not the pixel under the pointer
        EXPECT_EQ(MinutesOf(period->Start()) % 10, 0);
        EXPECT_EQ(tip->text(), FormatShortTime(period->Start())) << dx;
        EXPECT_EQ(tip->pos(),
                  row->mapToGlobal(QPoint(edge + dx, 5)) + TDragTimeTip::OffsetFromPointer());
    }
    EXPECT_LT(MinutesOf(period->Start()), 9 * 60); // the last move went left of 09:00
    Release(row, QPoint(edge - scale / 30, 5));
    QApplication::processEvents();
    EXPECT_FALSE(slider->TimeTip()->isVisible());
}

namespace {

enum class TMenuRequest { RightClick, MenuKey, ShiftF10 };

struct TCopyToCase {
    const char* Name;
    TMenuRequest Request;
    int Source;
    const char* Action;      // objectName of the item chosen
    std::vector<int> Copied; // days that become copies of the source
};

class CopyTo : public KeyboardTest, public testing::WithParamInterface<TCopyToCase> {};

} // namespace

TEST_P(CopyTo, CopiesTheDayToTheChosenDaysAsOneStep) {
    const TCopyToCase& c = GetParam();
    StartActive("Office 5 1/2 business days"); // Saturday differs from the weekdays and Sunday
    std::vector<std::string> before;
    for (int d = 0; d < 7; ++d)
        before.push_back(Day(d));
    const QRect item = Form->lbDays->visualItemRect(Form->lbDays->item(c.Source));
    switch (c.Request) {
    case TMenuRequest::RightClick:
        QTest::mouseClick(Window(), Qt::RightButton, {},
                          InWindow(Form->lbDays->viewport(), item.center()));
        break;
    case TMenuRequest::MenuKey:
    case TMenuRequest::ShiftF10:
        Form->lbDays->setFocus();
        Form->lbDays->setCurrentRow(c.Source);
        Key(c.Request == TMenuRequest::MenuKey ? Qt::Key_Menu : Qt::Key_F10,
            c.Request == TMenuRequest::MenuKey ? Qt::NoModifier : Qt::ShiftModifier);
        break;
    }
    QApplication::processEvents();
    QMenu* menu = Form->DayMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    QMenu* copyTo = menu->findChild<QMenu*>("miCopyTo");
    ASSERT_NE(copyTo, nullptr);
    EXPECT_EQ(copyTo->title(), "Copy to");
    // every other day, then the three groups
    QStringList texts;
    for (QAction* action : copyTo->actions())
        if (!action->isSeparator())
            texts << action->text();
    QStringList expected;
    for (int d = 0; d < 7; ++d)
        if (d != c.Source)
            expected << DayName(d + 1);
    expected << "Monday to Friday"
             << "Saturday and Sunday"
             << "All days";
    EXPECT_EQ(texts, expected);

    QAction* chosen = copyTo->findChild<QAction*>(c.Action);
    ASSERT_NE(chosen, nullptr) << c.Action;
    chosen->trigger();
    menu->close();
    for (int d = 0; d < 7; ++d) {
        const bool copied = std::find(c.Copied.begin(), c.Copied.end(), d) != c.Copied.end();
        EXPECT_EQ(Day(d),
                  copied ? before[static_cast<size_t>(c.Source)] : before[static_cast<size_t>(d)])
            << "day " << d;
        EXPECT_EQ(Form->DayRow(d)->Sliders().Count(), Form->CurrentLocation()->Days(d).Count());
    }
    EXPECT_FALSE(Command("SplitSingleInterval")->isEnabled()); // re-displayed as after a drag
    EXPECT_EQ(Form->UndoStack().count(), 1);
    EXPECT_TRUE(Form->Modified());
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, CopyTo,
    testing::Values(
        TCopyToCase{"RightClickOneDay", TMenuRequest::RightClick, 5, "CopyToDay0", {0}},
        TCopyToCase{"RightClickMondayToFriday",
                    TMenuRequest::RightClick,
                    5,
                    "CopyToGroup0",
                    {0, 1, 2, 3, 4}},
        TCopyToCase{"MenuKeySaturdayAndSunday", TMenuRequest::MenuKey, 5, "CopyToGroup1", {6}},
        TCopyToCase{
            "ShiftF10AllDays", TMenuRequest::ShiftF10, 6, "CopyToGroup2", {0, 1, 2, 3, 4, 5}}),
    [](const testing::TestParamInfo<TCopyToCase>& info) { return info.param.Name; });

TEST_F(KeyboardTest, DuplicateAddsACopyWithItsWholeProgramShownAsAnAddedLocation) {
    StartActive("Bathroom");
    SelectPeriod(2, 1);
    Key(Qt::Key_Delete); // a program of its own, not the template's
    const THeatingLocation* original = Form->CurrentLocation();
    std::vector<std::string> program;
    for (int d = 0; d < 7; ++d)
        program.push_back(Day(d));
    Command("SchemeDuplicate")->trigger();
    EXPECT_EQ(CurrentName(), "Bathroom1");
    EXPECT_NE(Form->CurrentLocation(), original);
    EXPECT_EQ(Form->lvLocations->currentItem()->text(), "Bathroom1");
    EXPECT_EQ(Form->paCurrentSchemeDisplayText->text(), "Bathroom1");
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(Day(d), program[static_cast<size_t>(d)]);
        EXPECT_NE(&Form->CurrentLocation()->Days(d).Items(0), &original->Days(d).Items(0));
    }
    // the copy is a location of its own: its edits reach Modified and leave the original
    SelectPeriod(0, 0);
    Key(Qt::Key_Plus);
    EXPECT_EQ(DayText(original->Days(0)), program[0]);
    // The locations list offers the command in its context menu, where it acts on the item.
    const QRect item = Form->lvLocations->visualItemRect(ListItem("Bathroom"));
    QTest::mouseClick(Window(), Qt::RightButton, {},
                      InWindow(Form->lvLocations->viewport(), item.center()));
    ASSERT_NE(Form->LocationMenu(), nullptr);
    EXPECT_TRUE(Form->LocationMenu()->isVisible());
    EXPECT_TRUE(Form->LocationMenu()->actions().contains(Command("SchemeDuplicate")));
    Form->LocationMenu()->close();
    EXPECT_EQ(CurrentName(), "Bathroom");
    Form->lvLocations->setFocus();
    Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(CurrentName(), "Bathroom2");
    EXPECT_EQ(Form->Locations().Count(), 11);
}
