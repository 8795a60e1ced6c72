// The keyboard in the day rows and the exact-value dialog of a period.
#include "TDailyComfortIntervalsSlider.h"
#include "TDayList.h"
#include "TSingleComfortIntervalSlider.h"
#include "undo/TDayEditCommand.h"
#include "zeft_Dialogs.h"
#include "zeft_Main.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <algorithm>

namespace zeft {

void TZEFTMainForm::ConnectEditing() {
    QWidget* previous = lbDays;
    for (TDailyComfortIntervalsSlider* row : FDayRows) {
        if (!row)
            continue;
        row->OnEditBegin = [this](TDailyComfortIntervalsSlider*) { BeginDayEdit(); };
        row->OnEditEnd = [this](TDailyComfortIntervalsSlider*) { CommitDayEdit(); };
        row->OnKey = [this](TDailyComfortIntervalsSlider* source, TRowKey key) {
            DayRowKey(source, key);
        };
        // Tab goes from the day list through the rows, Monday first, to the buttons.
        setTabOrder(previous, row);
        previous = row;
    }
    setTabOrder(previous, btnTransmit);
    // The rows take the keyboard, not the area that holds them.
    sbxSliders->setFocusPolicy(Qt::NoFocus);

    lbDays->OnContextMenu = [this](QPoint globalPos, int day) {
        lbDaysContextMenu(globalPos, day);
    };
    lvLocations->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lvLocations, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { lvLocationsContextMenu(pos); });
}

int TZEFTMainForm::RowIndexOf(const TDailyComfortIntervalsSlider* row) const {
    const auto found = std::find(FDayRows.begin(), FDayRows.end(), row);
    return found == FDayRows.end() ? -1 : static_cast<int>(found - FDayRows.begin());
}

void TZEFTMainForm::DayRowKey(TDailyComfortIntervalsSlider* row, TRowKey key) {
    const int rowIndex = RowIndexOf(row);
    TSingleComfortIntervalSlider* current = row->CurrentSlider();
    if (rowIndex < 0 || !current || !current->Interval())
        return;
    switch (key) {
    case TRowKey::PreviousRow:
    case TRowKey::NextRow:
        SelectRowAt(rowIndex + (key == TRowKey::PreviousRow ? -1 : 1),
                    current->Interval()->Start());
        break;
    case TRowKey::StartEarlier:
    case TRowKey::StartLater:
        MovePeriodStart(row, key == TRowKey::StartEarlier ? -10 : 10);
        break;
    case TRowKey::Warmer:
    case TRowKey::Cooler:
        StepTemperature(row, key == TRowKey::Warmer ? 0.5 : -0.5);
        break;
    case TRowKey::Split: {
        // The split command as its button runs it, with its message on a full day.
        QAction* split = Command(QStringLiteral("SplitSingleInterval"));
        split->setData(current->CanSplit() ? 0 : 1);
        SplitSingleIntervalExecute();
        break;
    }
    case TRowKey::Delete:
        DeletePeriod(row, current); // refused on a day with one period
        break;
    case TRowKey::EditValues: {
        // After the key or the double-click has been handled: the dialog runs its own loop.
        const int periodIndex = row->CurrentIndex();
        QMetaObject::invokeMethod(
            this, [this, rowIndex, periodIndex] { EditPeriodValues(rowIndex, periodIndex); },
            Qt::QueuedConnection);
        break;
    }
    }
}

void TZEFTMainForm::SelectRowAt(int rowIndex, TTime at) {
    if (rowIndex < 0 || rowIndex >= static_cast<int>(FDayRows.size()))
        return;
    TDailyComfortIntervalsSlider* row = FDayRows[static_cast<size_t>(rowIndex)];
    if (!row || !row->Intervals() || row->Sliders().Count() == 0)
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

namespace {

/// After an edit that may have rebuilt the row, the edited period is selected again.
void Reselect(TDailyComfortIntervalsSlider* row, const TSingleHeatingInterval* period) {
    if (!row->Intervals())
        return;
    const int index = row->Intervals()->IndexOf(period);
    if (index < 0 || index >= row->Sliders().Count())
        return;
    if (!row->Sliders().Items(index)->Selected())
        row->SelectSlider(index);
}

} // namespace

void TZEFTMainForm::MovePeriodStart(TDailyComfortIntervalsSlider* row, int minutes) {
    TDailyHeatingIntervals* day = row->Intervals();
    TSingleHeatingInterval* period = row->CurrentSlider()->Interval();
    // A day's first period starts at 00:00 and stays there, as under the mouse.
    if (!day || !period || !LaterThan(period->Start(), Midnight))
        return;
    BeginDayEdit();
    period->SetStart(TimeOf(0, std::max(0, MinutesOf(period->Start()) + minutes)));
    day->AlignPreviousStop(period);
    day->ResolveOverlaps(period);
    // A run of steps on one period is one step to undo.
    CommitDayEdit(TDayEditCommand::StartStepId, period);
    Reselect(row, period);
}

void TZEFTMainForm::StepTemperature(TDailyComfortIntervalsSlider* row, double delta) {
    TSingleHeatingInterval* period = row->CurrentSlider()->Interval();
    const double value = TTemperature::Clamp(period->Temperature().Value() + delta);
    if (value == period->Temperature().Value())
        return;
    BeginDayEdit();
    period->Temperature().SetValue(value);
    CommitDayEdit();
    ShowTemperatureInChooser(value);
}

void TZEFTMainForm::EditPeriodValues(int rowIndex, int periodIndex) {
    if (rowIndex < 0 || rowIndex >= static_cast<int>(FDayRows.size()))
        return;
    TDailyComfortIntervalsSlider* row = FDayRows[static_cast<size_t>(rowIndex)];
    if (!row || !row->Intervals() || periodIndex < 0 || periodIndex >= row->Sliders().Count())
        return;
    TSingleComfortIntervalSlider* slider = row->Sliders().Items(periodIndex);
    TSingleHeatingInterval* period = slider->Interval();
    if (!period)
        return;
    if (!slider->Selected())
        row->SelectSlider(periodIndex);
    const bool startEditable = LaterThan(period->Start(), Midnight);
    const std::optional<TDialogs::TPeriodValues> values =
        TDialogs::EditPeriod(this, {period->Start(), period->Temperature().Value()}, startEditable);
    // The dialog ran an event loop of its own: the period must still be on display.
    TDailyHeatingIntervals* day = row->Intervals();
    if (!values || !day || day->IndexOf(period) < 0)
        return;
    BeginDayEdit();
    if (startEditable && !SameTime(values->Start, period->Start())) {
        // As if its edge had been dragged there.
        period->SetStart(values->Start);
        day->AlignPreviousStop(period);
        day->ResolveOverlaps(period);
    }
    if (values->Temperature != period->Temperature().Value())
        period->Temperature().SetValue(values->Temperature);
    CommitDayEdit();
    Reselect(row, period);
    ShowTemperatureInChooser(period->Temperature().Value());
}

} // namespace zeft
