#include "TDailyComfortIntervalsSlider.h"

#include "TDailyHeatingIntervals.h"
#include "zeft_DisplayScale.h"
#include "zeft_EditorGeometry.h"

#include <QEvent>
#include <QPointer>

namespace zeft {

TDailyComfortIntervalsSlider::TDailyComfortIntervalsSlider(TDailyHeatingIntervals* intervals,
                                                           QWidget* parent)
    : QWidget(parent), FIntervals(intervals), FLegend(std::make_unique<TLegend>(this)) {
    SubscribeToIntervals();
    LayOut();
    Rebuild();
}

TDailyComfortIntervalsSlider::~TDailyComfortIntervalsSlider() = default;

void TDailyComfortIntervalsSlider::SetIntervals(TDailyHeatingIntervals* intervals) {
    FIntervals = intervals;
    SubscribeToIntervals();
    Rebuild();
}

void TDailyComfortIntervalsSlider::SubscribeToIntervals() {
    if (!FIntervals)
        return;
    // The day may outlive the row, or be shown by it no longer: the notification reaches the
    // row only while it exists and shows that day.
    const QPointer<TDailyComfortIntervalsSlider> self(this);
    TDailyHeatingIntervals* day = FIntervals;
    day->OnStructureChange = [self, day] {
        if (self && self->FIntervals == day)
            self->Rebuild();
    };
}

void TDailyComfortIntervalsSlider::Rebuild() {
    if (!parentWidget())
        return;
    if (AnySliderBusy()) {
        // The busy control must live until its handler or drag has returned. Some periods may
        // be gone already, so every control lets go of its period now.
        FRebuildPending = true;
        for (const auto& slider : FSliders)
            slider->ReleaseInterval();
        return;
    }
    FRebuildPending = false;
    FSliders.Clear();
    if (!FIntervals)
        return;
    for (int i = 0; i < FIntervals->Count(); ++i)
        FSliders.Add(CreateSlider(FIntervals->Items(i)));
    LayOut();
}

std::unique_ptr<TSingleComfortIntervalSlider>
TDailyComfortIntervalsSlider::CreateSlider(TSingleHeatingInterval& period) {
    auto slider = std::make_unique<TSingleComfortIntervalSlider>(this);
    // From the row's size, not the legend's: a hidden row gets its resize event only when shown.
    slider->setGeometry(0, 0, 0, height() - LegendHeight(height(), DisplayScale()));
    slider->SetScale(Scale());
    slider->SetInterval(&period);

    slider->OnMoving = [this](TSingleComfortIntervalSlider* c) {
        if (FIntervals && c->Interval())
            FIntervals->AlignPreviousStop(c->Interval());
    };
    slider->OnMoved = [this](TSingleComfortIntervalSlider* c) {
        if (FIntervals && c->Interval())
            FIntervals->ResolveOverlaps(c->Interval());
    };
    slider->OnCanSplit = [this] { return FIntervals && FIntervals->CanAdd(); };
    slider->OnSplit = [this](TSingleComfortIntervalSlider* c, TTime at) {
        if (FIntervals && c->Interval())
            FIntervals->SplitPeriod(c->Interval(), at);
    };
    slider->OnSelect = [this](TSingleComfortIntervalSlider* c) {
        if (OnSliderSelected) {
            const TSliderSelectedEvent handler = OnSliderSelected;
            handler(c);
        }
    };
    slider->OnCanDrag = [this] { return FIntervals && FIntervals->CanDelete(); };
    slider->OnIdle = [this](TSingleComfortIntervalSlider* c) { SliderIdle(c); };

    slider->show();
    return slider;
}

bool TDailyComfortIntervalsSlider::AnySliderBusy() const {
    for (const auto& slider : FSliders)
        if (slider->Busy())
            return true;
    return false;
}

void TDailyComfortIntervalsSlider::SliderIdle(TSingleComfortIntervalSlider* c) {
    if (!FRebuildPending || AnySliderBusy())
        return;
    FRebuildPending = false;
    // c is still returning through the toolkit's event delivery: it goes with the next turn
    // of the event loop instead of now (it stays a hidden child of the row until then).
    if (auto leaving = FSliders.Extract(c)) {
        leaving->OnIdle = nullptr;
        leaving->hide();
        leaving.release()->deleteLater();
    }
    Rebuild();
}

int TDailyComfortIntervalsSlider::Scale() const {
    return RowPixelsPerDay(width());
}

void TDailyComfortIntervalsSlider::DeselectAllExcept(const TSingleComfortIntervalSlider* c) {
    for (const auto& slider : FSliders)
        if (slider.get() != c)
            slider->SetSelected(false);
}

void TDailyComfortIntervalsSlider::ApplyTemperature(double value) {
    for (int i = 0; i < FSliders.Count(); ++i) {
        TSingleComfortIntervalSlider* slider = FSliders.Items(i);
        if (slider->Selected() && slider->Interval())
            slider->Interval()->Temperature().SetValue(value);
    }
}

void TDailyComfortIntervalsSlider::SplitSelected() {
    const int count = FSliders.Count();
    // A split rebuilds the row, so the control at each index is looked up afresh.
    for (int i = 0; i < count && i < FSliders.Count(); ++i) {
        TSingleComfortIntervalSlider* slider = FSliders.Items(i);
        if (slider->Selected())
            slider->Split();
    }
}

TDailyComfortIntervalsSlider*
TDailyComfortIntervalsSlider::RowOf(const TSingleComfortIntervalSlider* c) {
    return c ? qobject_cast<TDailyComfortIntervalsSlider*>(c->parentWidget()) : nullptr;
}

bool TDailyComfortIntervalsSlider::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ParentChange)
        Rebuild();
    return handled;
}

void TDailyComfortIntervalsSlider::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void TDailyComfortIntervalsSlider::LayOut() {
    const int legendHeight = LegendHeight(height(), DisplayScale());
    FLegend->setGeometry(0, height() - legendHeight, width(), legendHeight);
    FLegend->ResizeColumns(); // a hidden legend gets its own resize event only when shown
    const int sliderHeight = height() - legendHeight;
    const int scale = Scale();
    for (const auto& slider : FSliders) {
        slider->setGeometry(slider->x(), 0, slider->width(), sliderHeight);
        slider->SetScale(scale);
    }
}

} // namespace zeft
