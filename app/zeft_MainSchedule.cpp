// The schedule area of the main window: the temperature chooser, the split command, the bin,
// copying a day in the day list, the layout of the rows and the display of a location.
#include "TDailyComfortIntervalsSlider.h"
#include "TDayList.h"
#include "TSingleComfortIntervalSlider.h"
#include "TTemperatureChooser.h"
#include "zeft_Dialogs.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Routines.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <cmath>

namespace zeft {

void TZEFTMainForm::ResizeSchemeConfig() {
    if (!paSchemeConfig || !lbDays)
        return;
    const int left = ScaledPixels(8);
    cmbTemperature->setFixedWidth(lbDays->width());
    const int itemHeight = lbDays->viewport()->height() / 7;
    lbDays->SetItemHeight(itemHeight);
    const int rowsLeft = sbxSliders->geometry().left();
    const int rowWidth = paSchemeConfig->contentsRect().width() - rowsLeft - left - left;
    for (int i = 0; i < 7; ++i) {
        TDailyComfortIntervalsSlider* row = FDayRows[static_cast<size_t>(i)];
        if (!row)
            continue;
        const int top = static_cast<int>(std::nearbyint(itemHeight * (i + 0.5) - itemHeight * 0.5));
        row->setGeometry(left, top, std::max(0, rowWidth), itemHeight);
    }
    // The exit button's right edge sits under 24:00 of the rows.
    if (FButtonsLayout) {
        QMargins margins = FButtonsLayout->contentsMargins();
        margins.setRight(std::max(0, rowWidth) / 25 + left);
        FButtonsLayout->setContentsMargins(margins);
    }
}

void TZEFTMainForm::SelectSchemeExecute(QListWidgetItem* item) {
    if (!item) {
        FCurrentLocation = nullptr;
        UpdateLocationCommands();
        return;
    }
    FCurrentLocation = LocationOf(item);
    if (FCurrentLocation) {
        paCurrentSchemeDisplayText->setText(QString::fromStdString(FCurrentLocation->DisplayText));
        lbDays->clear();
        for (int i = 0; i < 7; ++i) {
            auto* dayItem = new QListWidgetItem(DayName(i + 1), lbDays);
            dayItem->setSizeHint(QSize(lbDays->viewport()->width(), lbDays->ItemHeight()));
        }
        for (int i = 0; i < 7; ++i)
            if (TDailyComfortIntervalsSlider* row = FDayRows[static_cast<size_t>(i)])
                row->SetIntervals(&FCurrentLocation->Days(i));
    }
    Command(QStringLiteral("SplitSingleInterval"))->setEnabled(false);
    UpdateLocationCommands();
}

void TZEFTMainForm::UpdateLocationCommands() {
    Command(QStringLiteral("SchemePrint"))->setEnabled(FCurrentLocation != nullptr);
    Command(QStringLiteral("SchemePrintPreview"))->setEnabled(FCurrentLocation != nullptr);
    Command(QStringLiteral("SchemeTransmit"))
        ->setEnabled(FStatusKnown && FConnectionState == 1 && FCurrentLocation != nullptr);
}

void TZEFTMainForm::cmbTemperatureSelect(int index) {
    const TTemperature* temperature = cmbTemperature->Temperature(index);
    if (!temperature)
        return;
    bool changed = false;
    BeginDayEdit();
    for (TDailyComfortIntervalsSlider* row : FDayRows) {
        if (!row)
            continue;
        for (const auto& slider : row->Sliders())
            changed = changed || slider->Selected();
        row->ApplyTemperature(temperature->Value());
    }
    CommitDayEdit();
    // A new temperature is an edit like any other: closing must not lose it.
    if (changed)
        FModified = true;
}

void TZEFTMainForm::ShowTemperatureInChooser(double value) {
    const QString text = FormatText(LoadLanguageString(4802), {value});
    cmbTemperature->setCurrentIndex(cmbTemperature->findText(text, Qt::MatchFixedString));
}

void TZEFTMainForm::IntervalSliderSelected(TSingleComfortIntervalSlider* slider) {
    if (slider->Interval())
        ShowTemperatureInChooser(slider->Interval()->Temperature().Value());
    DeselectOtherSliders(slider);
    QAction* split = Command(QStringLiteral("SplitSingleInterval"));
    split->setData(slider->CanSplit() ? 0 : 1);
    split->setEnabled(true);
}

void TZEFTMainForm::DeselectOtherSliders(TSingleComfortIntervalSlider* slider) {
    for (TDailyComfortIntervalsSlider* row : FDayRows)
        if (row)
            row->DeselectAllExcept(slider);
}

void TZEFTMainForm::SplitSingleIntervalExecute() {
    QAction* split = Command(QStringLiteral("SplitSingleInterval"));
    switch (split->data().toInt()) {
    case 0:
        BeginDayEdit();
        for (TDailyComfortIntervalsSlider* row : FDayRows)
            if (row)
                row->SplitSelected();
        CommitDayEdit();
        split->setEnabled(false);
        break;
    case 1:
        TDialogs::Message(
            this, QMessageBox::Warning, WithoutAccelerator(LoadLanguageString(4600)),
            FormatText(LoadLanguageString(4901),
                       {static_cast<long long>(TDailyHeatingIntervals::MaxPeriodsPerDay)}),
            QMessageBox::Ok);
        break;
    default:
        break;
    }
}

bool TZEFTMainForm::imgTrashCanDragOver(QWidget* source) {
    return qobject_cast<TSingleComfortIntervalSlider*>(source) != nullptr;
}

void TZEFTMainForm::imgTrashCanDragDrop(QWidget* source) {
    auto* slider = qobject_cast<TSingleComfortIntervalSlider*>(source);
    if (!slider || !slider->Interval())
        return;
    for (TDailyComfortIntervalsSlider* row : FDayRows)
        if (row && TDailyComfortIntervalsSlider::RowOf(slider) == row) {
            DeletePeriod(row, slider);
            return;
        }
}

bool TZEFTMainForm::DeletePeriod(TDailyComfortIntervalsSlider* row,
                                 TSingleComfortIntervalSlider* slider) {
    if (!row->Intervals() || !slider->Interval())
        return false;
    TDailyHeatingIntervals& day = *row->Intervals();
    const int index = day.IndexOf(slider->Interval());
    // The row never lets the last period go, but this checks it as well.
    if (index < 0 || !day.CanDelete())
        return false;
    BeginDayEdit();
    day.Delete(index);
    CommitDayEdit();
    return true;
}

void TZEFTMainForm::lbDaysMouseDown(QPoint pos) {
    DragDayIndex = lbDays->ItemIndexAt(pos);
}

bool TZEFTMainForm::lbDaysDragOver(QWidget* source, QPoint pos) {
    if (source != lbDays)
        return false;
    const int index = lbDays->ItemIndexAt(lbDays->viewport()->mapFrom(lbDays, pos));
    if (index < 0)
        return false;
    lbDays->setCurrentRow(index);
    return true;
}

void TZEFTMainForm::lbDaysDragDrop(QWidget* source, QPoint pos) {
    if (source != lbDays)
        return;
    const int target = lbDays->ItemIndexAt(lbDays->viewport()->mapFrom(lbDays, pos));
    if (target == DragDayIndex || DragDayIndex < 0 || target < 0 || !FCurrentLocation)
        return;
    BeginDayEdit();
    FCurrentLocation->Days(target).Assign(FCurrentLocation->Days(DragDayIndex));
    CommitDayEdit();
    const QList<QListWidgetItem*> selected = lvLocations->selectedItems();
    SelectSchemeExecute(selected.isEmpty() ? nullptr : selected.constFirst());
}

} // namespace zeft
