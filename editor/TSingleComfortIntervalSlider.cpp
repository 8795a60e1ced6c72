#include "TSingleComfortIntervalSlider.h"

#include "TDragTimeTip.h"
#include "TInWindowDrag.h"
#include "TSingleHeatingInterval.h"
#include "zeft_DisplayScale.h"
#include "zeft_EditorAccessibility.h"
#include "zeft_EditorGeometry.h"
#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"
#include "zeft_TimeText.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace zeft {

namespace {

const TTime LongCaptionDuration = TimeOf(5, 0);

/// The selected control's frame: Round(2 × s) pixels, at least one.
int SelectedFrameWidth() {
    return std::max(1, ScaledPixels(2));
}

/// Calls a slot through a copy, so that a handler may empty or replace the slot it runs from.
template <typename TSlot, typename... TArgs> void Raise(const TSlot& slot, TArgs&&... args) {
    if (slot) {
        const TSlot handler = slot;
        handler(std::forward<TArgs>(args)...);
    }
}

template <typename TSlot> bool Ask(const TSlot& query) {
    if (!query)
        return false;
    const TSlot handler = query;
    return handler();
}

/// Keeps the control's own start changes from moving it while the edge follows the pointer.
class TTimesChangeSuppressed {
public:
    explicit TTimesChangeSuppressed(TSingleHeatingInterval& period) : FPeriod(period) {
        FPeriod.SuppressTimesChange = true;
    }
    ~TTimesChangeSuppressed() { FPeriod.SuppressTimesChange = false; }
    TTimesChangeSuppressed(const TTimesChangeSuppressed&) = delete;
    TTimesChangeSuppressed& operator=(const TTimesChangeSuppressed&) = delete;

private:
    TSingleHeatingInterval& FPeriod;
};

} // namespace

/// Marks the control busy while one of its handlers runs; the last one out reports idle.
class TSingleComfortIntervalSlider::THandlerScope {
public:
    explicit THandlerScope(TSingleComfortIntervalSlider& control) : FControl(control) {
        ++FControl.FHandlerDepth;
    }
    ~THandlerScope() {
        if (--FControl.FHandlerDepth == 0)
            FControl.LeaveHandler();
    }
    THandlerScope(const THandlerScope&) = delete;
    THandlerScope& operator=(const THandlerScope&) = delete;

private:
    TSingleComfortIntervalSlider& FControl;
};

