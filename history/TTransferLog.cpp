#include "TTransferLog.h"

#include "zeft_ProgramText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <atomic>

namespace zeft {

namespace {

constexpr int SchemaVersion = 1;

// The SQLite codes that mean the file itself is bad; anything else (busy, full disk, no access)
// says nothing about the store, which must then not be moved aside.
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

const char* const CreateSchema[] = {
    "CREATE TABLE transfers ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " requested_at TEXT NOT NULL,"
    " finished_at TEXT,"
    " file TEXT NOT NULL,"
    " room TEXT NOT NULL,"
    " program TEXT NOT NULL,"
    " periods INTEGER NOT NULL,"
    " result TEXT NOT NULL CHECK (result IN ('pending', 'sent', 'failed', 'withdrawn')))",
    "CREATE INDEX transfers_by_room ON transfers (file, room, result, finished_at)",
};

const char* const RecordColumns =
    "id, requested_at, finished_at, file, room, program, periods, result";

/// A bound QString that is null becomes SQL NULL, which neither satisfies NOT NULL nor equals
/// anything: an unsaved document's empty path must stay an empty text.
QVariant Text(const QString& text) {
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QVariant Text(const std::string& utf8) {
    return Text(QString::fromStdString(utf8));
}

QString TimeText(const QDateTime& time) {
    return time.toUTC().toString(Qt::ISODate);
}

QDateTime TimeFromText(const QVariant& value) {
    if (value.isNull())
        return {};
    QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODate);
    return time.toUTC();
}

QDateTime NowUtc() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return now.addMSecs(-now.time().msec());
}

int ErrorCode(const QSqlError& error) {
    // Extended codes carry the primary one in their low byte.
    return error.nativeErrorCode().toInt() & 0xff;
}

bool IsDamage(const QSqlError& error) {
    const int code = ErrorCode(error);
    return code == SqliteCorrupt || code == SqliteNotADatabase;
}

/// Moves the store and its journals aside under a name no other file has.
bool SetAside(const QString& path, QString* setAsidePath, QString* reason) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    QFile file(path);
    if (file.exists() && !file.rename(target)) {
        *reason = file.errorString();
        return false;
    }
    // A write-ahead log left behind would be played into the new store; it belongs to the old.
    for (const char* journal : {"-wal", "-journal"}) {
        const QString name = path + QLatin1String(journal);
        if (QFileInfo::exists(name) && !QFile::rename(name, target + QLatin1String(journal)) &&
            !QFile::remove(name)) {
            *reason = QStringLiteral("cannot move %1 aside").arg(name);
            return false;
        }
    }
    QFile::remove(path + QStringLiteral("-shm"));
    *setAsidePath = target;
    return true;
}

} // namespace

QString TransferResultName(TTransferResult result) {
    switch (result) {
    case TTransferResult::Pending:
        return QStringLiteral("pending");
    case TTransferResult::Sent:
        return QStringLiteral("sent");
    case TTransferResult::Failed:
        return QStringLiteral("failed");
    case TTransferResult::Withdrawn:
        return QStringLiteral("withdrawn");
    }
    return QStringLiteral("pending");
}

std::optional<TTransferResult> TransferResultFromName(const QString& name) {
    for (TTransferResult result : {TTransferResult::Pending, TTransferResult::Sent,
                                   TTransferResult::Failed, TTransferResult::Withdrawn})
        if (TransferResultName(result) == name)
            return result;
    return std::nullopt;
}

TTransferLog::TTransferLog() {
    // Qt keeps connections by name in one table for the process.
    static std::atomic<unsigned long long> counter{0};
    FConnectionName = QStringLiteral("zeft-transfer-log-%1").arg(++counter);
}

TTransferLog::~TTransferLog() {
    Close();
}

QString TTransferLog::DefaultPath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    const QString folder = base + QStringLiteral("/zeft");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/transfers.sqlite");
}

bool TTransferLog::IsOpen() const {
    return FOpen;
}

