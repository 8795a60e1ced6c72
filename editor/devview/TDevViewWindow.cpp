#include "TDevViewWindow.h"

#include "TDailyComfortIntervalsSlider.h"
#include "TDailyHeatingIntervals.h"
#include "TDropTarget.h"
#include "zeft_DisplayScale.h"
#include "zeft_EditorGeometry.h"
#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace zeft {

namespace {

constexpr int TemperatureTextId = 4802;
constexpr int SplitTextId = 4600;
// Design sizes of the schedule area at 96 dpi.
constexpr int StripHeight = 43;
constexpr int DayListWidth = 89;
constexpr int Margin = 8;

QPixmap BinPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 32.0;
    p.setPen(QPen(QColor(60, 60, 60), 1.5 * s));
    p.setBrush(QColor(170, 170, 175));
    QPainterPath basket;
    basket.moveTo(7 * s, 9 * s);
    basket.lineTo(25 * s, 9 * s);
    basket.lineTo(22.5 * s, 30 * s);
    basket.lineTo(9.5 * s, 30 * s);
    basket.closeSubpath();
    p.drawPath(basket);
    p.drawRect(QRectF(5 * s, 5 * s, 22 * s, 4 * s));
    p.drawRect(QRectF(13 * s, 2.5 * s, 6 * s, 2.5 * s));
    for (double x : {12.5, 16.0, 19.5})
        p.drawLine(QPointF(x * s, 12 * s), QPointF(x * s, 27 * s));
    return picture;
}

} // namespace

TDevViewWindow::TDevViewWindow(std::unique_ptr<THeatingLocation> location)
    : FLocation(std::move(location)) {
    QFont windowFont(QStringLiteral("Tahoma"));
    windowFont.setPixelSize(ScaledPixels(11));
    setFont(windowFont);
    setWindowTitle(QString::fromStdString(FLocation->DisplayText));

    FTemperatures = new QComboBox(this);
    for (int half = 10; half <= 59; ++half) {
        const double value = half / 2.0;
        FTemperatures->addItem(FormatText(LoadLanguageString(TemperatureTextId), {value}), value);
    }
    FTemperatures->setCurrentIndex(-1);
    connect(FTemperatures, &QComboBox::activated, this, &TDevViewWindow::TemperatureChosen);

    FSplit = new QPushButton(WithoutAccelerator(LoadLanguageString(SplitTextId)), this);
    FSplit->setEnabled(false);
    connect(FSplit, &QPushButton::clicked, this, &TDevViewWindow::SplitClicked);

    FBin = new QLabel(this);
    FBin->setPixmap(BinPicture(ScaledPixels(32)));
    TDropTarget& bin = TDropTarget::Register(FBin);
    bin.OnDragOver = [this](QWidget* source, QPoint) { return BinDragOver(source); };
    bin.OnDragDrop = [this](QWidget* source, QPoint) { BinDragDrop(source); };

    FCaption = new QLabel(QString::fromStdString(FLocation->DisplayText), this);
    QFont captionFont = font();
    captionFont.setPixelSize(ScaledPixels(16));
    captionFont.setBold(true);
    FCaption->setFont(captionFont);

    QFont dayFont = font();
    dayFont.setBold(true);
    for (int day = 0; day < THeatingLocation::DaysPerWeek; ++day) {
        auto* name = new QLabel(DayName(day + 1), this);
        name->setFont(dayFont);
        name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        FDayNames[static_cast<size_t>(day)] = name;
    }

    FRowArea = new QWidget(this);
    for (int day = 0; day < THeatingLocation::DaysPerWeek; ++day) {
        auto* row = new TDailyComfortIntervalsSlider(&FLocation->Days(day), FRowArea);
        row->OnSliderSelected = [this](TSingleComfortIntervalSlider* c) { SliderSelected(c); };
        FDayRows[static_cast<size_t>(day)] = row;
    }

    resize(ScaledPixels(615), ScaledPixels(344));
    LayOut();
}

TDevViewWindow::~TDevViewWindow() {
    // The rows go before the location whose days they show.
    for (auto*& row : FDayRows) {
        delete row;
        row = nullptr;
    }
}

void TDevViewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void TDevViewWindow::LayOut() {
    const int strip = ScaledPixels(StripHeight);
    const int margin = ScaledPixels(Margin);
    const int dayListWidth = ScaledPixels(DayListWidth);
    FTemperatures->setGeometry(margin, margin, dayListWidth, ScaledPixels(22));
    FSplit->setGeometry(FTemperatures->geometry().right() + 1 + margin, margin, ScaledPixels(100),
                        ScaledPixels(32) - margin + margin / 2);
    const int binSize = ScaledPixels(32);
    FBin->setGeometry(FSplit->geometry().right() + 1 + margin, margin / 2, binSize, binSize);
    const int captionLeft = FBin->geometry().right() + 1 + ScaledPixels(12);
    FCaption->setGeometry(captionLeft, 0, std::max(0, width() - captionLeft - margin), strip);

    const int listTop = strip;
    const int itemHeight = std::max(1, (height() - listTop) / THeatingLocation::DaysPerWeek);
    const int rowsLeft = margin + dayListWidth + margin;
    FRowArea->setGeometry(rowsLeft, listTop, std::max(0, width() - rowsLeft), height() - listTop);
    const int rowWidth = std::max(0, width() - rowsLeft - margin - margin);
    for (int day = 0; day < THeatingLocation::DaysPerWeek; ++day) {
        FDayNames[static_cast<size_t>(day)]->setGeometry(
            margin + ScaledPixels(2), listTop + day * itemHeight, dayListWidth, itemHeight);
        const int top = RoundHalfEven(itemHeight * (day + 0.5) - itemHeight * 0.5);
        FDayRows[static_cast<size_t>(day)]->setGeometry(margin, top, rowWidth, itemHeight);
    }
}

bool TDevViewWindow::Select(int day, int period) {
    if (day < 0 || day >= THeatingLocation::DaysPerWeek)
        return false;
    const TSliderList& sliders = FDayRows[static_cast<size_t>(day)]->Sliders();
    if (period < 0 || period >= sliders.Count())
        return false;
    sliders.Items(period)->SetSelected(true);
    SliderSelected(sliders.Items(period));
    return true;
}

QString TDevViewWindow::ProgramText() const {
    QString text;
    for (int day = 0; day < THeatingLocation::DaysPerWeek; ++day) {
        const TDailyHeatingIntervals& periods = FLocation->Days(day);
        text += DayName(day + 1).left(3);
        for (int i = 0; i < periods.Count(); ++i) {
            const TSingleHeatingInterval& p = periods.Items(i);
            const int start = MinutesOf(p.Start());
            const int stop = MinutesOf(p.Stop());
            text += QStringLiteral(" %1:%2-%3:%4/%5")
                        .arg(start / 60, 2, 10, QLatin1Char('0'))
                        .arg(start % 60, 2, 10, QLatin1Char('0'))
                        .arg(stop / 60, 2, 10, QLatin1Char('0'))
                        .arg(stop % 60, 2, 10, QLatin1Char('0'))
                        .arg(p.Temperature().Value(), 0, 'f', 1);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

void TDevViewWindow::SliderSelected(TSingleComfortIntervalSlider* c) {
    if (c->Interval()) {
        const QString text = FormatText(LoadLanguageString(TemperatureTextId),
                                        {c->Interval()->Temperature().Value()});
        FTemperatures->setCurrentIndex(FTemperatures->findText(text, Qt::MatchFixedString));
    }
    for (TDailyComfortIntervalsSlider* row : FDayRows)
        row->DeselectAllExcept(c);
    FSplit->setEnabled(true);
}

void TDevViewWindow::TemperatureChosen(int index) {
    const double value = FTemperatures->itemData(index).toDouble();
    for (TDailyComfortIntervalsSlider* row : FDayRows)
        row->ApplyTemperature(value);
}

void TDevViewWindow::SplitClicked() {
    for (TDailyComfortIntervalsSlider* row : FDayRows)
        row->SplitSelected();
    FSplit->setEnabled(false);
}

bool TDevViewWindow::BinDragOver(QWidget* source) const {
    return qobject_cast<TSingleComfortIntervalSlider*>(source) != nullptr;
}

void TDevViewWindow::BinDragDrop(QWidget* source) {
    auto* c = qobject_cast<TSingleComfortIntervalSlider*>(source);
    TDailyComfortIntervalsSlider* row = TDailyComfortIntervalsSlider::RowOf(c);
    if (!row || !row->Intervals() || !c->Interval())
        return;
    TDailyHeatingIntervals& day = *row->Intervals();
    day.Delete(day.IndexOf(c->Interval()));
}

} // namespace zeft