TSingleComfortIntervalSlider::TSingleComfortIntervalSlider(QWidget* owner) : QWidget(owner) {
    InstallEditorAccessibility();
    // The control paints all of its area; nothing of the row shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

TSingleComfortIntervalSlider::~TSingleComfortIntervalSlider() = default;

void TSingleComfortIntervalSlider::SetScale(int pixelsPerDay) {
    FScale = pixelsPerDay;
    if (FInterval)
        PlaceFromTimes(FInterval->Start(), FInterval->Stop());
}

void TSingleComfortIntervalSlider::SetInterval(TSingleHeatingInterval* period) {
    FInterval = period;
    if (!period) {
        UpdateAppearance();
        return;
    }
    PlaceFromTimes(period->Start(), period->Stop());
    UpdateAppearance();
    // The model may outlive this control: its notifications reach the control only while it
    // exists and still shows that period.
    const QPointer<TSingleComfortIntervalSlider> self(this);
    period->Temperature().OnValueChange = [self, period](double oldValue, double newValue) {
        if (self && self->FInterval == period)
            self->TemperatureChanged(oldValue, newValue);
    };
    period->OnTimesChange = [self, period](TTime start, TTime stop) {
        if (self && self->FInterval == period)
            self->TimesChanged(start, stop);
    };
}

void TSingleComfortIntervalSlider::ReleaseInterval() {
    FInterval = nullptr;
    OnMoving = nullptr;
    OnMoved = nullptr;
    OnCanSplit = nullptr;
    OnSplit = nullptr;
    OnSelect = nullptr;
    OnCanDrag = nullptr;
    OnResizeStart = nullptr;
    OnDoubleClick = nullptr;
    HideTimeTip();
    UpdateAppearance();
}

void TSingleComfortIntervalSlider::SetSelected(bool value) {
    FSelected = value;
    UpdateAppearance();
}

void TSingleComfortIntervalSlider::SetFocusFrame(bool value) {
    if (FFocusFrame == value)
        return;
    FFocusFrame = value;
    update();
}

bool TSingleComfortIntervalSlider::CanSplit() const {
    return Ask(OnCanSplit);
}

void TSingleComfortIntervalSlider::Split() {
    THandlerScope busy(*this);
    if (!OnSplit || !CanSplit() || FScale <= 0)
        return;
    Raise(OnSplit, this, SplitPoint());
}

TTime TSingleComfortIntervalSlider::SplitPoint() const {
    return FScale > 0 ? SplitTime(x(), width(), FScale) : Midnight;
}

void TSingleComfortIntervalSlider::SetRight(int x) {
    resize(x - this->x(), height());
}

void TSingleComfortIntervalSlider::UpdateAppearance() {
    setToolTip(ToolTipText());
    NotifyAccessibleNameChanged(this);
    update();
}

void TSingleComfortIntervalSlider::TimesChanged(TTime start, TTime stop) {
    PlaceFromTimes(start, stop);
    UpdateAppearance();
}

void TSingleComfortIntervalSlider::TemperatureChanged(double, double) {
    UpdateAppearance();
}

QString TSingleComfortIntervalSlider::CaptionText() const {
    if (!FInterval)
        return {};
    const bool withStart = !LaterThan(LongCaptionDuration, FInterval->Duration());
    return FormatText(
        LoadLanguageString(withStart ? TextId::PeriodCaptionLong : TextId::PeriodCaptionShort),
        {FInterval->Temperature().Value(), FormatShortTime(FInterval->Start())});
}

QString TSingleComfortIntervalSlider::ShownCaption() const {
    // A caption cut at the edges could read as another number ("9.0°" of "19.0°C"): the short
    // form when the caption does not fit inside frame and edge, nothing when that does not fit
    // either (the tooltip still has it).
    const int room = width() - 2 * (SelectedFrameWidth() + 1);
    const QFontMetrics metrics(font());
    const QString caption = CaptionText();
    if (!caption.isEmpty() && metrics.horizontalAdvance(caption) <= room)
        return caption;
    const QString shortCaption = FInterval
                                     ? FormatText(LoadLanguageString(TextId::PeriodCaptionShort),
                                                  {FInterval->Temperature().Value()})
                                     : QString();
    if (!shortCaption.isEmpty() && metrics.horizontalAdvance(shortCaption) <= room)
        return shortCaption;
    return {};
}

QString TSingleComfortIntervalSlider::ToolTipText() const {
    if (!FInterval)
        return {};
    return FormatText(LoadLanguageString(TextId::PeriodCaptionLong),
                      {FInterval->Temperature().Value(), FormatShortTime(FInterval->Start())});
}

QColor TSingleComfortIntervalSlider::BackgroundColor() const {
    if (!FInterval)
        return palette().color(QPalette::Window);
    const TColor c = FInterval->Temperature().Color();
    return QColor(c.Red, c.Green, c.Blue);
}

bool TSingleComfortIntervalSlider::Busy() const {
    return FHandlerDepth > 0 || (FDrag && !FDrag->Finished());
}

bool TSingleComfortIntervalSlider::event(QEvent* event) {
    if (event->type() == QEvent::DeferredDelete)
        return QWidget::event(event); // destroys the control: nothing may follow
    THandlerScope busy(*this);
    if (event->type() == QEvent::ToolTip)
        setToolTip(ToolTipText()); // the language may have changed since the last update
    return QWidget::event(event);
}

void TSingleComfortIntervalSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor background = BackgroundColor();
    const QRect area = rect();
    painter.fillRect(area, background);

    QRect inner = area;
    if (FSelected) {
        // Selected: a flat frame with a single dark line, Round(2 × s) wide in all.
        const int border = SelectedFrameWidth();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRect(area.x(), area.y(), area.width(), border);
        painter.drawRect(area.x(), area.bottom() - border + 1, area.width(), border);
        painter.drawRect(area.x(), area.y(), border, area.height());
        painter.drawRect(area.right() - border + 1, area.y(), border, area.height());
        inner = area.adjusted(border, border, -border, -border);
    }
    // The panel's one-pixel raised edge.
    if (inner.width() > 1 && inner.height() > 1) {
        painter.setPen(QColor(255, 255, 255));
        painter.drawLine(inner.topLeft(), inner.topRight());
        painter.drawLine(inner.topLeft(), inner.bottomLeft());
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(inner.bottomLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomRight());
    }

    // The caption is centred; it is shown whole or not at all.
    painter.setPen(Qt::white);
    painter.setFont(font());
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, ShownCaption());

    if (FFocusFrame) {
        // The keyboard's place: a dotted line inside the frame, visible on every colour.
        const int inset = std::max(2, ScaledPixels(3));
        const QRect focus = area.adjusted(inset, inset, -inset - 1, -inset - 1);
        if (focus.width() > 0 && focus.height() > 0) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
            painter.drawRect(focus);
            painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
            painter.drawRect(focus);
        }
    }
}

void TSingleComfortIntervalSlider::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (FDragging || FResizingStart) {
        if (event->buttons() & ~event->button())
            return; // another button while a gesture runs
        EndLostGesture();
    }
    if (event->button() == Qt::LeftButton)
        FClickArmed = true;
    if (!FInterval)
        return;
    const int x = event->position().toPoint().x();
    if (FCursor == Qt::SizeHorCursor) {
        // Only the left half of the control moves its start (a narrow control may still
        // show the resize cursor over its right part).
        if (x < width() - x) {
            Raise(OnResizeStart, this);
            FResizingStart = true;
        }
    } else if (Ask(OnCanDrag)) {
        // Set before the drag begins, so that the release and click the control sees while
        // the drag is pending change nothing: the end of the drag decides whether this press
        // was a click.
        FDragging = true;
        FClickArmed = false;
        BeginDrag(event->globalPosition().toPoint());
    }
}

