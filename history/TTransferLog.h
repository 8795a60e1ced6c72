#pragma once

#include "THeatingLocation.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zeft {

/// What became of a transfer request. The radio link is one-way: "sent" means the stick sent the
/// program, not that a controller took it.
enum class TTransferResult { Pending, Sent, Failed, Withdrawn };

/// One transfer request as the history keeps it.
struct TTransferRecord {
    std::int64_t Id = 0;
    QDateTime RequestedAt; ///< UTC, whole seconds
    QDateTime FinishedAt;  ///< UTC, whole seconds; invalid while the request is pending
    QString File;          ///< the schedule file's path; empty for a document never saved
    std::string Room;      ///< UTF-8, the room's name when it was sent (or renamed since)
    std::string Program;   ///< the weekly program in ProgramText's form (zeft_ProgramText.h)
    int Periods = 0;       ///< periods of the whole week
    TTransferResult Result = TTransferResult::Pending;
};

/// The program a room was last sent and when.
struct TSentProgram {
    QDateTime SentAt; ///< UTC: when the transfer finished
    std::unique_ptr<THeatingLocation> Program;
};

/// What Open found.
struct TOpenOutcome {
    /// False when not even a new store could be made: the log then records nothing.
    bool Opened = false;
    /// Where a store that could not be read was moved; empty when none was.
    QString SetAsidePath;
    /// For the user, plain English, empty when all went well. The window shows it inside its own
    /// translated text, which can name SetAsidePath itself.
    QString Message;
};

/// The record of what was sent to which room, kept per user in an SQLite file, because nothing
/// can be read back from the controllers.
///
/// Two copies of the program may write to the same store at once, and either may be killed at any
/// moment: the store runs in WAL mode, waits up to 5 s for the other writer and makes every write
/// one transaction. A log whose store is unavailable does nothing and answers with empty results,
/// so that it never keeps a program from being sent.
///
/// Each object has a connection of its own and must be used by one thread at a time, the one
/// that opened it.
class TTransferLog {
public:
    TTransferLog();
    ~TTransferLog();
    TTransferLog(const TTransferLog&) = delete;
    TTransferLog& operator=(const TTransferLog&) = delete;

    /// $XDG_DATA_HOME/zeft/transfers.sqlite (~/.local/share/zeft/transfers.sqlite), creating the
    /// folder.
    static QString DefaultPath();

    /// Opens the store at `path`, making it when there is none. A store that is not a database,
    /// fails SQLite's quick check, is not this program's or has a newer schema than this program
    /// knows is renamed to "<name>.damaged-<yyyyMMdd-HHmmss>" (local time) beside it, and a new
    /// one is started. Opening again closes the store opened before.
    TOpenOutcome Open(const QString& path);
    bool IsOpen() const;
    /// The reason the last call failed, in English, for a log file; empty after a success.
    QString LastError() const { return FLastError; }

    /// Records a request to send `program` to the room of its name; returns the record's id, or
    /// 0 when nothing could be recorded.
    std::int64_t RecordRequest(const QString& file, const THeatingLocation& program);
    /// Sets the request's result and finish time (none for Pending). An id of 0 is ignored.
    void RecordOutcome(std::int64_t id, TTransferResult result);

    /// The program last sent to this room of this file: the latest finished transfer whose result
    /// is Sent. Nothing when there is none, or when that record's program cannot be read (it would
    /// be wrong to fall back on an older one: the controller holds the latest).
    std::optional<TSentProgram> LastSent(const QString& file, const std::string& room) const;
    /// Moves the room's history to its new name. Records already under the new name stay; the
    /// newest sent one of all then counts for LastSent.
    void RenameRoom(const QString& file, const std::string& from, const std::string& to);

    /// Every record, or the room's (in any file), newest request first.
    std::vector<TTransferRecord> Records(const std::optional<std::string>& room = {}) const;

    /// Writes the records as CSV (RFC 4180: CR LF line ends, fields holding a comma, quote, CR or
    /// LF in quotes with quotes doubled; UTF-8 without a byte order mark) under the header
    /// "requested,finished,room,file,result,periods". Times are UTC in ISO 8601
    /// ("2024-03-01T06:30:00Z"), the same wherever the file is read; an unfinished request has an
    /// empty finish time. Results are pending, sent, failed or withdrawn. The file is replaced as
    /// a whole or not at all. On failure returns false with the reason in `error` (if given).
    static bool ExportCsv(const std::vector<TTransferRecord>& records, const QString& path,
                          QString* error);
    /// The CSV text ExportCsv writes.
    static QByteArray CsvText(const std::vector<TTransferRecord>& records);

private:
    enum class TAttempt { Opened, Damaged, Unavailable };
    TAttempt TryOpen(const QString& path, QString* reason);
    void Close();
    bool Write(const QString& sql, const std::vector<QVariant>& values,
               std::int64_t* insertedId = nullptr);

    QString FConnectionName;
    bool FOpen = false;
    mutable QString FLastError;
};

/// "pending", "sent", "failed", "withdrawn": the words the store and the CSV use.
QString TransferResultName(TTransferResult result);
std::optional<TTransferResult> TransferResultFromName(const QString& name);

} // namespace zeft
