#pragma once

#include "DayText.h"
#include "TDailyComfortIntervalsSlider.h"
#include "TDailyHeatingIntervals.h"

#include <QLocale>
#include <QWidget>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

namespace zeft::test {

/// One period of a test day: start and stop as hours and minutes, and the temperature.
struct TPeriodSpec {
    int StartHour;
    int StartMinute;
    int StopHour;
    int StopMinute;
    double Temperature;
};

std::unique_ptr<TDailyHeatingIntervals> MakeDay(std::initializer_list<TPeriodSpec> periods);

/// A shown window holding one day row, 494 × 43 pixels at DisplayScale 1 unless told
/// otherwise (the design size: 474 pixels per day, controls 27 and legend 16 pixels high),
/// with the German locale (24-hour clock with leading zero, decimal comma).
class TRowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Show(std::initializer_list<TPeriodSpec> periods, int width = 494, int height = 43);

    TSingleComfortIntervalSlider* Slider(int index) const;
    int SliderCount() const { return Row->Sliders().Count(); }
    int SelectedCount() const;

    /// The pointer moves over the control without a button (cursor zones).
    void Hover(QWidget* widget, int x);
    void Press(QWidget* widget, int x, Qt::MouseButton button = Qt::LeftButton);
    /// The pointer moves with the button held; the pressed widget receives it.
    void MoveHeld(QWidget* widget, QPoint pos);
    void MoveHeld(QWidget* widget, int x);
    void Release(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
    void Release(QWidget* widget, int x, Qt::MouseButton button = Qt::LeftButton);
    /// Press and release in the middle of the control.
    void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
    /// A press in the start-edge zone (after hovering there), moves to row pixel rowX.
    void BeginEdgeDragTo(TSingleComfortIntervalSlider* slider, int rowX);
    /// Runs the deferred deletions the toolkit would run on its next turn.
    static void DeleteLater();

    std::unique_ptr<TDailyHeatingIntervals> Day;
    std::unique_ptr<QWidget> Window;
    TDailyComfortIntervalsSlider* Row = nullptr; // child of Window
};

} // namespace zeft::test