void TTransferLog::Close() {
    FOpen = false;
    if (!QSqlDatabase::contains(FConnectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(FConnectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(FConnectionName);
}

TTransferLog::TAttempt TTransferLog::TryOpen(const QString& path, QString* reason) {
    Close();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnectionName);
    if (!db.isValid()) {
        *reason = QStringLiteral("Qt's SQLite driver is not installed");
        return TAttempt::Unavailable;
    }
    db.setDatabaseName(path);
    if (!db.open()) {
        *reason = db.lastError().text();
        // A file that is there but will not open is as good as damaged; if it cannot be moved
        // aside either, the store is unavailable.
        return QFileInfo::exists(path) ? TAttempt::Damaged : TAttempt::Unavailable;
    }
    QSqlQuery query(db);
    const auto failed = [&]() {
        *reason = query.lastError().text();
        const bool damaged = IsDamage(query.lastError());
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return damaged ? TAttempt::Damaged : TAttempt::Unavailable;
    };
    // Another copy of the program may hold the lock for a moment.
    if (!query.exec(QStringLiteral("PRAGMA busy_timeout = 5000")))
        return failed();
    if (!query.exec(QStringLiteral("PRAGMA quick_check")))
        return failed();
    if (!query.next() || query.value(0).toString() != QLatin1String("ok")) {
        *reason = QStringLiteral("the integrity check fails");
        if (query.isValid())
            *reason += QStringLiteral(": ") + query.value(0).toString();
        return TAttempt::Damaged;
    }
    query.finish();
    // WAL lets one copy read while the other writes and survives a kill in mid-write; every
    // commit reaches the disk, since this record is the only account of what was sent.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) ||
        !query.exec(QStringLiteral("PRAGMA synchronous = FULL")))
        return failed();

    // Immediate: two copies making a new store at once must not both make the tables.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failed();
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failed();
    const int version = query.value(0).toInt();
    query.finish();
    if (version == 0) {
        if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next())
            return failed();
        if (query.value(0).toInt() != 0) {
            query.finish();
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            *reason = QStringLiteral("it is not a transfer history");
            return TAttempt::Damaged;
        }
        query.finish();
        for (const char* statement : CreateSchema)
            if (!query.exec(QString::fromLatin1(statement)))
                return failed();
        if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion)))
            return failed();
    } else if (version > SchemaVersion) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        *reason = QStringLiteral("it was written by a newer version of the program (schema %1)")
                      .arg(version);
        return TAttempt::Damaged;
    } else if (!query.exec(QStringLiteral("SELECT %1 FROM transfers LIMIT 0")
                               .arg(QLatin1String(RecordColumns)))) {
        *reason = QStringLiteral("its table is not as this program writes it");
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return TAttempt::Damaged;
    }
    query.finish();
    if (!query.exec(QStringLiteral("COMMIT")))
        return failed();
    return TAttempt::Opened;
}

TOpenOutcome TTransferLog::Open(const QString& path) {
    TOpenOutcome outcome;
    FLastError.clear();
    QString reason;
    TAttempt attempt = TAttempt::Unavailable;
    if (path.isEmpty()) {
        Close();
        reason = QStringLiteral("there is no place for it");
    } else if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        Close();
        reason = QStringLiteral("its folder cannot be made");
    } else {
        attempt = TryOpen(path, &reason);
    }
    if (attempt == TAttempt::Damaged) {
        Close();
        const QString damage = reason;
        if (SetAside(path, &outcome.SetAsidePath, &reason)) {
            outcome.Message = QStringLiteral("The transfer history %1 could not be read (%2). It "
                                             "was moved to %3 and a new history was started.")
                                  .arg(QDir::toNativeSeparators(path), damage,
                                       QDir::toNativeSeparators(outcome.SetAsidePath));
            attempt = TryOpen(path, &reason);
        } else {
            reason = damage + QStringLiteral("; it cannot be moved aside: ") + reason;
            attempt = TAttempt::Unavailable;
        }
    }
    if (attempt != TAttempt::Opened) {
        Close();
        FLastError = reason;
        const QString failure = QStringLiteral("The transfer history %1 cannot be opened or "
                                               "created (%2). Transfers are not recorded.")
                                    .arg(QDir::toNativeSeparators(path), reason);
        outcome.Message =
            outcome.Message.isEmpty() ? failure : outcome.Message + QLatin1Char(' ') + failure;
        return outcome;
    }
    FOpen = true;
    outcome.Opened = true;
    return outcome;
}

bool TTransferLog::Write(const QString& sql, const std::vector<QVariant>& values,
                         std::int64_t* insertedId) {
    if (!FOpen)
        return false;
    QSqlDatabase db = QSqlDatabase::database(FConnectionName, false);
    QSqlQuery query(db);
    // Immediate takes the write lock at once, so that waiting for the other copy happens here,
    // under the busy timeout, and never as a failure half way.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        FLastError = query.lastError().text();
        return false;
    }
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    bool ok = query.exec();
    if (ok && insertedId)
        *insertedId = query.lastInsertId().toLongLong();
    if (!ok)
        FLastError = query.lastError().text();
    query.finish();
    QSqlQuery end(db);
    if (ok && !end.exec(QStringLiteral("COMMIT"))) {
        FLastError = end.lastError().text();
        ok = false;
    }
    if (!ok)
        end.exec(QStringLiteral("ROLLBACK"));
    else
        FLastError.clear();
    return ok;
}

