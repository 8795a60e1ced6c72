#include "TLegend.h"

#include "zeft_LegendHourLabel.h"

#include <QLabel>

namespace zeft {

TLegend::TLegend(QWidget* owner) : QWidget(owner) {
    for (int k = 0; k < LegendColumnCount; ++k) {
        auto* label = new QLabel(LegendHourLabel(k), this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setContentsMargins(0, 0, 0, 0);
        label->setMargin(0);
        label->setIndent(0);
        // The labels must not widen the columns: a long label is cut at its column's edge.
        label->setMinimumSize(0, 0);
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        FLabels[static_cast<size_t>(k)] = label;
    }
    ResizeColumns();
}

void TLegend::ResizeColumns() {
    const auto edges = LegendColumnEdges(width());
    for (int k = 0; k < LegendColumnCount; ++k) {
        const int left = edges[static_cast<size_t>(k)];
        const int right = edges[static_cast<size_t>(k) + 1];
        FLabels[static_cast<size_t>(k)]->setGeometry(left, 0, right - left, height());
    }
}

void TLegend::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ResizeColumns();
}

} // namespace zeft
