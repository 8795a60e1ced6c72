#include "MainFormFixture.h"
#include "zeft_Routines.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

using namespace zeft;
using namespace zeft::test;

namespace {

std::string Describe(const TDailyHeatingIntervals& day) {
    std::string text;
    for (int i = 0; i < day.Count(); ++i) {
        const int a = MinutesOf(day.Items(i).Start()), b = MinutesOf(day.Items(i).Stop());
        char buffer[48];
        std::snprintf(buffer, sizeof buffer, "%s%02d:%02d-%02d:%02d %.1f", i ? ", " : "", a / 60,
                      a % 60, b / 60, b % 60, day.Items(i).Temperature().Value());
        text += buffer;
    }
    return text;
}

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
    const std::string before = Describe(Form->CurrentLocation()->Days(0));
    emit Form->cmbTemperature->activated(0);
    EXPECT_EQ(Describe(Form->CurrentLocation()->Days(0)), before);
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
    EXPECT_EQ(Describe(Form->CurrentLocation()->Days(0)), "00:00-23:00 17.0, 23:00-24:00 17.0");
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
    const std::string monday = Describe(Form->CurrentLocation()->Days(0));
    const QRect mondayItem = Form->lbDays->visualItemRect(Form->lbDays->item(0));
    const QRect fridayItem = Form->lbDays->visualItemRect(Form->lbDays->item(4));
    Drag(Form->lbDays->viewport(), mondayItem.center(), Form->lbDays->viewport(),
         fridayItem.center());
    EXPECT_EQ(Describe(Form->CurrentLocation()->Days(4)), monday);
    EXPECT_NE(&Form->CurrentLocation()->Days(4).Items(0),
              &Form->CurrentLocation()->Days(0).Items(0));
    EXPECT_EQ(Form->DayRow(4)->Sliders().Count(), 3);
    EXPECT_TRUE(Form->Modified());
}

TEST_F(MainFormTest, DraggingADayOntoItselfOrOntoTheBinDoesNothing) {
    Start();
    SelectLocation("Office 5 1/2 business days");
    const std::string saturday = Describe(Form->CurrentLocation()->Days(5));
    const QRect item = Form->lbDays->visualItemRect(Form->lbDays->item(5));
    Drag(Form->lbDays->viewport(), item.center(), Form->lbDays->viewport(),
         item.center() + QPoint(3, 2));
    Drag(Form->lbDays->viewport(), item.center(), Form->imgTrashCan, Middle(Form->imgTrashCan));
    EXPECT_EQ(Describe(Form->CurrentLocation()->Days(5)), saturday);
    EXPECT_FALSE(Form->Modified());
}

TEST_F(MainFormTest, APeriodDroppedOnTheDayListIsRefused) {
    Start();
    SelectLocation("Living room");
    TSingleComfortIntervalSlider* slider = Slider(0, 1);
    Drag(slider, Middle(slider), Form->lbDays->viewport(), QPoint(10, 10));
    EXPECT_EQ(Form->CurrentLocation()->Days(0).Count(), 3);
}

TEST_F(MainFormTest, TheLayoutPutsTheRowsBesideTheirDaysAndTheExitButtonUnder2400) {
    Start();
    Form->resize(1100, 700);
    QApplication::processEvents();
    const int itemHeight = Form->lbDays->ItemHeight();
    EXPECT_EQ(itemHeight, Form->lbDays->viewport()->height() / 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Form->DayRow(i)->geometry().top(), i * itemHeight);
        EXPECT_EQ(Form->DayRow(i)->height(), itemHeight);
    }
    const TDailyComfortIntervalsSlider* row = Form->DayRow(6);
    const int midnight = row->mapTo(Form.get(), QPoint(row->Scale(), 0)).x();
    const int exitRight = Form->btnClose->mapTo(Form.get(), QPoint(Form->btnClose->width(), 0)).x();
    EXPECT_LE(std::abs(exitRight - midnight), 2);
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