std::int64_t TTransferLog::RecordRequest(const QString& file, const THeatingLocation& program) {
    std::int64_t id = 0;
    if (!Write(QStringLiteral("INSERT INTO transfers (requested_at, file, room, program, periods, "
                              "result) VALUES (?, ?, ?, ?, ?, 'pending')"),
               {TimeText(NowUtc()), Text(file), Text(program.DisplayText),
                Text(ProgramText(program)), PeriodCount(program)},
               &id))
        return 0;
    return id;
}

void TTransferLog::RecordOutcome(std::int64_t id, TTransferResult result) {
    if (id == 0)
        return;
    const QVariant finished = result == TTransferResult::Pending
                                  ? QVariant(QMetaType::fromType<QString>())
                                  : QVariant(TimeText(NowUtc()));
    Write(QStringLiteral("UPDATE transfers SET result = ?, finished_at = ? WHERE id = ?"),
          {TransferResultName(result), finished, QVariant::fromValue<qint64>(id)});
}

std::optional<TSentProgram> TTransferLog::LastSent(const QString& file,
                                                   const std::string& room) const {
    if (!FOpen)
        return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(FConnectionName, false));
    query.prepare(QStringLiteral("SELECT finished_at, program FROM transfers "
                                 "WHERE file = ? AND room = ? AND result = 'sent' "
                                 "ORDER BY finished_at DESC, id DESC LIMIT 1"));
    query.addBindValue(Text(file));
    query.addBindValue(Text(room));
    if (!query.exec()) {
        FLastError = query.lastError().text();
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    auto program = ParseProgramText(query.value(1).toString().toStdString(), room);
    if (!program) {
        FLastError = QStringLiteral("the program last sent to %1 cannot be read")
                         .arg(QString::fromStdString(room));
        return std::nullopt;
    }
    return TSentProgram{TimeFromText(query.value(0)), std::move(program)};
}

void TTransferLog::RenameRoom(const QString& file, const std::string& from, const std::string& to) {
    if (from == to)
        return;
    Write(QStringLiteral("UPDATE transfers SET room = ? WHERE file = ? AND room = ?"),
          {Text(to), Text(file), Text(from)});
}

std::vector<TTransferRecord> TTransferLog::Records(const std::optional<std::string>& room) const {
    std::vector<TTransferRecord> records;
    if (!FOpen)
        return records;
    QSqlQuery query(QSqlDatabase::database(FConnectionName, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM transfers %2 ORDER BY requested_at DESC, id DESC")
                      .arg(QLatin1String(RecordColumns),
                           room ? QStringLiteral("WHERE room = ?") : QString()));
    if (room)
        query.addBindValue(Text(*room));
    if (!query.exec()) {
        FLastError = query.lastError().text();
        return records;
    }
    while (query.next()) {
        TTransferRecord record;
        record.Id = query.value(0).toLongLong();
        record.RequestedAt = TimeFromText(query.value(1));
        record.FinishedAt = TimeFromText(query.value(2));
        record.File = query.value(3).toString();
        record.Room = query.value(4).toString().toStdString();
        record.Program = query.value(5).toString().toStdString();
        record.Periods = query.value(6).toInt();
        record.Result =
            TransferResultFromName(query.value(7).toString()).value_or(TTransferResult::Failed);
        records.push_back(std::move(record));
    }
    return records;
}

namespace {

QByteArray CsvField(const QString& text) {
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') ||
        bytes.contains('\n')) {
        bytes.replace("\"", "\"\"");
        bytes = '"' + bytes + '"';
    }
    return bytes;
}

} // namespace

QByteArray TTransferLog::CsvText(const std::vector<TTransferRecord>& records) {
    QByteArray text = "requested,finished,room,file,result,periods\r\n";
    for (const TTransferRecord& record : records) {
        const QString finished = record.FinishedAt.isValid() ? TimeText(record.FinishedAt) : "";
        text += CsvField(TimeText(record.RequestedAt)) + ',' + CsvField(finished) + ',' +
                CsvField(QString::fromStdString(record.Room)) + ',' + CsvField(record.File) + ',' +
                CsvField(TransferResultName(record.Result)) + ',' +
                QByteArray::number(record.Periods) + "\r\n";
    }
    return text;
}

bool TTransferLog::ExportCsv(const std::vector<TTransferRecord>& records, const QString& path,
                             QString* error) {
    QSaveFile file(path);
    const QByteArray text = CsvText(records);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (error)
        error->clear();
    return true;
}

} // namespace zeft
