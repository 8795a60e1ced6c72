#include "TStatusBar.h"

#include "TStatusPanel.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_NoStickText.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QLabel>
#include <QTime>
#include <QTimer>
#include <algorithm>

namespace zeft {

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

void TStatusBar::ShowConnection(std::uint8_t state, std::int32_t value, const TNoStickCause& cause,
                                const QString& room) {
    // While a request waits, the line names its room: nothing goes out unseen.
    const auto ofRoom = [&room](const QString& text) {
        return room.isEmpty()
                   ? text
                   : FormatText(LoadLanguageString(TextId::TransferOfRoom), {room, text});
    };
    switch (state) {
    case 0:
        // Still no stick for the commands, but each reason takes its own remedy.
        StatusPanel0->setText(
            room.isEmpty() || cause.Reason != TNoStickReason::NotFound
                ? ofRoom(NoStickText(cause))
                : FormatText(LoadLanguageString(TextId::TransferWaiting), {room}));
        break;
    case 1:
        if (!room.isEmpty())
            FOutcome.clear(); // a new request: the last one's outcome is history
        StatusPanel0->setText(FOutcome.isEmpty() ? LoadLanguageString(TextId::StickReady)
                                                 : FOutcome);
        break;
    case 2:
        StatusPanel0->setText(ofRoom(FormatText(LoadLanguageString(TextId::TransferProgress),
                                                {static_cast<long long>(value)})));
        break;
    case 3: {
        const QString failed = ofRoom(LoadLanguageString(TextId::TransferFailed));
        if (room.isEmpty()) {
            StatusPanel0->setText(failed);
            break;
        }
        // The value rises by 50 a second from the failure on; at 100 the next attempt starts.
        const int seconds = std::max(0, (100 - value) / 50);
        const QString at = QTime::currentTime().addSecs(seconds).toString(UserShortTimeFormat());
        StatusPanel0->setText(
            FormatText(LoadLanguageString(TextId::TransferNextTry), {failed, at}));
        break;
    }
    default:
        break;
    }
}

void TStatusBar::ShowOutcome(const QString& room, TRequestOutcome outcome) {
    switch (outcome) {
    case TRequestOutcome::Sent:
        FOutcome.clear(); // the room's mark tells it; the line says the stick is ready
        break;
    case TRequestOutcome::Failed:
        FOutcome = FormatText(LoadLanguageString(TextId::TransferGivenUp), {room});
        break;
    case TRequestOutcome::Withdrawn:
        FOutcome = FormatText(LoadLanguageString(TextId::TransferCancelled), {room});
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
