#include "TScheduleArea.h"

#include "TDailyComfortIntervalsSlider.h"
#include "TDayList.h"
#include "TDropTarget.h"
#include "TScheduleDocument.h"
#include "TSingleComfortIntervalSlider.h"
#include "TTemperatureChooser.h"
#include "zeft_Dialogs.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Pictures.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"
#include "zeft_Template.h"

#include <QAction>
#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <algorithm>
#include <cmath>

namespace zeft {

namespace {

int S(double pixels) {
    return ScaledPixels(pixels);
}

struct TDayGroup {
    int TextId;
    std::vector<int> Days;
};

const TDayGroup DayGroups[] = {
    {TextId::CopyToWeekdays, {0, 1, 2, 3, 4}},      // Monday to Friday
    {TextId::CopyToWeekend, {5, 6}},                // Saturday and Sunday
    {TextId::CopyToAllDays, {0, 1, 2, 3, 4, 5, 6}}, // All days
};

} // namespace

TScheduleArea::TScheduleArea(TScheduleDocument& document, QAction* splitCommand, QWidget* parent)
    : QWidget(parent), FDocument(document), FSplitCommand(splitCommand) {
    setObjectName(QStringLiteral("paSchemeConfig"));
    setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateHeading();
    CreateRows();
    ConnectEditing();
}

void TScheduleArea::CreateHeading() {
    auto* heading = new QWidget(this);
    heading->setObjectName(QStringLiteral("paCurrentScheme"));
    heading->setAutoFillBackground(false);
    heading->setFixedHeight(S(43));
    heading->setFont(TZEFTForm::FormFont(S(16), true));
    // Neighbouring margins add up: chooser and button 8 + 8, bin and name 12 + 12.
    auto* headingLayout = new QHBoxLayout(heading);
    headingLayout->setContentsMargins(S(8), 0, S(12), 0);
    headingLayout->setSpacing(0);
    cmbTemperature = new TTemperatureChooser(heading);
    cmbTemperature->setObjectName(QStringLiteral("cmbTemperature"));
    cmbTemperature->setFont(TZEFTForm::FormFont(S(11)));
    cmbTemperature->SetItemHeight(S(16));
    cmbTemperature->setFixedWidth(S(72));
    btnSplitInterval = new QPushButton(heading);
    btnSplitInterval->setObjectName(QStringLiteral("btnSplitInterval"));
    btnSplitInterval->setFixedSize(S(100), S(32));
    btnSplitInterval->setFont(TZEFTForm::FormFont(S(11)));
    imgTrashCan = new QLabel(heading);
    imgTrashCan->setObjectName(QStringLiteral("imgTrashCan"));
    imgTrashCan->setFixedSize(S(32), S(32));
    imgTrashCan->setPixmap(TrashCanPicture(S(32)));
    paCurrentSchemeDisplayText = new QLabel(heading);
    paCurrentSchemeDisplayText->setObjectName(QStringLiteral("paCurrentSchemeDisplayText"));
    paCurrentSchemeDisplayText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    paCurrentSchemeDisplayText->setTextFormat(Qt::PlainText);
    auto addTop = [&](QWidget* widget) {
        auto* holder = new QVBoxLayout;
        holder->setContentsMargins(0, S(8), 0, 0);
        holder->addWidget(widget);
        holder->addStretch(1);
        headingLayout->addLayout(holder);
    };
    addTop(cmbTemperature);
    headingLayout->addSpacing(S(16));
    addTop(btnSplitInterval);
    headingLayout->addSpacing(S(16));
    addTop(imgTrashCan);
    headingLayout->addSpacing(S(24));
    // The name, and under it in small type what was last sent to the room.
    paCurrentSchemeTransferStatus = new QLabel(heading);
    paCurrentSchemeTransferStatus->setObjectName(QStringLiteral("paCurrentSchemeTransferStatus"));
    paCurrentSchemeTransferStatus->setTextFormat(Qt::PlainText);
    paCurrentSchemeTransferStatus->setFont(TZEFTForm::FormFont(S(9)));
    auto* names = new QVBoxLayout;
    names->setContentsMargins(0, 0, 0, 0);
    names->setSpacing(0);
    names->addStretch(1);
    names->addWidget(paCurrentSchemeDisplayText);
    names->addWidget(paCurrentSchemeTransferStatus);
    names->addStretch(1);
    headingLayout->addLayout(names, 1);
    layout()->addWidget(heading);

    // The button shows the command's caption and enabled state.
    auto sync = [this] {
        btnSplitInterval->setText(FSplitCommand->text());
        btnSplitInterval->setEnabled(FSplitCommand->isEnabled());
    };
    connect(FSplitCommand, &QAction::changed, btnSplitInterval, sync);
    connect(btnSplitInterval, &QPushButton::clicked, FSplitCommand, &QAction::trigger);
    sync();
}

void TScheduleArea::CreateRows() {
    auto* rowsLayout = new QHBoxLayout;
    rowsLayout->setContentsMargins(S(8), 0, 0, 0);
    rowsLayout->setSpacing(S(8));
    lbDays = new TDayList(this);
    lbDays->setObjectName(QStringLiteral("lbDays"));
    lbDays->setFixedWidth(S(89));
    lbDays->setFont(TZEFTForm::FormFont(S(11), true));
    rowsLayout->addWidget(lbDays);
    sbxSliders = new QScrollArea(this);
    sbxSliders->setObjectName(QStringLiteral("sbxSliders"));
    sbxSliders->setFrameShape(QFrame::NoFrame);
    sbxSliders->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbxSliders->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbxSliders->setWidgetResizable(true);
    auto* rowsHost = new QWidget;
    rowsHost->setObjectName(QStringLiteral("sbxSlidersContent"));
    sbxSliders->setWidget(rowsHost);
    sbxSliders->viewport()->setAutoFillBackground(false);
    rowsHost->setAutoFillBackground(false);
    rowsLayout->addWidget(sbxSliders, 1);
    // The rows follow the day list and the scroll area, which are laid out after their parent.
    lbDays->viewport()->installEventFilter(this);
    sbxSliders->viewport()->installEventFilter(this);
    static_cast<QVBoxLayout*>(layout())->addLayout(rowsLayout, 1);

    for (int i = 0; i < 7; ++i) {
        auto* row = new TDailyComfortIntervalsSlider(nullptr, rowsHost);
        row->setObjectName(QStringLiteral("DayRow%1").arg(i));
        row->SetDay(i);
        row->move(S(10), 0);
        row->OnSliderSelected = [this](TSingleComfortIntervalSlider* slider) {
            IntervalSliderSelected(slider);
        };
        row->show();
        FDayRows[static_cast<size_t>(i)] = row;
    }
}

void TScheduleArea::ConnectEditing() {
    connect(cmbTemperature, &QComboBox::activated, this,
            [this](int index) { cmbTemperatureSelect(index); });
    lbDays->OnMouseDown = [this](QPoint pos) { lbDaysMouseDown(pos); };
    lbDays->OnContextMenu = [this](QPoint globalPos, int day) {
        lbDaysContextMenu(globalPos, day);
    };
    TDropTarget& dayTarget = TDropTarget::Register(lbDays);
    dayTarget.OnDragOver = [this](QWidget* source, QPoint pos) {
        return lbDaysDragOver(source, pos);
    };
    dayTarget.OnDragDrop = [this](QWidget* source, QPoint pos) { lbDaysDragDrop(source, pos); };
    TDropTarget& bin = TDropTarget::Register(imgTrashCan);
    bin.OnDragOver = [this](QWidget* source, QPoint) { return imgTrashCanDragOver(source); };
    bin.OnDragDrop = [this](QWidget* source, QPoint) { imgTrashCanDragDrop(source); };
    for (TDailyComfortIntervalsSlider* row : FDayRows) {
        // A drag changes the day as the pointer moves; its step comes on release.
        row->OnEditBegin = [this](TDailyComfortIntervalsSlider*) {
            FDocument.BeginDayEdit(FLocation);
        };
        row->OnEditEnd = [this](TDailyComfortIntervalsSlider*) { FDocument.EndDayEdit(); };
        row->OnKey = [this](TDailyComfortIntervalsSlider* source, TRowKey key) {
            DayRowKey(source, key);
        };
    }
    // The rows take the keyboard, not the area that holds them.
    sbxSliders->setFocusPolicy(Qt::NoFocus);
}

bool TScheduleArea::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize &&
        (watched == lbDays->viewport() || watched == sbxSliders->viewport()))
        ResizeSchemeConfig();
    return QWidget::eventFilter(watched, event);
}

