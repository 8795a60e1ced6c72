#pragma once

#include "TLegend.h"
#include "TSliderList.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace zeft {

class TDailyHeatingIntervals;

/// The keys a row hands on to the window, which edits the day for them (the edits are undo
/// steps). The edit keys come only while the row's current period is selected.
enum class TRowKey {
    PreviousRow,  ///< Up: the day above
    NextRow,      ///< Down: the day below
    StartEarlier, ///< Shift+Left
    StartLater,   ///< Shift+Right
    Warmer,       ///< +
    Cooler,       ///< -
    Split,        ///< Insert
    Delete,       ///< Delete
    EditValues    ///< Enter, or a double-click on a period (which becomes current)
};

/// One day of the weekly program as a row: a period control per switching period, side by
/// side on a 24-hour scale that takes 24/25 of the row's width (Scale()), above the hour
/// legend. The row keeps its controls equal to the day's periods, rebuilding them whenever the
/// day reports a change of its structure, answers the controls' questions and carries out
/// their requests on the day program.
///
/// A control is never destroyed while one of its handlers or its drag-and-drop is running
/// (the release that repaired the day away from a neighbour, a split, a drop on the bin): a
/// rebuild asked for meanwhile waits until the control is idle again, and the controls let go
/// of their periods at once, so none of them touches a period that is gone.
///
/// The day program must outlive the row or be replaced first (SetIntervals); a row destroyed
/// first leaves no live subscription behind.
class TDailyComfortIntervalsSlider : public QWidget {
    Q_OBJECT

public:
    using TSliderSelectedEvent = std::function<void(TSingleComfortIntervalSlider* slider)>;
    using TRowEvent = std::function<void(TDailyComfortIntervalsSlider* row)>;
    using TRowKeyEvent = std::function<void(TDailyComfortIntervalsSlider* row, TRowKey key)>;

    /// A row showing intervals (not owned; may be null). The period controls are built as
    /// soon as the row has a parent: here already when parent is given.
    explicit TDailyComfortIntervalsSlider(TDailyHeatingIntervals* intervals,
                                          QWidget* parent = nullptr);
    ~TDailyComfortIntervalsSlider() override;

    TDailyHeatingIntervals* Intervals() const { return FIntervals; }
    /// Shows another day program (null: no periods) and rebuilds.
    void SetIntervals(TDailyHeatingIntervals* intervals);
    /// Replaces every period control by a new, unselected one bound to the day's periods.
    /// Nothing without a parent; deferred while a control of the row is busy. The old
    /// controls are hidden and inert at once and destroyed on the next turn of the event loop.
    void Rebuild();
    /// A rebuild waits for a busy control.
    bool RebuildPending() const { return FRebuildPending; }

    const TSliderList& Sliders() const { return FSliders; }
    TLegend& Legend() const { return *FLegend; }
    /// Pixels per day of the period controls: Round(client width × 24 / 25).
    int Scale() const;

    /// Unselects every control of the row but c (c may belong to another row).
    void DeselectAllExcept(const TSingleComfortIntervalSlider* c);
    /// Gives every selected period the temperature (the model clamps it); the controls
    /// recolour themselves.
    void ApplyTemperature(double value);
    /// Splits the selected period at its control's pixel middle (at most one split a call:
    /// the split rebuilds the row, which leaves nothing selected).
    void SplitSelected();

    /// The row a period control belongs to, or null.
    static TDailyComfortIntervalsSlider* RowOf(const TSingleComfortIntervalSlider* c);

    /// The day of the week the row shows, 0 = Monday (-1: none); screen readers say it.
    int Day() const { return FDay; }
    void SetDay(int day) { FDay = day; }

    /// The period the keys act on: the selected one of the row, else the one last selected
    /// or moved to here, else the first. -1 without periods.
    int CurrentIndex() const;
    TSingleComfortIntervalSlider* CurrentSlider() const;
    /// Makes the control at index current and selects it as a click does (OnSliderSelected).
    void SelectSlider(int index);

    /// A period control of this row has become selected.
    TSliderSelectedEvent OnSliderSelected;
    /// An edge drag is about to change the day ...
    TRowEvent OnEditBegin;
    /// ... and a release has ended it, the day repaired (also after a plain click).
    TRowEvent OnEditEnd;
    /// A key for the window (see TRowKey).
    TRowKeyEvent OnKey;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::unique_ptr<TSingleComfortIntervalSlider> CreateSlider(TSingleHeatingInterval& period);
    void SubscribeToIntervals();
    void LayOut();
    bool AnySliderBusy() const;
    void SliderIdle(TSingleComfortIntervalSlider* c);
    void UpdateFocusFrame();
    void RaiseKey(TRowKey key);
    /// Takes a control out of service and destroys it later, never inside event delivery.
    static void Retire(std::unique_ptr<TSingleComfortIntervalSlider> c);

    TDailyHeatingIntervals* FIntervals;
    TSliderList FSliders;
    std::unique_ptr<TLegend> FLegend;
    bool FRebuildPending = false;
    int FDay = -1;
    /// The current period when none of the row is selected.
    int FCurrentIndex = 0;
};

} // namespace zeft
