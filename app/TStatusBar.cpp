#include "TStatusBar.h"

#include "TStatusPanel.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QLabel>
#include <QTime>
#include <QTimer>

namespace zeft {

namespace {

int NoStickTextId(TNoStickReason reason) {
    switch (reason) {
    case TNoStickReason::NoAccess:
        return TextId::StickNotPermitted;
    case TNoStickReason::InUse:
        return TextId::StickInUse;
    case TNoStickReason::NotFound:
        break;
    }
    return TextId::StickMissing;
}

} // namespace

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("sbStatus"));
    setFixedHeight(ScaledPixels(19));
    // A status text too long for its panel is cut with "…" and shown whole as its tooltip.
    StatusPanel0 = new TStatusPanel(this);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->SetIndent(ScaledPixels(2));
    StatusPanel1 = new QLabel(this);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setAlignment(Qt::AlignCenter);
    StatusPanel1->setFrameShape(QFrame::Panel);
    StatusPanel1->setFrameShadow(QFrame::Sunken);
    StatusPanel1->setTextFormat(Qt::PlainText);
    StatusPanel1->setIndent(ScaledPixels(2));
    timCurrentTime = new QTimer(this);
    timCurrentTime->setObjectName(QStringLiteral("timCurrentTime"));
    timCurrentTime->setInterval(1000);
    connect(timCurrentTime, &QTimer::timeout, this, [this] { ShowTime(); });
}

void TStatusBar::ShowConnection(std::uint8_t state, std::int32_t value, TNoStickReason reason) {
    switch (state) {
    case 0:
        // Still no stick for the commands, but each reason takes its own remedy.
        StatusPanel0->setText(LoadLanguageString(NoStickTextId(reason)));
        break;
    case 1:
        StatusPanel0->setText(LoadLanguageString(TextId::StickReady));
        break;
    case 2:
        StatusPanel0->setText(FormatText(LoadLanguageString(TextId::TransferProgress),
                                         {static_cast<long long>(value)}));
        break;
    case 3:
        StatusPanel0->setText(LoadLanguageString(TextId::TransferFailed));
        break;
    default:
        break;
    }
}

void TStatusBar::ShowTime() {
    StatusPanel1->setText(QTime::currentTime().toString(UserShortTimeFormat()));
}

void TStatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int first = width() * 90 / 100;
    StatusPanel0->setGeometry(0, 0, first, height());
    StatusPanel1->setGeometry(first, 0, width() - first, height());
}

} // namespace zeft