void TScheduleArea::ResizeSchemeConfig() {
    const int left = S(8);
    cmbTemperature->setFixedWidth(lbDays->width());
    const int itemHeight = lbDays->viewport()->height() / 7;
    lbDays->SetItemHeight(itemHeight);
    const int rowsLeft = sbxSliders->geometry().left();
    const int rowWidth = std::max(0, contentsRect().width() - rowsLeft - left - left);
    for (int i = 0; i < 7; ++i) {
        const int top = static_cast<int>(std::nearbyint(itemHeight * (i + 0.5) - itemHeight * 0.5));
        FDayRows[static_cast<size_t>(i)]->setGeometry(left, top, rowWidth, itemHeight);
    }
    if (OnRowsResized)
        OnRowsResized(rowWidth);
}

void TScheduleArea::ApplyLanguageTexts() {
    for (int i = 0; i < lbDays->count() && i < 7; ++i)
        lbDays->item(i)->setText(DayName(i + 1));
    lbDays->setToolTip(LoadLanguageString(TextId::DayListHint));
    FillTemperatureChooser();
    // What screen readers say; the button's name begins with its caption, as seen.
    cmbTemperature->setAccessibleName(LoadLanguageString(TextId::TemperatureChooserName));
    imgTrashCan->setAccessibleName(LoadLanguageString(TextId::BinName));
    imgTrashCan->setAccessibleDescription(LoadLanguageString(TextId::BinDescription));
    btnSplitInterval->setAccessibleName(FormatText(LoadLanguageString(TextId::SplitButtonName),
                                                   {WithoutAccelerator(FSplitCommand->text())}));
    lbDays->setAccessibleName(LoadLanguageString(TextId::DayListName));
}

