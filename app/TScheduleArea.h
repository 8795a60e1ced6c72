#pragma once

#include "zeft_Time.h"

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;

namespace zeft {

class TDailyComfortIntervalsSlider;
class TDayList;
class THeatingLocation;
enum class TRowKey;
class TScheduleDocument;
class TSingleComfortIntervalSlider;
class TSingleHeatingInterval;
class TTemperatureChooser;

/// The weekly program of one location, edited with the mouse and the keys: the heading with
/// the temperature chooser, the split button, the bin and the name; the day list; the seven
/// day rows. Every edit goes to the document as one call.
class TScheduleArea : public QWidget {
    Q_OBJECT

public:
    /// splitCommand: the window's command that the split button shows and runs.
    TScheduleArea(TScheduleDocument& document, QAction* splitCommand, QWidget* parent);

    /// Shows the location's program; null shows none.
    void ShowLocation(THeatingLocation* location);
    /// The shown room's transfer standing, under its name.
    void ShowTransferStatus(const QString& text);
    THeatingLocation* Location() const { return FLocation; }
    TDailyComfortIntervalsSlider* DayRow(int index) const {
        return FDayRows[static_cast<size_t>(index)];
    }
    /// The day list's context menu while it is open.
    QMenu* DayMenu() const { return FDayMenu; }
    /// A gesture of the mouse is under way: undo and redo wait for its end.
    bool GestureRunning() const;
    /// Fits the rows to the day list and the scroll area.
    void ResizeSchemeConfig();
    /// The day names, the tooltip and the temperature texts in the interface language.
    void ApplyLanguageTexts();
    /// The split command: splits the selected period, or says why a full day cannot be split.
    void SplitSingleIntervalExecute();

    QLabel* paCurrentSchemeDisplayText = nullptr;
    QLabel* paCurrentSchemeTransferStatus = nullptr;
    TTemperatureChooser* cmbTemperature = nullptr;
    QPushButton* btnSplitInterval = nullptr;
    QLabel* imgTrashCan = nullptr;
    TDayList* lbDays = nullptr;
    QScrollArea* sbxSliders = nullptr;

    /// The rows were laid out this wide (the exit button lines up with their 24:00).
    std::function<void(int rowWidth)> OnRowsResized;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateHeading();
    void CreateRows();
    void ConnectEditing();
    void FillTemperatureChooser();
    /// The selected period's row and index, or a null slider.
    struct TSelection {
        int Row = -1;
        int Period = -1;
        TSingleComfortIntervalSlider* Slider = nullptr;
    };
    TSelection Selected() const;

    // the mouse
    void cmbTemperatureSelect(int index);
    void IntervalSliderSelected(TSingleComfortIntervalSlider* slider);
    bool imgTrashCanDragOver(QWidget* source);
    void imgTrashCanDragDrop(QWidget* source);
    void lbDaysMouseDown(QPoint pos);
    bool lbDaysDragOver(QWidget* source, QPoint pos);
    void lbDaysDragDrop(QWidget* source, QPoint pos);
    void lbDaysContextMenu(QPoint globalPos, int dayIndex);
    void CopyDayTo(int sourceDay, const std::vector<int>& targetDays);
    void ShowTemperatureInChooser(double value);

    // the keyboard and the exact-value dialog
    void DayRowKey(TDailyComfortIntervalsSlider* row, TRowKey key);
    int RowIndexOf(const TDailyComfortIntervalsSlider* row) const;
    void SelectRowAt(int rowIndex, TTime at);
    void MovePeriodStart(int rowIndex, int periodIndex, int minutes);
    void StepTemperature(int rowIndex, int periodIndex, double delta);
    void EditPeriodValues(int rowIndex, int periodIndex);
    /// After an edit that may have rebuilt the row, the edited period is selected again.
    void Reselect(int rowIndex, const TSingleHeatingInterval* period);

    TScheduleDocument& FDocument;
    QAction* FSplitCommand;
    THeatingLocation* FLocation = nullptr;
    std::array<TDailyComfortIntervalsSlider*, 7> FDayRows{};
    int DragDayIndex = -1;
    QMenu* FDayMenu = nullptr;
};

} // namespace zeft
