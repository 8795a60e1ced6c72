#include "TTemperatureChooser.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace zeft {

QColor ToQColor(const TColor& color) {
    return QColor(color.Red, color.Green, color.Blue);
}

namespace {

// Every item in its temperature's colour with white text at its top-left corner; the
// highlighted item looks like the others, so the open list reads as a colour scale.
class TTemperatureItemDelegate : public QStyledItemDelegate {
public:
    explicit TTemperatureItemDelegate(TTemperatureChooser* chooser)
        : QStyledItemDelegate(chooser), FChooser(chooser) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const TTemperature* temperature = FChooser->Temperature(index.row());
        painter->fillRect(option.rect, temperature ? ToQColor(temperature->Color()) : Qt::white);
        painter->setPen(Qt::white);
        painter->setFont(FChooser->font());
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop, index.data().toString());
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(Qt::white, 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), FChooser->ItemHeight()};
    }

private:
    TTemperatureChooser* FChooser;
};

// Fusion, like other styles, opens a non-editable combo box as a menu-like popup as tall as the
// screen allows and ignores maxVisibleItems (about 49 of the 50 temperatures). The chooser's
// list drops down instead, 25 items high, and scrolls.
class TDropDownListStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

TTemperatureChooser::TTemperatureChooser(QWidget* parent) : QComboBox(parent) {
    auto* dropDownStyle = new TDropDownListStyle(QApplication::style()->name());
    dropDownStyle->setParent(this);
    setStyle(dropDownStyle);
    setItemDelegate(new TTemperatureItemDelegate(this));
    setMaxVisibleItems(25);
    setEditable(false);
}

TTemperatureChooser::~TTemperatureChooser() = default;

void TTemperatureChooser::Fill(const std::vector<double>& values,
                               const std::function<QString(double)>& label) {
    clear();
    FTemperatures.clear();
    for (double value : values) {
        FTemperatures.push_back(std::make_unique<TTemperature>(value));
        addItem(label(value));
    }
    setCurrentIndex(-1);
}

const TTemperature* TTemperatureChooser::Temperature(int index) const {
    if (index < 0 || index >= static_cast<int>(FTemperatures.size()))
        return nullptr;
    return FTemperatures[static_cast<size_t>(index)].get();
}

void TTemperatureChooser::SetItemHeight(int height) {
    FItemHeight = std::max(1, height);
    if (view())
        view()->doItemsLayout();
}

void TTemperatureChooser::paintEvent(QPaintEvent* event) {
    const TTemperature* temperature = Temperature(currentIndex());
    if (!temperature) {
        QComboBox::paintEvent(event);
        return;
    }
    // The closed field shows the chosen item as the list draws it, beside the arrow button.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.fillRect(field, ToQColor(temperature->Color()));
    painter.setPen(Qt::white);
    painter.drawText(field, Qt::AlignLeft | Qt::AlignVCenter, currentText());
}

} // namespace zeft