void TScheduleArea::FillTemperatureChooser() {
    std::vector<double> values;
    for (int n = 5; n <= 29; ++n) {
        values.push_back(n);
        values.push_back(n + 0.5);
    }
    const QString format = LoadLanguageString(TextId::TemperatureChoice);
    cmbTemperature->Fill(values, [&format](double value) { return FormatText(format, {value}); });
}

void TScheduleArea::ShowLocation(THeatingLocation* location) {
    FLocation = location;
    if (!location) {
        for (TDailyComfortIntervalsSlider* row : FDayRows)
            row->SetIntervals(nullptr);
        paCurrentSchemeDisplayText->clear();
        lbDays->clear();
    } else {
        paCurrentSchemeDisplayText->setText(QString::fromStdString(location->DisplayText));
        lbDays->clear();
        for (int i = 0; i < 7; ++i) {
            auto* dayItem = new QListWidgetItem(DayName(i + 1), lbDays);
            dayItem->setSizeHint(QSize(lbDays->viewport()->width(), lbDays->ItemHeight()));
        }
        for (int i = 0; i < 7; ++i)
            FDayRows[static_cast<size_t>(i)]->SetIntervals(&location->Days(i));
    }
    FSplitCommand->setEnabled(false);
}

void TScheduleArea::ShowTransferStatus(const QString& text) {
    paCurrentSchemeTransferStatus->setText(text);
    paCurrentSchemeTransferStatus->setVisible(!text.isEmpty());
}

bool TScheduleArea::GestureRunning() const {
    if (lbDays->Dragging())
        return true;
    for (TDailyComfortIntervalsSlider* row : FDayRows)
        for (const auto& slider : row->Sliders())
            if (slider->ResizingStart() || slider->Dragging())
                return true;
    return false;
}

TScheduleArea::TSelection TScheduleArea::Selected() const {
    for (int r = 0; r < 7; ++r) {
        const TSliderList& sliders = FDayRows[static_cast<size_t>(r)]->Sliders();
        for (int i = 0; i < sliders.Count(); ++i)
            if (sliders.Items(i)->Selected() && sliders.Items(i)->Interval())
                return {r, i, sliders.Items(i)};
    }
    return {};
}

void TScheduleArea::cmbTemperatureSelect(int index) {
    const TTemperature* temperature = cmbTemperature->Temperature(index);
    const TSelection selected = Selected();
    if (temperature && selected.Slider && FLocation)
        FDocument.SetTemperature(*FLocation, selected.Row, selected.Period, temperature->Value());
}

void TScheduleArea::ShowTemperatureInChooser(double value) {
    const QString text = FormatText(LoadLanguageString(TextId::TemperatureChoice), {value});
    cmbTemperature->setCurrentIndex(cmbTemperature->findText(text, Qt::MatchFixedString));
}

void TScheduleArea::IntervalSliderSelected(TSingleComfortIntervalSlider* slider) {
    if (slider->Interval())
        ShowTemperatureInChooser(slider->Interval()->Temperature().Value());
    for (TDailyComfortIntervalsSlider* row : FDayRows)
        row->DeselectAllExcept(slider);
    // The command's tag keeps what the press will do after the selection ends otherwise:
    // 0 splits, 1 explains the limit.
    FSplitCommand->setData(slider->CanSplit() ? 0 : 1);
    FSplitCommand->setEnabled(true);
}

