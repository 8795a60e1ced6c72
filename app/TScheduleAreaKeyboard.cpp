// The keyboard in the day rows and the exact-value dialog of a period.
#include "TDailyComfortIntervalsSlider.h"
#include "TScheduleArea.h"
#include "TScheduleDocument.h"
#include "TSingleComfortIntervalSlider.h"
#include "zeft_Dialogs.h"

#include <QAction>
#include <algorithm>

namespace zeft {

int TScheduleArea::RowIndexOf(const TDailyComfortIntervalsSlider* row) const {
    const auto found = std::find(FDayRows.begin(), FDayRows.end(), row);
    return found == FDayRows.end() ? -1 : static_cast<int>(found - FDayRows.begin());
}

void TScheduleArea::DayRowKey(TDailyComfortIntervalsSlider* row, TRowKey key) {
    const int rowIndex = RowIndexOf(row);
    TSingleComfortIntervalSlider* current = row->CurrentSlider();
    if (rowIndex < 0 || !current || !current->Interval() || !FLocation)
        return;
    const int periodIndex = row->CurrentIndex();
    switch (key) {
    case TRowKey::PreviousRow:
    case TRowKey::NextRow:
        SelectRowAt(rowIndex + (key == TRowKey::PreviousRow ? -1 : 1),
                    current->Interval()->Start());
        break;
    case TRowKey::StartEarlier:
    case TRowKey::StartLater:
        MovePeriodStart(rowIndex, periodIndex, key == TRowKey::StartEarlier ? -10 : 10);
        break;
    case TRowKey::Warmer:
    case TRowKey::Cooler:
        StepTemperature(rowIndex, periodIndex, key == TRowKey::Warmer ? 0.5 : -0.5);
        break;
    case TRowKey::Split:
        // The split command as its button runs it, with its message on a full day.
        FSplitCommand->setData(current->CanSplit() ? 0 : 1);
        SplitSingleIntervalExecute();
        break;
    case TRowKey::Delete:
        FDocument.DeletePeriod(*FLocation, rowIndex, periodIndex); // not a day's last period
        break;
    case TRowKey::EditValues:
        // After the key or the double-click has been handled: the dialog runs its own loop.
        QMetaObject::invokeMethod(
            this, [this, rowIndex, periodIndex] { EditPeriodValues(rowIndex, periodIndex); },
            Qt::QueuedConnection);
        break;
    }
}

void TScheduleArea::SelectRowAt(int rowIndex, TTime at) {
    if (rowIndex < 0 || rowIndex >= static_cast<int>(FDayRows.size()))
        return;
    TDailyComfortIntervalsSlider* row = FDayRows[static_cast<size_t>(rowIndex)];
    if (!row->Intervals() || row->Sliders().Count() == 0)
        return;
    const TDailyHeatingIntervals& day = *row->Intervals();
    int index = day.Count() - 1;
    for (int i = 0; i < day.Count(); ++i)
        if (LaterThan(day.Items(i).Stop(), at)) {
            index = i;
            break;
        }
    row->setFocus(Qt::OtherFocusReason);
    row->SelectSlider(std::min(index, row->Sliders().Count() - 1));
}

void TScheduleArea::Reselect(int rowIndex, const TSingleHeatingInterval* period) {
    TDailyComfortIntervalsSlider* row = FDayRows[static_cast<size_t>(rowIndex)];
    if (!row->Intervals())
        return;
    const int index = row->Intervals()->IndexOf(period);
    if (index < 0 || index >= row->Sliders().Count())
        return;
    if (!row->Sliders().Items(index)->Selected())
        row->SelectSlider(index);
}

void TScheduleArea::MovePeriodStart(int rowIndex, int periodIndex, int minutes) {
    const TSingleHeatingInterval& period = FLocation->Days(rowIndex).Items(periodIndex);
    const TTime start = TimeOf(0, std::max(0, MinutesOf(period.Start()) + minutes));
    // A run of steps on one period is one step to undo.
    FDocument.MovePeriodStart(*FLocation, rowIndex, periodIndex, start, true);
    Reselect(rowIndex, &period);
}

void TScheduleArea::StepTemperature(int rowIndex, int periodIndex, double delta) {
    const TSingleHeatingInterval& period = FLocation->Days(rowIndex).Items(periodIndex);
    const double value = TTemperature::Clamp(period.Temperature().Value() + delta);
    if (FDocument.SetTemperature(*FLocation, rowIndex, periodIndex, value))
        ShowTemperatureInChooser(value);
}

void TScheduleArea::EditPeriodValues(int rowIndex, int periodIndex) {
    if (rowIndex < 0 || rowIndex >= static_cast<int>(FDayRows.size()) || !FLocation)
        return;
    TDailyComfortIntervalsSlider* row = FDayRows[static_cast<size_t>(rowIndex)];
    if (!row->Intervals() || periodIndex < 0 || periodIndex >= row->Sliders().Count())
        return;
    TSingleComfortIntervalSlider* slider = row->Sliders().Items(periodIndex);
    const TSingleHeatingInterval* period = slider->Interval();
    if (!period)
        return;
    if (!slider->Selected())
        row->SelectSlider(periodIndex);
    THeatingLocation* location = FLocation;
    const std::optional<TDialogs::TPeriodValues> values =
        TDialogs::EditPeriod(window(), {period->Start(), period->Temperature().Value()},
                             LaterThan(period->Start(), Midnight));
    // The dialog ran an event loop of its own: the period must still be on display.
    const int index = row->Intervals() ? row->Intervals()->IndexOf(period) : -1;
    if (!values || index < 0 || location != FLocation)
        return;
    FDocument.SetPeriodValues(*FLocation, rowIndex, index, values->Start, values->Temperature);
    Reselect(rowIndex, period);
    ShowTemperatureInChooser(period->Temperature().Value());
}

} // namespace zeft
