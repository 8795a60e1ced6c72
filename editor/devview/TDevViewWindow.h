#pragma once

#include "THeatingLocation.h"

#include <QWidget>
#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

namespace zeft {

class TDailyComfortIntervalsSlider;
class TSingleComfortIntervalSlider;

/// The developer's window: the seven day rows of one location with a temperature chooser, a
/// split button and a bin, laid out like the schedule area of the main window, so that the
/// editor controls can be tried by hand before the main window exists.
class TDevViewWindow : public QWidget {
    Q_OBJECT

public:
    explicit TDevViewWindow(std::unique_ptr<THeatingLocation> location);
    ~TDevViewWindow() override;

    TDailyComfortIntervalsSlider* DayRow(int day) const {
        return FDayRows[static_cast<size_t>(day)];
    }
    /// Selects period `period` of day `day` as a click would; false if there is none.
    bool Select(int day, int period);
    /// The periods of the seven days, one day a line ("Mon 00:00-06:00/17.0 ...").
    QString ProgramText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SliderSelected(TSingleComfortIntervalSlider* c);
    void TemperatureChosen(int index);
    void SplitClicked();
    bool BinDragOver(QWidget* source) const;
    void BinDragDrop(QWidget* source);
    void LayOut();

    std::unique_ptr<THeatingLocation> FLocation;
    QComboBox* FTemperatures;
    QPushButton* FSplit;
    QLabel* FBin;
    QLabel* FCaption;
    std::array<QLabel*, THeatingLocation::DaysPerWeek> FDayNames{};
    QWidget* FRowArea;
    std::array<TDailyComfortIntervalsSlider*, THeatingLocation::DaysPerWeek> FDayRows{};
};

} // namespace zeft
