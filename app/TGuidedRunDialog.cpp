#include "TGuidedRunDialog.h"

#include "THeatingLocation.h"
#include "zeft_LanguageResources.h"
#include "zeft_NoStickText.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>

namespace zeft {

namespace {

QString Name(const THeatingLocation* room) {
    return QString::fromStdString(room->DisplayText);
}

QString Text(int id) {
    return LoadLanguageString(id);
}

} // namespace

TGuidedRunDialog::TGuidedRunDialog(std::vector<TRoom> rooms, QWidget* parent)
    : QDialog(parent), FRooms(std::move(rooms)) {
    setObjectName(QStringLiteral("GuidedRunDialog"));
    setWindowTitle(Text(TextId::RunTitle));
    auto* layout = new QVBoxLayout(this);
    FPages = new QStackedWidget(this);
    layout->addWidget(FPages, 1);

    // First the choice of rooms, each with its standing.
    auto* choose = new QWidget(FPages);
    auto* chooseLayout = new QVBoxLayout(choose);
    auto* hint = new QLabel(Text(TextId::RunChoose), choose);
    hint->setWordWrap(true);
    chooseLayout->addWidget(hint);
    lvRooms = new QListWidget(choose);
    lvRooms->setObjectName(QStringLiteral("lvRooms"));
    for (const TRoom& room : FRooms) {
        auto* item = new QListWidgetItem(
            Name(room.Location) + QStringLiteral(" \u2013 ") + room.Status, lvRooms);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(room.Ticked ? Qt::Checked : Qt::Unchecked);
    }
    chooseLayout->addWidget(lvRooms, 1);
    FPages->addWidget(choose);

    // Then the run: what to do now, the transfer's progress, and each room's result.
    auto* run = new QWidget(FPages);
    auto* runLayout = new QVBoxLayout(run);
    lbPrompt = new QLabel(run);
    lbPrompt->setObjectName(QStringLiteral("lbPrompt"));
    lbPrompt->setWordWrap(true);
    lbPrompt->setMinimumHeight(lbPrompt->fontMetrics().height() * 3);
    runLayout->addWidget(lbPrompt);
    pbTransfer = new QProgressBar(run);
    pbTransfer->setRange(0, 100);
    runLayout->addWidget(pbTransfer);
    lvResults = new QListWidget(run);
    lvResults->setObjectName(QStringLiteral("lvResults"));
    runLayout->addWidget(lvResults, 1);
    FPages->addWidget(run);

    auto* buttons = new QDialogButtonBox(this);
    btnStart = buttons->addButton(Text(TextId::RunStart), QDialogButtonBox::AcceptRole);
    btnSend = buttons->addButton(Text(TextId::TransferSend), QDialogButtonBox::ActionRole);
    btnSkip = buttons->addButton(Text(TextId::RunSkip), QDialogButtonBox::ActionRole);
    btnStop = buttons->addButton(Text(TextId::RunStop), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    // The buttons act here; none of them closes the dialog but Stop.
    disconnect(buttons, nullptr, this, nullptr);
    connect(btnStart, &QPushButton::clicked, this, [this] { Start(); });
    connect(btnSend, &QPushButton::clicked, this, [this] { Send(); });
    connect(btnSkip, &QPushButton::clicked, this, [this] { Skip(); });
    connect(btnStop, &QPushButton::clicked, this, [this] {
        if (FStep == TStep::Choosing || FStep == TStep::Done)
            reject();
        else
            ShowSummary(); // what is left is neither sent nor tried
    });
    UpdateButtons();
    resize(520, 380);
}

void TGuidedRunDialog::Start() {
    for (int i = 0; i < lvRooms->count(); ++i)
        if (lvRooms->item(i)->checkState() == Qt::Checked)
            FQueue.push_back(FRooms[static_cast<size_t>(i)].Location);
    FPages->setCurrentIndex(1);
    ShowNext();
}

void TGuidedRunDialog::ShowNext() {
    pbTransfer->setValue(0);
    if (FNext >= FQueue.size()) {
        ShowSummary();
        return;
    }
    FStep = TStep::Waiting;
    const QString prompt = FormatText(Text(TextId::RunNext), {Name(FQueue[FNext])});
    lbPrompt->setText(FStickReady ? prompt : prompt + QStringLiteral("\n\n") + FStickText);
    btnSend->setText(Text(TextId::TransferSend));
    UpdateButtons();
}

void TGuidedRunDialog::Send() {
    if (FNext >= FQueue.size() || !FStickReady || !OnSend)
        return;
    FStep = TStep::Sending;
    lbPrompt->setText(FormatText(Text(TextId::RunSending), {Name(FQueue[FNext])}));
    UpdateButtons();
    OnSend(*FQueue[FNext]);
}

void TGuidedRunDialog::Skip() {
    if (FNext >= FQueue.size())
        return;
    // A room that failed and is left counts as failed; one never tried as skipped.
    const bool failed = FStep == TStep::Failed;
    AddResult(Name(FQueue[FNext]), Text(failed ? TextId::ResultPending + 2 : TextId::RunSkipped));
    ++(failed ? FFailed : FSkipped);
    ++FNext;
    ShowNext();
}

void TGuidedRunDialog::Finished(const QString& room, TRequestOutcome outcome) {
    if (FStep != TStep::Sending || FNext >= FQueue.size() || room != Name(FQueue[FNext]))
        return;
    if (outcome == TRequestOutcome::Sent) {
        AddResult(room, Text(TextId::ResultPending + 1));
        ++FSent;
        ++FNext;
        ShowNext();
        return;
    }
    // Tried again at once or skipped: the run goes on from here.
    FStep = TStep::Failed;
    lbPrompt->setText(FormatText(Text(TextId::RunFailed), {room}));
    btnSend->setText(Text(TextId::RunTryAgain));
    UpdateButtons();
}

void TGuidedRunDialog::ConnectionChanged(std::uint8_t state, std::int32_t value,
                                         const TNoStickCause& cause) {
    FStickReady = state == 1 || state == 2;
    FStickText = state == 0 ? NoStickText(cause) : QString();
    if (state == 2)
        pbTransfer->setValue(value);
    if (FStep == TStep::Waiting)
        ShowNext(); // the prompt says whether the stick is there
    UpdateButtons();
}

void TGuidedRunDialog::ShowSummary() {
    for (; FNext < FQueue.size(); ++FNext) {
        AddResult(Name(FQueue[FNext]), Text(TextId::RunSkipped));
        ++FSkipped;
    }
    FStep = TStep::Done;
    FPages->setCurrentIndex(1);
    lbPrompt->setText(FormatText(Text(TextId::RunSummary),
                                 {static_cast<long long>(FSent), static_cast<long long>(FSkipped),
                                  static_cast<long long>(FFailed)}));
    btnStop->setText(Text(TextId::Close));
    UpdateButtons();
}

void TGuidedRunDialog::AddResult(const QString& room, const QString& result) {
    lvResults->addItem(room + QStringLiteral(": ") + result);
    lvResults->scrollToBottom();
}

void TGuidedRunDialog::UpdateButtons() {
    btnStart->setVisible(FStep == TStep::Choosing);
    const bool running = FStep == TStep::Waiting || FStep == TStep::Failed;
    btnSend->setVisible(FStep != TStep::Choosing && FStep != TStep::Done);
    btnSkip->setVisible(btnSend->isVisible());
    btnSend->setEnabled(running && FStickReady);
    btnSkip->setEnabled(running);
}

} // namespace zeft
