#pragma once

#include "zeft_EditorGeometry.h"

#include <QWidget>
#include <array>

class QLabel;

namespace zeft {

/// The hour legend along the bottom of a day row: 25 equal columns whose left-aligned labels
/// mark the hours 0 to 24, so that the left edge of column k lies where hour k lies on the
/// row. The labels are made once (LegendHourLabel); a resize only re-divides the columns.
class TLegend : public QWidget {
    Q_OBJECT

public:
    explicit TLegend(QWidget* owner);

    /// Sets the 25 column widths from the legend's width (runs on every resize).
    void ResizeColumns();
    /// The label of column k (0 .. 24).
    QLabel* Label(int column) const { return FLabels[static_cast<size_t>(column)]; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::array<QLabel*, LegendColumnCount> FLabels{}; // children of the legend
};

} // namespace zeft
