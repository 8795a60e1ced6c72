#pragma once

#include "TTemperature.h"

#include <QComboBox>
#include <memory>
#include <vector>

namespace zeft {

/// The temperature chooser: a drop-down list drawn as a colour scale, each item filled with
/// its temperature's colour and labelled in white. Each item carries its own TTemperature.
class TTemperatureChooser : public QComboBox {
    Q_OBJECT

public:
    explicit TTemperatureChooser(QWidget* parent = nullptr);
    ~TTemperatureChooser() override;

    /// Replaces the items: one per value, labelled by label(value). No item is selected.
    void Fill(const std::vector<double>& values, const std::function<QString(double)>& label);
    /// The temperature of item index, or null.
    const TTemperature* Temperature(int index) const;
    /// The fixed height of the items in the list.
    void SetItemHeight(int height);
    int ItemHeight() const { return FItemHeight; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::unique_ptr<TTemperature>> FTemperatures;
    int FItemHeight = 16;
};

QColor ToQColor(const TColor& color);

} // namespace zeft
