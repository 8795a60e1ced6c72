// The transmit commands, the connection thread's reports and the record of what was sent.
#include "TButtonsPanel.h"
#include "TGuidedRunDialog.h"
#include "TLocationList.h"
#include "TScheduleArea.h"
#include "TStatusBar.h"
#include "TTransferLog.h"
#include "TTransferLogDialog.h"
#include "TTransfers.h"
#include "zeft_Dialogs.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"
#include "zeft_USBConnection.h"

#include <QAction>
#include <QTimer>
#include <QUndoStack>

namespace zeft {

void TZEFTMainForm::CreateTransfers() {
    auto log = std::make_unique<TTransferLog>();
    if (!FServices.TransferLogPath.isEmpty()) {
        // A damaged or unusable record is explained once the window is on screen; it never
        // stands in the way of sending.
        const QString problem = TTransfers::OpenText(log->Open(FServices.TransferLogPath));
        if (!problem.isEmpty())
            FPendingMessages << problem;
    }
    FTransfers = std::make_unique<TTransfers>(std::move(log));
    FTransfers->OnFinished = [this](const QString& room, TRequestOutcome outcome) {
        sbStatus->ShowOutcome(room, outcome);
        if (FGuidedRun)
            FGuidedRun->Finished(room, outcome);
        ShowConnectionStatus();
        ShowTransferStatus();
        UpdateLocationCommands();
    };
    FTransfers->OnHeld = [this](const QString& room) {
        // Not from inside the thread's report: the question runs its own loop.
        QTimer::singleShot(0, this, [this, room] { TransferHeld(room); });
    };
    connect(&FDocument->UndoStack(), &QUndoStack::indexChanged, this,
            [this] { ShowTransferStatus(); });
}

void TZEFTMainForm::SchemeTransmitExecute() {
    if (lvLocations->selectedItems().isEmpty())
        return;
    FCurrentLocation = lvLocations->SelectedLocation();
    // The thread gets its own copy, so the user can go on editing or even remove the location.
    if (FCurrentLocation && FConnection)
        FTransfers->Submit(*FCurrentLocation, FDocument->FileName());
    ShowConnectionStatus();
    UpdateLocationCommands();
}

void TZEFTMainForm::SchemeTransmitCancelExecute() {
    FTransfers->Cancel();
}

void TZEFTMainForm::SchemeTransmitSeveralExecute() {
    if (FGuidedRun) {
        FGuidedRun->raise();
        return;
    }
    std::vector<TGuidedRunDialog::TRoom> rooms;
    for (int i = 0; i < lvLocations->count(); ++i) { // in the list's order, as the user sees it
        THeatingLocation* room = TLocationList::LocationOf(lvLocations->item(i));
        const TRoomStatus status = FTransfers->StatusOf(FDocument->FileName(), *room);
        rooms.push_back(
            {room, TTransfers::StatusText(status, false), status.State != TRoomStatus::Sent});
    }
    // Window-modal but not blocking: the connection's reports reach it through the window.
    FGuidedRun = new TGuidedRunDialog(std::move(rooms), this);
    FGuidedRun->setAttribute(Qt::WA_DeleteOnClose);
    connect(FGuidedRun, &QObject::destroyed, this, [this] { FGuidedRun = nullptr; });
    FGuidedRun->OnSend = [this](const THeatingLocation& room) {
        FTransfers->Submit(room, FDocument->FileName());
        ShowConnectionStatus();
        UpdateLocationCommands();
    };
    FGuidedRun->ConnectionChanged(FStatusKnown ? FConnectionState : 0, FConnectionValue,
                                  FConnectionCause);
    FGuidedRun->open();
}

void TZEFTMainForm::TransferHeld(const QString& room) {
    const bool send = TDialogs::Choose(
        this, WithoutAccelerator(LoadLanguageString(TextId::SchemeTransmit)),
        FormatText(LoadLanguageString(TextId::TransferHeldPrompt), {room}),
        LoadLanguageString(TextId::TransferSend), LoadLanguageString(TextId::TransferWithdraw));
    if (send)
        FTransfers->Confirm();
    else
        FTransfers->Cancel();
}

void TZEFTMainForm::SchemeRestoreSentExecute() {
    if (!FCurrentLocation)
        return;
    if (const auto sent = FTransfers->LastSent(FDocument->FileName(), *FCurrentLocation))
        FDocument->SetProgram(*FCurrentLocation, *sent);
}

void TZEFTMainForm::SchemeTransferLogExecute() {
    TTransferLogDialog dialog(
        FTransfers->Log(),
        FCurrentLocation ? QString::fromStdString(FCurrentLocation->DisplayText) : QString(), this);
    dialog.exec();
}

void TZEFTMainForm::ConnectionStateChanged(std::uint8_t state, std::int32_t value,
                                           const TNoStickCause& cause) {
    FConnectionState = state;
    FConnectionValue = value;
    FConnectionCause = cause;
    if (state <= 3) {
        FStatusKnown = true;
        UpdateLocationCommands();
    }
    ShowConnectionStatus();
    if (FGuidedRun)
        FGuidedRun->ConnectionChanged(state, value, cause);
}

void TZEFTMainForm::ShowConnectionStatus() {
    if (FStatusKnown)
        sbStatus->ShowConnection(FConnectionState, FConnectionValue, FConnectionCause,
                                 FTransfers->PendingRoom());
}

void TZEFTMainForm::ShowTransferStatus() {
    const QString file = FDocument->FileName();
    const bool recording = FTransfers->Recording();
    TRoomStatus current;
    lvLocations->ShowTransferStatus([&](const THeatingLocation* room) {
        if (!recording) // nothing can be said of a room without a record
            return TLocationList::TTransferStatus{0, QString()};
        TRoomStatus status = FTransfers->StatusOf(file, *room);
        const TLocationList::TTransferStatus shown{static_cast<int>(status.State),
                                                   TTransfers::StatusText(status, true)};
        if (room == FCurrentLocation)
            current = std::move(status);
        return shown;
    });
    const bool known = recording && FCurrentLocation;
    paSchemeConfig->ShowTransferStatus(known ? TTransfers::StatusText(current, false) : QString());
    Command(QStringLiteral("SchemeRestoreSent"))
        ->setEnabled(known && current.State == TRoomStatus::ChangedSinceSent);
}

} // namespace zeft
