#pragma once

#include "zeft_Time.h"

#include <QDialog>

class QDoubleSpinBox;
class QTimeEdit;

namespace zeft {

/// The exact values of one period: its start on a 10-minute mark, in the user's time format,
/// and its temperature from 5.0 to 29.5 °C in half degrees. A period that starts at 00:00
/// keeps its start: the field is read-only.
class TPeriodDialog : public QDialog {
    Q_OBJECT

public:
    TPeriodDialog(QWidget* parent, TTime start, double temperature, bool startEditable);

    /// The start typed, rounded down to its 10-minute mark.
    TTime Start() const;
    /// The temperature typed, on the half-degree grid; an untouched field gives back the
    /// period's own value, even one off the grid.
    double Temperature() const;

    QTimeEdit* StartEdit() const { return FStart; }
    QDoubleSpinBox* TemperatureEdit() const { return FTemperature; }

private:
    QTimeEdit* FStart;
    QDoubleSpinBox* FTemperature;
    double FInitialTemperature;
    double FInitialShown;
};

} // namespace zeft
