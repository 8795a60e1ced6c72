#include "TDailyComfortIntervalsSlider.h"

#include "TDailyHeatingIntervals.h"
#include "zeft_DisplayScale.h"
#include "zeft_EditorAccessibility.h"
#include "zeft_EditorGeometry.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <algorithm>

namespace zeft {

TDailyComfortIntervalsSlider::TDailyComfortIntervalsSlider(TDailyHeatingIntervals* intervals,
                                                           QWidget* parent)
    : QWidget(parent), FIntervals(intervals), FLegend(std::make_unique<TLegend>(this)) {
    InstallEditorAccessibility();
    // Tab reaches the row, and a click on one of its periods gives it the keyboard.
    setFocusPolicy(Qt::StrongFocus);
    SubscribeToIntervals();
    LayOut();
    Rebuild();
}

TDailyComfortIntervalsSlider::~TDailyComfortIntervalsSlider() = default;

void TDailyComfortIntervalsSlider::SetIntervals(TDailyHeatingIntervals* intervals) {
    FIntervals = intervals;
    FCurrentIndex = 0;
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
    // A rebuild can run inside the delivery of an event to one of the old controls, before
    // the control's own handler has been reached (a press that takes the keyboard from the
    // rename editor commits the name and re-displays the location): none is destroyed here.
    while (FSliders.Count() > 0)
        Retire(FSliders.Extract(FSliders.Items(0)));
    if (!FIntervals)
        return;
    for (int i = 0; i < FIntervals->Count(); ++i)
        FSliders.Add(CreateSlider(FIntervals->Items(i)));
    LayOut();
    UpdateFocusFrame();
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
    slider->OnResizeStart = [this](TSingleComfortIntervalSlider*) {
        if (OnEditBegin) {
            const TRowEvent handler = OnEditBegin;
            handler(this);
        }
    };
    slider->OnMoved = [this](TSingleComfortIntervalSlider* c) {
        // The edge is where the pointer left it; the day is repaired as for every start move.
        if (FIntervals && c->Interval())
            FIntervals->MoveStart(c->Interval(), c->Interval()->Start());
        if (OnEditEnd) {
            const TRowEvent handler = OnEditEnd;
            handler(this);
        }
    };
    slider->OnCanSplit = [this] { return FIntervals && FIntervals->CanAdd(); };
    slider->OnSplit = [this](TSingleComfortIntervalSlider* c, TTime at) {
        if (FIntervals && c->Interval())
            FIntervals->SplitPeriod(c->Interval(), at);
    };
    slider->OnSelect = [this](TSingleComfortIntervalSlider* c) {
        if (const int index = FSliders.IndexOf(c); index >= 0)
            FCurrentIndex = index;
        UpdateFocusFrame();
        if (OnSliderSelected) {
            const TSliderSelectedEvent handler = OnSliderSelected;
            handler(c);
        }
    };
    slider->OnCanDrag = [this] { return FIntervals && FIntervals->CanDelete(); };
    slider->OnIdle = [this](TSingleComfortIntervalSlider* c) { SliderIdle(c); };
    slider->OnDoubleClick = [this](TSingleComfortIntervalSlider* c) {
        if (const int index = FSliders.IndexOf(c); index >= 0) {
            FCurrentIndex = index;
            UpdateFocusFrame();
            RaiseKey(TRowKey::EditValues);
        }
    };

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
    // c is still returning through the toolkit's event delivery.
    Retire(FSliders.Extract(c));
    Rebuild();
}

void TDailyComfortIntervalsSlider::Retire(std::unique_ptr<TSingleComfortIntervalSlider> c) {
    if (!c)
        return;
    // It goes with the next turn of the event loop instead of now, a hidden, inert child of
    // the row until then: whatever the toolkit still delivers to it changes nothing.
    c->ReleaseInterval();
    c->OnIdle = nullptr;
    c->hide();
    c.release()->deleteLater();
}

int TDailyComfortIntervalsSlider::Scale() const {
    return RowPixelsPerDay(width());
}

int TDailyComfortIntervalsSlider::CurrentIndex() const {
    const int count = FSliders.Count();
    if (count == 0)
        return -1;
    for (int i = 0; i < count; ++i)
        if (FSliders.Items(i)->Selected())
            return i;
    return std::clamp(FCurrentIndex, 0, count - 1);
}

TSingleComfortIntervalSlider* TDailyComfortIntervalsSlider::CurrentSlider() const {
    const int index = CurrentIndex();
    return index < 0 ? nullptr : FSliders.Items(index);
}

void TDailyComfortIntervalsSlider::SelectSlider(int index) {
    if (index < 0 || index >= FSliders.Count())
        return;
    FCurrentIndex = index;
    TSingleComfortIntervalSlider* c = FSliders.Items(index);
    c->SetSelected(true);
    // What a click that selects raises, so the window treats both alike.
    if (c->OnSelect) {
        const auto handler = c->OnSelect;
        handler(c);
    }
    UpdateFocusFrame();
}

void TDailyComfortIntervalsSlider::UpdateFocusFrame() {
    const int current = hasFocus() ? CurrentIndex() : -1;
    for (int i = 0; i < FSliders.Count(); ++i)
        FSliders.Items(i)->SetFocusFrame(i == current);
    NotifyAccessibleFocus(current >= 0 ? FSliders.Items(current) : nullptr);
}

void TDailyComfortIntervalsSlider::RaiseKey(TRowKey key) {
    if (OnKey) {
        const TRowKeyEvent handler = OnKey;
        handler(this, key);
    }
}

void TDailyComfortIntervalsSlider::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    const bool plain = modifiers == Qt::NoModifier;
    TSingleComfortIntervalSlider* current = CurrentSlider();
    const bool selected = current && current->Selected() && current->Interval();
    auto editKey = [&](TRowKey key) {
        if (selected)
            RaiseKey(key);
    };
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        if (shift)
            editKey(step < 0 ? TRowKey::StartEarlier : TRowKey::StartLater);
        else if (plain && current)
            SelectSlider(std::clamp(CurrentIndex() + step, 0, FSliders.Count() - 1));
        else
            break;
        event->accept();
        return;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!plain)
            break;
        RaiseKey(event->key() == Qt::Key_Up ? TRowKey::PreviousRow : TRowKey::NextRow);
        event->accept();
        return;
    case Qt::Key_Space:
        if (!plain || !current)
            break;
        // As a click: selecting raises the event, unselecting does not.
        if (current->Selected()) {
            current->SetSelected(false);
            UpdateFocusFrame();
        } else {
            SelectSlider(CurrentIndex());
        }
        event->accept();
        return;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        // + is shifted on some keyboards; the keypad's come with their own modifier.
        if (modifiers & ~Qt::ShiftModifier)
            break;
        editKey(event->key() == Qt::Key_Plus ? TRowKey::Warmer : TRowKey::Cooler);
        event->accept();
        return;
    case Qt::Key_Insert:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!plain)
            break;
        editKey(event->key() == Qt::Key_Insert   ? TRowKey::Split
                : event->key() == Qt::Key_Delete ? TRowKey::Delete
                                                 : TRowKey::EditValues);
        event->accept();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void TDailyComfortIntervalsSlider::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    UpdateFocusFrame();
}

void TDailyComfortIntervalsSlider::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    UpdateFocusFrame();
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
