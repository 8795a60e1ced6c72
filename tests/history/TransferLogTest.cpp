// The transfer history: what goes in comes back, the right record counts as the last one sent,
// and a store that is damaged, contended or out of reach never stops a transfer.
#include "HistoryTestSupport.h"
#include "TTransferLog.h"
#include "zeft_ProgramText.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace zeft::test {
namespace {

const QString House = QStringLiteral("/home/anna/house.zeft");
using R = TTransferResult;

class TransferLog : public testing::Test {
protected:
    QString StorePath(int n = 0) const { return FDir.filePath(QString("store%1.sqlite").arg(n)); }
    std::unique_ptr<TTransferLog> OpenLog(int n = 0) {
        auto log = std::make_unique<TTransferLog>();
        const TOpenOutcome outcome = log->Open(StorePath(n));
        EXPECT_TRUE(outcome.Opened && outcome.Message.isEmpty()) << outcome.Message.toStdString();
        return log;
    }
    static std::int64_t Send(TTransferLog& log, const QString& file, const std::string& room,
                             const TWeekText& week = MixedWeek, R result = R::Sent) {
        const std::int64_t id = log.RecordRequest(file, *Week(room, week));
        EXPECT_NE(id, 0) << log.LastError().toStdString();
        log.RecordOutcome(id, result);
        return id;
    }
    QTemporaryDir FDir;
};

TEST_F(TransferLog, LastSentReturnsTheProgramExactly) {
    auto log = OpenLog();
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    const std::int64_t id = Send(*log, House, "Küche");
    const auto sent = log->LastSent(House, "Küche");
    ASSERT_TRUE(sent && sent->Program) << log->LastError().toStdString();
    EXPECT_EQ(sent->Program->DisplayText, "Küche");
    for (int d = 0; d < THeatingLocation::DaysPerWeek; ++d) {
        EXPECT_EQ(DayText(sent->Program->Days(d)), MixedWeek[static_cast<size_t>(d)]);
        EXPECT_EQ(WellFormedProblem(sent->Program->Days(d)), "") << "day " << d;
    }
    EXPECT_EQ(sent->SentAt.timeZone(), QTimeZone::utc());
    EXPECT_TRUE(before <= sent->SentAt && sent->SentAt <= QDateTime::currentDateTimeUtc());

    const auto records = log->Records();
    ASSERT_EQ(records.size(), 1u);
    const TTransferRecord& r = records[0];
    EXPECT_TRUE(r.Id == id && r.File == House && r.Room == "Küche" && r.Periods == 18 &&
                r.Result == R::Sent && r.FinishedAt == sent->SentAt && r.RequestedAt >= before);
    EXPECT_EQ(r.Program, ProgramText(*Week("", MixedWeek)));
    // A second log, with a connection of its own, on the same store sees it too.
    TTransferLog other;
    ASSERT_TRUE(other.Open(StorePath()).Opened);
    EXPECT_TRUE(other.LastSent(House, "Küche").has_value());
}

TEST_F(TransferLog, LastSentIsTheLatestSentRecordOfThatFileAndRoom) {
    struct TStep {
        QString File;
        std::string Room, Monday; // the Monday temperature tells the programs apart
        R Result;
    };
    const QString flat = QStringLiteral("/home/anna/flat.zeft");
    struct {
        std::vector<TStep> steps;
        QString file;
        std::string expected; // Monday of the program found for room "Hall"; empty for none
    } const cases[] = {
        {{}, House, ""},
        {{{House, "Hall", "18", R::Pending}}, House, ""},
        {{{House, "Hall", "18", R::Failed}}, House, ""},
        {{{House, "Hall", "18", R::Withdrawn}}, House, ""},
        {{{House, "Hall", "18", R::Sent}}, House, "18"},
        {{{House, "Hall", "18", R::Sent},
          {House, "Hall", "19", R::Failed},
          {House, "Hall", "20", R::Withdrawn},
          {House, "Hall", "21", R::Pending}},
         House,
         "18"},
        {{{House, "Hall", "18", R::Sent}, {House, "Hall", "19", R::Sent}}, House, "19"},
        {{{flat, "Hall", "18", R::Sent}}, House, ""},
        {{{House, "Bath", "18", R::Sent}}, House, ""},
        {{{House, "Hall", "18", R::Sent},
          {House, "Bath", "19", R::Sent},
          {flat, "Hall", "20", R::Sent}},
         House,
         "18"},
        {{{QString(), "Hall", "18", R::Sent}}, QString(), "18"}, // a document never saved
        {{{QString(), "Hall", "18", R::Sent}}, House, ""},
    };
    int n = 0;
    for (const auto& c : cases) {
        auto log = OpenLog(++n);
        for (const TStep& step : c.steps)
            Send(*log, step.File, step.Room, PlainWeek(step.Monday), step.Result);
        const auto sent = log->LastSent(c.file, "Hall");
        EXPECT_EQ(sent ? DayText(sent->Program->Days(0)) : "",
                  c.expected.empty() ? "" : "00:00-24:00 " + c.expected)
            << "case " << n;
    }
}

TEST_F(TransferLog, HistoryFollowsARenamedRoom) {
    auto log = OpenLog();
    Send(*log, House, "Kitchen", PlainWeek("18"));
    Send(*log, "/other.zeft", "Kitchen", PlainWeek("19"));
    log->RenameRoom(House, "Kitchen", "Küche");
    EXPECT_FALSE(log->LastSent(House, "Kitchen").has_value());
    const auto moved = log->LastSent(House, "Küche");
    ASSERT_TRUE(moved.has_value());
    EXPECT_EQ(moved->Program->DisplayText, "Küche");
    EXPECT_EQ(DayText(moved->Program->Days(0)), "00:00-24:00 18");
    EXPECT_TRUE(log->LastSent("/other.zeft", "Kitchen").has_value()); // another file's room
    EXPECT_FALSE(log->LastSent(House, "Küche (2)").has_value());      // a duplicate starts anew
}

TEST_F(TransferLog, RecordsAreNewestFirstAndFilteredByRoom) {
    auto log = OpenLog();
    const std::int64_t a1 = Send(*log, House, "A");
    const std::int64_t b = Send(*log, House, "B", MixedWeek, R::Failed);
    const std::int64_t a2 = log->RecordRequest(QString(), *Week("A", MixedWeek));
    const auto ids = [&](const std::optional<std::string>& room) {
        std::vector<std::int64_t> result;
        for (const auto& record : log->Records(room))
            result.push_back(record.Id);
        return result;
    };
    EXPECT_EQ(ids({}), (std::vector<std::int64_t>{a2, b, a1}));
    EXPECT_EQ(ids("A"), (std::vector<std::int64_t>{a2, a1}));
    EXPECT_TRUE(ids("C").empty());
    const auto records = log->Records();
    EXPECT_TRUE(records[0].Result == R::Pending && !records[0].FinishedAt.isValid());
    EXPECT_TRUE(records[1].Result == R::Failed && records[1].FinishedAt.isValid());
}

TEST_F(TransferLog, CsvQuotesWhatNeedsIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"Hall", "Hall"},
        {"Bath, upstairs", "\"Bath, upstairs\""},
        {"The \"good\" room", "\"The \"\"good\"\" room\""},
        {"two\nlines", "\"two\nlines\""},
        {"carriage\rreturn", "\"carriage\rreturn\""},
        {"Küche ☀", "Küche ☀"},
        {"", ""},
    };
    const QString path = FDir.filePath("export.csv");
    for (const auto& [room, field] : cases) {
        const QDateTime at(QDate(2024, 3, 1), QTime(6, 30), Qt::UTC);
        const TTransferRecord sent{7, at, at.addSecs(65), "/a,b.zeft", room, "", 14, R::Sent};
        const TTransferRecord pending{8, at, {}, "", "Hall", "", 7, R::Pending};
        QString error = "stale";
        ASSERT_TRUE(TTransferLog::ExportCsv({sent, pending}, path, &error)) << error.toStdString();
        EXPECT_TRUE(error.isEmpty());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().toStdString(), "requested,finished,room,file,result,periods\r\n"
                                                "2024-03-01T06:30:00Z,2024-03-01T06:31:05Z," +
                                                    field +
                                                    ",\"/a,b.zeft\",sent,14\r\n"
                                                    "2024-03-01T06:30:00Z,,Hall,,pending,7\r\n");
    }
    QString error;
    EXPECT_FALSE(TTransferLog::ExportCsv({}, FDir.filePath("missing/export.csv"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(TransferLog, TwoCopiesWritingAtOnceLoseNothing) {
    OpenLog(); // a store already there, as a running program would have made it
    QProcess writers[2];
    for (int i = 0; i < 2; ++i)
        writers[i].start(ZEFT_HISTORY_WRITER, {StorePath(), "200", i ? "B" : "A"});
    for (QProcess& writer : writers) {
        ASSERT_TRUE(writer.waitForFinished(120000)) << writer.errorString().toStdString();
        EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }
    auto log = OpenLog();
    EXPECT_EQ(log->Records().size(), 400u);
    EXPECT_EQ(log->Records("A").size(), 200u);
    for (const auto& record : log->Records())
        ASSERT_EQ(record.Result, R::Sent) << record.Id;
}

/// Leaves at the store's place what `how` names: garbage, a store with overwritten pages, or an
/// SQLite file made by the statements.
void Damage(const QString& path, const QStringList& how, const QByteArray& garbage) {
    if (how.isEmpty()) {
        for (const QString& name : {path, path + "-wal"}) {
            QFile file(name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(garbage);
        }
    } else if (how[0] == "bad pages") {
        TTransferLog log;
        ASSERT_TRUE(log.Open(path).Opened);
        for (int i = 0; i < 50; ++i)
            log.RecordRequest(House, *Week("Hall", MixedWeek));
    } else {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "setup");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        for (const QString& statement : how)
            ASSERT_TRUE(QSqlQuery(db).exec(statement)) << statement.toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase("setup");
    if (!how.isEmpty() && how[0] == "bad pages") {
        // The header reads well; only the check finds the pages behind it broken.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.size() > 3 * 4096);
        for (qint64 page = 1; page * 4096 < file.size(); ++page)
            ASSERT_TRUE(file.seek(page * 4096) && file.write(QByteArray(8, '\x7f')) == 8);
    }
}

TEST_F(TransferLog, DamagedStoreIsSetAsideAndANewOneStarted) {
    const QByteArray garbage = QByteArray("This is not a database. ").repeated(200);
    const QStringList cases[] = {
        {},
        {"bad pages"},
        {"CREATE TABLE transfers (id INTEGER)", "PRAGMA user_version = 99"}, // newer schema
        {"CREATE TABLE notes (text TEXT)"},                                  // another program's
        {"CREATE TABLE t (x)", "PRAGMA user_version = 1"},
    };
    int n = 0;
    for (const QStringList& how : cases) {
        SCOPED_TRACE(how.join("; ").toStdString());
        const QString path = StorePath(++n);
        Damage(path, how, garbage);
        TTransferLog log;
        const TOpenOutcome outcome = log.Open(path);
        EXPECT_TRUE(outcome.Opened) << outcome.Message.toStdString();
        const QRegularExpression name("^" + QRegularExpression::escape(path) +
                                      R"(\.damaged-\d{8}-\d{6}$)");
        EXPECT_TRUE(name.match(outcome.SetAsidePath).hasMatch() &&
                    QFile::exists(outcome.SetAsidePath))
            << outcome.SetAsidePath.toStdString();
        EXPECT_TRUE(outcome.Message.contains(outcome.SetAsidePath));
        if (how.isEmpty()) {
            QFile setAside(outcome.SetAsidePath), wal(path + "-wal");
            EXPECT_TRUE(setAside.open(QIODevice::ReadOnly) && setAside.readAll() == garbage);
            // The old store's log must not be played into the new one.
            EXPECT_FALSE(wal.open(QIODevice::ReadOnly) && wal.readAll().contains(garbage));
        }
        Send(log, House, "Hall");
        EXPECT_EQ(log.Records().size(), 1u);
        EXPECT_TRUE(log.LastSent(House, "Hall").has_value());
    }
    // A sound store is kept.
    Send(*OpenLog(), House, "Hall");
    EXPECT_EQ(OpenLog()->Records().size(), 1u);
    EXPECT_EQ(QDir(FDir.path()).entryList({"store0*"}), QStringList{"store0.sqlite"});
}

TEST_F(TransferLog, UnreachableStoreRecordsNothingAndStopsNothing) {
    // A folder that cannot be made, whoever runs the test: its parent is a file.
    QFile blocker(FDir.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    TTransferLog log;
    const TOpenOutcome outcome = log.Open(blocker.fileName() + "/zeft/transfers.sqlite");
    EXPECT_FALSE(outcome.Opened || log.IsOpen());
    EXPECT_FALSE(outcome.Message.isEmpty());
    EXPECT_NO_THROW({
        EXPECT_EQ(log.RecordRequest(House, *Week("Hall", MixedWeek)), 0);
        log.RecordOutcome(1, R::Sent);
        log.RenameRoom(House, "Hall", "Lobby");
        EXPECT_FALSE(log.LastSent(House, "Hall").has_value());
        EXPECT_TRUE(log.Records().empty());
    });
    EXPECT_FALSE(TTransferLog().Open(QString()).Opened);
}

TEST_F(TransferLog, DefaultPathIsInTheUsersDataFolder) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", FDir.path().toLocal8Bit());
    const QString path = TTransferLog::DefaultPath();
    qputenv("XDG_DATA_HOME", saved);
    EXPECT_EQ(path, FDir.filePath("zeft/transfers.sqlite"));
    EXPECT_TRUE(QDir(FDir.filePath("zeft")).exists());
}

} // namespace
} // namespace zeft::test