void TScheduleArea::SplitSingleIntervalExecute() {
    switch (FSplitCommand->data().toInt()) {
    case 0: {
        const TSelection selected = Selected();
        if (selected.Slider && FLocation)
            FDocument.SplitPeriod(*FLocation, selected.Row, selected.Period,
                                  selected.Slider->SplitPoint());
        FSplitCommand->setEnabled(false);
        break;
    }
    case 1:
        TDialogs::Message(
            window(), QMessageBox::Warning,
            WithoutAccelerator(LoadLanguageString(TextId::SplitPeriod)),
            FormatText(LoadLanguageString(TextId::TooManyPeriods),
                       {static_cast<long long>(TDailyHeatingIntervals::MaxPeriodsPerDay)}),
            QMessageBox::Ok);
        break;
    default:
        break;
    }
}

bool TScheduleArea::imgTrashCanDragOver(QWidget* source) {
    return qobject_cast<TSingleComfortIntervalSlider*>(source) != nullptr;
}

void TScheduleArea::imgTrashCanDragDrop(QWidget* source) {
    auto* slider = qobject_cast<TSingleComfortIntervalSlider*>(source);
    const int rowIndex = RowIndexOf(TDailyComfortIntervalsSlider::RowOf(slider));
    if (!slider || !slider->Interval() || rowIndex < 0 || !FLocation)
        return;
    const int period = FLocation->Days(rowIndex).IndexOf(slider->Interval());
    FDocument.DeletePeriod(*FLocation, rowIndex, period); // the last period of a day stays
}

void TScheduleArea::lbDaysMouseDown(QPoint pos) {
    DragDayIndex = lbDays->ItemIndexAt(pos);
}

bool TScheduleArea::lbDaysDragOver(QWidget* source, QPoint pos) {
    if (source != lbDays)
        return false;
    const int index = lbDays->ItemIndexAt(lbDays->viewport()->mapFrom(lbDays, pos));
    if (index < 0)
        return false;
    lbDays->setCurrentRow(index);
    return true;
}

void TScheduleArea::lbDaysDragDrop(QWidget* source, QPoint pos) {
    if (source != lbDays)
        return;
    const int target = lbDays->ItemIndexAt(lbDays->viewport()->mapFrom(lbDays, pos));
    if (target != DragDayIndex && DragDayIndex >= 0 && target >= 0)
        CopyDayTo(DragDayIndex, {target});
}

void TScheduleArea::lbDaysContextMenu(QPoint globalPos, int dayIndex) {
    // The platform may deliver the menu key both as a key and as a menu request.
    if (FDayMenu && FDayMenu->isVisible())
        return;
    if (dayIndex < 0 || dayIndex >= 7 || !FLocation)
        return;
    if (FDayMenu)
        FDayMenu->deleteLater();
    FDayMenu = new QMenu(this);
    FDayMenu->setObjectName(QStringLiteral("lbDaysMenu"));
    QMenu* copyTo = FDayMenu->addMenu(LoadLanguageString(TextId::CopyTo));
    copyTo->setObjectName(QStringLiteral("miCopyTo"));
    for (int day = 0; day < 7; ++day) {
        if (day == dayIndex)
            continue;
        QAction* action = copyTo->addAction(DayName(day + 1));
        action->setObjectName(QStringLiteral("CopyToDay%1").arg(day));
        connect(action, &QAction::triggered, this,
                [this, dayIndex, day] { CopyDayTo(dayIndex, {day}); });
    }
    copyTo->addSeparator();
    int group = 0;
    for (const TDayGroup& days : DayGroups) {
        QAction* action = copyTo->addAction(LoadLanguageString(days.TextId));
        action->setObjectName(QStringLiteral("CopyToGroup%1").arg(group++));
        connect(action, &QAction::triggered, this,
                [this, dayIndex, targets = days.Days] { CopyDayTo(dayIndex, targets); });
    }
    FDayMenu->popup(globalPos);
}

void TScheduleArea::CopyDayTo(int sourceDay, const std::vector<int>& targetDays) {
    if (!FLocation)
        return;
    FDocument.CopyDay(*FLocation, sourceDay, targetDays);
    ShowLocation(FLocation); // shown afresh, nothing selected
}

} // namespace zeft
