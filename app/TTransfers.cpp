#include "TTransfers.h"

#include "THeatingLocation.h"
#include "TTransferLog.h"
#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"
#include "zeft_USBConnection.h"

#include <QDir>
#include <QLocale>
#include <QStringList>

namespace zeft {

TTransfers::TTransfers(std::unique_ptr<TTransferLog> log) : FLog(std::move(log)) {}

TTransfers::~TTransfers() {
    SetConnection(nullptr);
}

void TTransfers::SetConnection(TUSBConnection* connection) {
    if (FConnection) {
        FConnection->OnRequestFinished = nullptr;
        FConnection->OnRequestHeld = nullptr;
    }
    FConnection = connection;
    if (!FConnection)
        return;
    FConnection->OnRequestFinished = [this](std::uint64_t id, TRequestOutcome outcome) {
        Finished(id, outcome);
    };
    FConnection->OnRequestHeld = [this](std::uint64_t id) {
        const auto found = FRequests.find(id);
        if (found != FRequests.end() && OnHeld)
            OnHeld(found->second.Room);
    };
}

void TTransfers::Submit(const THeatingLocation& room, const QString& file) {
    if (!FConnection)
        return;
    // Recorded before it can go out, so that a killed session still shows it was asked for.
    const std::int64_t record = FLog->RecordRequest(file, room);
    FLastRequest = FConnection->RequestTransmission(room);
    FRequests[FLastRequest] = {record, QString::fromStdString(room.DisplayText)};
}

void TTransfers::Cancel() {
    if (FConnection)
        FConnection->CancelTransmission();
}

void TTransfers::Confirm() {
    if (FConnection)
        FConnection->ConfirmTransmission();
}

QString TTransfers::PendingRoom() const {
    const auto found = FRequests.find(FLastRequest);
    return found == FRequests.end() ? QString() : found->second.Room;
}

void TTransfers::Finished(std::uint64_t id, TRequestOutcome outcome) {
    const auto found = FRequests.find(id);
    if (found == FRequests.end())
        return;
    const TRequest request = found->second;
    FRequests.erase(found);
    FLastSent.clear();
    switch (outcome) {
    case TRequestOutcome::Sent:
        FLog->RecordOutcome(request.Record, TTransferResult::Sent);
        break;
    case TRequestOutcome::Failed:
        FLog->RecordOutcome(request.Record, TTransferResult::Failed);
        break;
    case TRequestOutcome::Withdrawn:
        FLog->RecordOutcome(request.Record, TTransferResult::Withdrawn);
        break;
    }
    if (OnFinished)
        OnFinished(request.Room, outcome);
}

QString TTransfers::OpenText(const TOpenOutcome& outcome) {
    if (!outcome.Opened)
        return FormatText(LoadLanguageString(TextId::RecordUnavailable), {outcome.Message});
    if (!outcome.SetAsidePath.isEmpty())
        return FormatText(LoadLanguageString(TextId::RecordSetAside),
                          {QDir::toNativeSeparators(outcome.SetAsidePath)});
    return {};
}

bool TTransfers::Recording() const {
    return FLog->IsOpen();
}

const TSentProgram* TTransfers::CachedLastSent(const QString& file, const std::string& room) const {
    auto [entry, added] = FLastSent.try_emplace({file, room});
    if (added)
        entry->second = FLog->LastSent(file, room);
    return entry->second ? &*entry->second : nullptr;
}

TRoomStatus TTransfers::StatusOf(const QString& file, const THeatingLocation& room) const {
    return CompareWithSent(room, CachedLastSent(file, room.DisplayText));
}

std::unique_ptr<THeatingLocation> TTransfers::LastSent(const QString& file,
                                                       const THeatingLocation& room) const {
    const TSentProgram* sent = CachedLastSent(file, room.DisplayText);
    return sent && sent->Program ? sent->Program->Clone() : nullptr;
}

void TTransfers::RoomRenamed(const QString& file, const std::string& from, const std::string& to) {
    FLog->RenameRoom(file, from, to);
    FLastSent.clear();
}

QString TTransfers::StatusText(const TRoomStatus& status, bool withDays) {
    const QString at = QLocale().toString(status.SentAt.toLocalTime(), QLocale::ShortFormat);
    switch (status.State) {
    case TRoomStatus::NeverSent:
        return LoadLanguageString(TextId::RoomNeverSent);
    case TRoomStatus::Sent:
        return FormatText(LoadLanguageString(TextId::RoomSentOn), {at});
    case TRoomStatus::ChangedSinceSent:
        break;
    }
    const QString changed = FormatText(LoadLanguageString(TextId::RoomChangedSince), {at});
    if (!withDays || status.DifferingDays.empty())
        return changed;
    QStringList days;
    for (const int day : status.DifferingDays)
        days << DayName(day + 1);
    return FormatText(LoadLanguageString(TextId::RoomChangedDays), {changed, days.join(", ")});
}

} // namespace zeft
