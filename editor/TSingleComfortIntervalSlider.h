#pragma once

#include "zeft_Time.h"

#include <QPointer>
#include <QWidget>
#include <functional>

namespace zeft {

class TDragTimeTip;
class TInWindowDrag;
class TSingleHeatingInterval;

/// The on-screen form of one switching period inside a day row: a rectangle in the colour of
/// its temperature whose left edge and width are the period's start and duration on the row's
/// scale, with a white caption (temperature, and the start time when the period lasts 5 hours
/// or more) and the start time and temperature as tooltip.
///
/// A click selects or unselects it. Its start edge (within 12 × DisplayScale pixels of the
/// left edge, unless the period starts at 00:00) is dragged with the mouse: the edge follows
/// the pointer to the pixel while the model stores the start on its 10-minute mark, and on
/// release the control snaps to the stored start. A press elsewhere begins an in-window drag
/// of the whole control (for the bin) when OnCanDrag allows it; a drag that ends without a
/// target counts as a click.
///
/// The control changes only the start of its own period; everything else it asks of its row
/// through the six event slots (empty slots are skipped, an empty query answers no).
class TSingleComfortIntervalSlider : public QWidget {
    Q_OBJECT

public:
    using TSliderEvent = std::function<void(TSingleComfortIntervalSlider* sender)>;
    using TSliderQuery = std::function<bool()>;
    using TSplitEvent = std::function<void(TSingleComfortIntervalSlider* sender, TTime at)>;

    /// A control with no period bound yet; the owner (its row) is its parent.
    explicit TSingleComfortIntervalSlider(QWidget* owner);
    ~TSingleComfortIntervalSlider() override;

    /// Pixels that 24 hours take on the row; re-lays out left and width when a period is bound.
    void SetScale(int pixelsPerDay);
    int Scale() const { return FScale; }

    /// Binds the period (not owned: the day owns it), takes its position, colour and texts,
    /// and subscribes to its time and temperature changes, replacing any earlier subscriber.
    void SetInterval(TSingleHeatingInterval* period);
    /// The bound period, or null.
    TSingleHeatingInterval* Interval() const { return FInterval; }
    /// Forgets the period without touching it (it may be gone already) and empties the six
    /// slots: the control stays on screen, inert, until its row replaces it.
    void ReleaseInterval();

    bool Selected() const { return FSelected; }
    /// Selects or unselects without raising an event.
    void SetSelected(bool value);
    /// The keyboard's frame: the control is its row's current period and the row has focus.
    void SetFocusFrame(bool value);
    bool FocusFrame() const { return FFocusFrame; }
    /// The tip beside the pointer that shows the time the dragged start edge snaps to; null
    /// before the first edge drag.
    TDragTimeTip* TimeTip() const { return FTimeTip; }
    /// A drag-and-drop of the control is pending or running.
    bool Dragging() const { return FDragging; }
    /// The start edge is being dragged with the mouse.
    bool ResizingStart() const { return FResizingStart; }

    /// The answer of OnCanSplit; false when the slot is empty.
    bool CanSplit() const;
    /// Asks the row to split the period at the control's pixel middle, if OnCanSplit allows.
    void Split();
    /// The time of the control's pixel middle, where a split divides the period.
    TTime SplitPoint() const;

    int GetRight() const { return x() + width(); }
    /// Moves the right edge to x; the left edge stays.
    void SetRight(int x);

    /// Frame, caption and tooltip from the period and the selection.
    void UpdateAppearance();
    /// The period's times changed: take the new position.
    void TimesChanged(TTime start, TTime stop);
    /// The period's temperature changed: recolour.
    void TemperatureChanged(double oldValue, double newValue);

    /// The caption of the period (text 2001 from 5 hours on, otherwise text 2000).
    QString CaptionText() const;
    /// What the control shows of its caption: the caption when it fits between the frame's
    /// edges, else the temperature alone (text 2000) when that fits, else nothing.
    QString ShownCaption() const;
    /// The tooltip (text 2001).
    QString ToolTipText() const;
    /// The background colour: the temperature's colour.
    QColor BackgroundColor() const;

    /// One of the control's handlers, Split, or its drag-and-drop is still running: the
    /// control must not be destroyed now. OnIdle follows when that is over.
    bool Busy() const;

    TSliderEvent OnMoving;      ///< the start edge moved during an edge drag
    TSliderEvent OnMoved;       ///< a pressed button was released (not at the end of a drag)
    TSliderQuery OnCanSplit;    ///< may the period be split
    TSplitEvent OnSplit;        ///< split the period at this time
    TSliderEvent OnSelect;      ///< the control has just become selected
    TSliderQuery OnCanDrag;     ///< may the period be dragged away
    TSliderEvent OnIdle;        ///< Busy() has just turned false
    TSliderEvent OnResizeStart; ///< a press has begun an edge drag; the period is unchanged yet
    TSliderEvent OnDoubleClick; ///< the release that ends a double-click

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    class THandlerScope;

    void Click();
    void EndLostGesture();
    void BeginDrag(QPoint pressGlobalPos);
    void DragEnded(QWidget* target);
    void SetCursorShape(Qt::CursorShape shape);
    void PlaceFromTimes(TTime start, TTime stop);
    void LeaveHandler();
    void ShowTimeTip(QPoint globalPos);
    void HideTimeTip();

    TSingleHeatingInterval* FInterval = nullptr;
    int FScale = 0;
    bool FSelected = false;
    bool FDragging = false;
    bool FResizingStart = false;
    /// A left press on the control that a release inside it turns into a click.
    bool FClickArmed = false;
    Qt::CursorShape FCursor = Qt::ArrowCursor;
    /// Child of the control; handed to deleteLater once it has ended.
    QPointer<TInWindowDrag> FDrag;
    int FHandlerDepth = 0;
    bool FFocusFrame = false;
    /// The second press of a double-click: its release raises OnDoubleClick.
    bool FDoubleClicked = false;
    /// A tool-tip window, child of the control.
    TDragTimeTip* FTimeTip = nullptr;
};

} // namespace zeft