void TSingleComfortIntervalSlider::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const int x = event->position().toPoint().x();
    const bool startsAtMidnight = !FInterval || !LaterThan(FInterval->Start(), Midnight);
    switch (CursorZoneAt(x, width(), startsAtMidnight, FDragging, DisplayScale())) {
    case TCursorZone::Arrow:
        SetCursorShape(Qt::ArrowCursor);
        break;
    case TCursorZone::Resize:
        SetCursorShape(Qt::SizeHorCursor);
        break;
    case TCursorZone::Unchanged:
        break;
    }

    if (FDrag && !FDrag->Finished())
        FDrag->MouseMove(event->globalPosition().toPoint());

    if (FResizingStart && FInterval && (event->buttons() & Qt::LeftButton)) {
        raise(); // it covers a neighbour that has not given way yet
        const int right = GetRight();
        const int left = DraggedLeft(this->x(), x, right);
        setGeometry(left, y(), right - left, height());
        {
            // The model stores the start on its 10-minute mark but must not move the edge
            // away from the pointer; the release snaps it.
            TTimesChangeSuppressed suppressed(*FInterval);
            FInterval->SetStart(DraggedStart(left, FScale, FInterval->Stop()));
        }
        ShowTimeTip(event->globalPosition().toPoint());
        Raise(OnMoving, this);
    }
}

void TSingleComfortIntervalSlider::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool click = FClickArmed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        FClickArmed = false;
    // The click comes before the release, as the platform's click does.
    if (click)
        Click();

    if (!FDragging) {
        if (FResizingStart && FInterval)
            // snaps to the stored mark
            FInterval->SetStart(DraggedStart(x(), FScale, FInterval->Stop()));
        Raise(OnMoved, this);
    }
    FResizingStart = false;
    HideTimeTip();
    SetCursorShape(Qt::ArrowCursor);

    if (FDrag && !FDrag->Finished())
        FDrag->Release(event->globalPosition().toPoint());
    if (FDoubleClicked && event->button() == Qt::LeftButton) {
        FDoubleClicked = false;
        Raise(OnDoubleClick, this);
    }
}

void TSingleComfortIntervalSlider::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click is a press as any other (a click follows); its
    // release then asks for the exact values.
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        FDoubleClicked = true;
}

void TSingleComfortIntervalSlider::ShowTimeTip(QPoint globalPos) {
    if (!FInterval)
        return;
    if (!FTimeTip)
        FTimeTip = new TDragTimeTip(this);
    FTimeTip->ShowAt(globalPos, FormatShortTime(FInterval->Start()));
}

void TSingleComfortIntervalSlider::HideTimeTip() {
    if (FTimeTip)
        FTimeTip->hide();
}

void TSingleComfortIntervalSlider::EndLostGesture() {
    // The release of the last gesture never came (the window lost the mouse meanwhile): it is
    // finished as that release would have, so the day is repaired, and a pending drag ends as
    // if cancelled.
    if (FResizingStart) {
        if (FInterval)
            FInterval->SetStart(DraggedStart(x(), FScale, FInterval->Stop()));
        Raise(OnMoved, this);
        FResizingStart = false;
        HideTimeTip();
    }
    if (FDrag && !FDrag->Finished())
        FDrag->Cancel();
}

void TSingleComfortIntervalSlider::Click() {
    if (!FDragging) {
        FSelected = !FSelected;
        if (FSelected)
            Raise(OnSelect, this);
    }
    UpdateAppearance();
}

void TSingleComfortIntervalSlider::BeginDrag(QPoint pressGlobalPos) {
    auto* drag = new TInWindowDrag(this, pressGlobalPos, ScaledPixels(5), this);
    drag->OnEndDrag = [this](QWidget* target) { DragEnded(target); };
    FDrag = drag;
}

void TSingleComfortIntervalSlider::DragEnded(QWidget* target) {
    THandlerScope busy(*this);
    if (FDrag)
        FDrag->deleteLater(); // it is still returning from the call that ended it
    FDrag = nullptr;
    FDragging = false;
    // A drop nowhere, a release before the threshold or a cancelled drag is a click. A drop
    // that a target took is that target's business.
    if (!target)
        Click();
}

void TSingleComfortIntervalSlider::SetCursorShape(Qt::CursorShape shape) {
    if (FCursor == shape)
        return;
    FCursor = shape;
    setCursor(shape);
}

void TSingleComfortIntervalSlider::PlaceFromTimes(TTime start, TTime stop) {
    setGeometry(TimeToPixel(start, FScale), y(), PeriodWidth(start, stop, FScale), height());
}

void TSingleComfortIntervalSlider::LeaveHandler() {
    if (!Busy())
        Raise(OnIdle, this);
}

} // namespace zeft
