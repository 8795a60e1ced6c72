#pragma once

#include "TTransferLog.h"
#include "zeft_RequestOutcome.h"
#include "zeft_RoomStatus.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace zeft {

class THeatingLocation;
class TTransferLog;
class TUSBConnection;

/// The window's account of sending over a link that answers nothing: each request goes to the
/// connection and into the transfer record at once, its outcome into the record when it comes,
/// and every room's standing is read against the program last sent to it.
class TTransfers {
public:
    /// log may be unavailable: sending works all the same, unrecorded.
    explicit TTransfers(std::unique_ptr<TTransferLog> log);
    ~TTransfers();

    /// Takes the connection's request reports; null when the window runs without one.
    void SetConnection(TUSBConnection* connection);

    /// Sends the room's program as it is now; file names the document it belongs to.
    void Submit(const THeatingLocation& room, const QString& file);
    /// Withdraws the pending request; a transmission in progress stops between two frames.
    void Cancel();
    /// The stick came back with a request waiting: it may go now.
    void Confirm();

    bool Pending() const { return !FRequests.empty(); }
    /// The room of the request pending last, or empty text.
    QString PendingRoom() const;

    /// The room's program against the one last sent to it from this file.
    TRoomStatus StatusOf(const QString& file, const THeatingLocation& room) const;
    /// The program last sent to the room, or null.
    std::unique_ptr<THeatingLocation> LastSent(const QString& file,
                                               const THeatingLocation& room) const;
    /// The room's history follows it to its new name.
    void RoomRenamed(const QString& file, const std::string& from, const std::string& to);

    TTransferLog& Log() { return *FLog; }
    /// Whether a record is kept; without one nothing can be said of what a room last got.
    bool Recording() const;

    /// "Never sent", "Sent on ..." or "Changed since sent on ...", in the interface language;
    /// withDays adds the days that differ from the program sent.
    static QString StatusText(const TRoomStatus& status, bool withDays);
    /// What the user must know about opening the record, or empty text.
    static QString OpenText(const TOpenOutcome& outcome);

    /// A request ended: sent, given up after its attempts, or withdrawn.
    std::function<void(const QString& room, TRequestOutcome outcome)> OnFinished;
    /// The stick came back while the room's request waited: the user decides.
    std::function<void(const QString& room)> OnHeld;

private:
    struct TRequest {
        std::int64_t Record = 0;
        QString Room;
    };
    void Finished(std::uint64_t id, TRequestOutcome outcome);
    /// The record's last program of the room, read once: the marks are redrawn at every edit.
    const TSentProgram* CachedLastSent(const QString& file, const std::string& room) const;

    std::unique_ptr<TTransferLog> FLog;
    TUSBConnection* FConnection = nullptr;
    std::map<std::uint64_t, TRequest> FRequests;
    std::uint64_t FLastRequest = 0;
    /// Forgotten whenever the record changes: an outcome, a rename.
    mutable std::map<std::pair<QString, std::string>, std::optional<TSentProgram>> FLastSent;
};

} // namespace zeft
