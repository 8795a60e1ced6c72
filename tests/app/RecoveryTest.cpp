// Unsaved changes that outlive the program: the offer at start and what each answer does, and
// the program ended by a signal or by the session.
#include "MainFormFixture.h"
#include "TRecoveryStore.h"
#include "zeft_ScheduleFile.h"
#include "zeft_Templates.h"

#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <csignal>

namespace zeft::test {
namespace {

class RecoveryTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        RecoveryFolder = FSettingsDir.filePath("state/zeft/recovery");
        File = FSettingsDir.filePath("house.zeft");
        THeatingLocations saved;
        auto room = CreateTemplateLocation(1, nullptr);
        room->DisplayText = "A";
        saved.Add(std::move(room));
        saved.SaveToFile(File.toStdString());
    }

    /// The file with its room renamed, kept by a store that lives as long as the result.
    std::pair<std::unique_ptr<TScheduleDocument>, std::unique_ptr<TRecoveryStore>>
    Edited(const std::string& name) {
        auto document = std::make_unique<TScheduleDocument>();
        EXPECT_TRUE(document->Load(File).Ok());
        auto store = std::make_unique<TRecoveryStore>(*document, RecoveryFolder);
        document->RenameLocation(document->Locations().Items(0), name);
        EXPECT_TRUE(store->Flush());
        return {std::move(document), std::move(store)};
    }

    /// A copy left by a program that has ended; its path.
    QString LeftBehind(const std::string& name) {
        auto [document, store] = Edited(name);
        return store->CopyPath();
    }

    QString File;
};

struct TOfferCase {
    const char* Name;
    QMessageBox::StandardButton Answer; // Yes: Restore, No: Discard, Cancel: Open later
    const char* Room;
    bool Modified;
    bool CopyKept;
};

class RecoveryOffer : public RecoveryTest, public testing::WithParamInterface<TOfferCase> {};

TEST_P(RecoveryOffer, EachAnswer) {
    const TOfferCase& c = GetParam();
    const QString copy = LeftBehind("Kitchen");
    const auto running = Edited("Bathroom"); // its program still runs: not offered
    Settings.WriteLastFile(File);
    Start();
    NextAnswer = c.Answer;
    Form->OfferRecovery();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, "Unsaved changes");
    EXPECT_TRUE(Messages[0].Text.startsWith("The program ended before your changes to \"" + File +
                                            "\" were saved. They were kept on "))
        << Messages[0].Text.toStdString();
    EXPECT_EQ(CurrentName(), c.Room);
    EXPECT_EQ(Form->Modified(), c.Modified);
    EXPECT_EQ(Form->CurrentFileName(), File);
    EXPECT_EQ(QFileInfo::exists(copy), c.CopyKept);
    EXPECT_TRUE(QFileInfo::exists(running.second->CopyPath()));

    // What was restored is saved to its file like any change; a copy kept is offered again.
    Command("FileSave")->trigger();
    EXPECT_FALSE(Form->Modified());
    Form.reset();
    EXPECT_EQ(TRecoveryStore::Orphans(RecoveryFolder).size(), c.CopyKept ? 1u : 0u);
    TParsedScheduleFile parsed;
    ParseScheduleFile(File.toStdString(), parsed);
    THeatingLocations onDisk;
    onDisk.LoadFromXML(parsed.Document);
    EXPECT_EQ(onDisk.Items(0).DisplayText, c.Room);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RecoveryOffer,
    testing::Values(TOfferCase{"Restore", QMessageBox::Yes, "Kitchen", true, false},
                    TOfferCase{"Discard", QMessageBox::No, "A", false, false},
                    TOfferCase{"OpenLater", QMessageBox::Cancel, "A", false, true}),
    [](const testing::TestParamInfo<TOfferCase>& info) { return info.param.Name; });

TEST_F(RecoveryTest, TheDateIsInTheInterfaceLanguage) {
    LeftBehind("Küche");
    const QDate day = TRecoveryStore::Orphans(RecoveryFolder).at(0).Written.toLocalTime().date();
    LanguageID = 7;
    Start();
    NextAnswer = QMessageBox::Cancel;
    Form->OfferRecovery();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Messages[0].Text.contains(
        " am " + QLocale(QLocale::German).toString(day, QLocale::LongFormat) + " um "))
        << Messages[0].Text.toStdString();
}

struct TSignalCase {
    const char* Name;
    /// The program itself (nothing to keep), or the same window with an unsaved change.
    bool Edited;
    int Signal;
};

class EndedBySignal : public RecoveryTest, public testing::WithParamInterface<TSignalCase> {
protected:
    /// Whether the process has a handler of its own for the signal.
    static bool Catches(qint64 pid, int signal) {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("SigCgt:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1u;
        return false;
    }
};

TEST_P(EndedBySignal, KeepsTheChangesAndTheSettingsAndEndsCleanly) {
    const TSignalCase& c = GetParam();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    environment.insert(QStringLiteral("HOME"), FSettingsDir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), FSettingsDir.path());
    environment.insert(QStringLiteral("XDG_STATE_HOME"), FSettingsDir.filePath("state"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), FSettingsDir.filePath("data"));
    const QString settingsFile = FSettingsDir.filePath("Pellwick/ZEFT.conf");
    QProcess program;
    program.setProcessEnvironment(environment);
    // As a desktop starts it, whatever this test's runner ignores.
    program.setChildProcessModifier([] {
        for (const int signal : {SIGTERM, SIGHUP, SIGINT})
            std::signal(signal, SIG_DFL);
    });
    program.start(QString::fromUtf8(c.Edited ? ZEFT_RECOVERY_PROGRAM : ZEFT_EXECUTABLE), {File});
    ASSERT_TRUE(program.waitForStarted());
    // Sent once the handler is in place; before, the signal would end it as it always did.
    for (int wait = 0; wait < 3000 && !Catches(program.processId(), c.Signal); ++wait)
        QThread::msleep(10);
    ASSERT_TRUE(Catches(program.processId(), c.Signal)) << "the program does not handle it";
    ASSERT_FALSE(QFileInfo::exists(settingsFile));
    kill(static_cast<pid_t>(program.processId()), c.Signal);
    ASSERT_TRUE(program.waitForFinished(30000)) << "still running";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << program.readAllStandardError().data();
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(Settings.ReadLastFile(), File) << "the settings were not stored";

    // The next start offers what was kept, as unsaved changes of the file.
    EXPECT_EQ(TRecoveryStore::Orphans(RecoveryFolder).size(), c.Edited ? 1u : 0u);
    NextAnswer = QMessageBox::Yes;
    Start();
    Form->OfferRecovery();
    EXPECT_EQ(Messages.size(), c.Edited ? 1u : 0u);
    EXPECT_EQ(CurrentName(), c.Edited ? "Kitchen" : "A");
    EXPECT_EQ(Form->Modified(), c.Edited);
    EXPECT_EQ(Form->CurrentFileName(), File);
}

INSTANTIATE_TEST_SUITE_P(Signals, EndedBySignal,
                         testing::Values(TSignalCase{"ProgramTerm", false, SIGTERM},
                                         TSignalCase{"ProgramHangUp", false, SIGHUP},
                                         TSignalCase{"ProgramInterrupt", false, SIGINT},
                                         TSignalCase{"EditedTerm", true, SIGTERM},
                                         TSignalCase{"EditedHangUp", true, SIGHUP}),
                         [](const testing::TestParamInfo<TSignalCase>& info) {
                             return info.param.Name;
                         });

enum class TEnd { SessionAsking, SessionUnasked, Signal, Close };

struct TEndCase {
    const char* Name;
    TEnd How;
    QMessageBox::StandardButton Answer; // to the save prompt
    bool Ends;
    size_t Prompts;
    bool CopyKept;
    bool Saved;
};

class EndOfSession : public RecoveryTest, public testing::WithParamInterface<TEndCase> {};

TEST_P(EndOfSession, AsksWhereItMayAndKeepsTheChangesWhereNot) {
    const TEndCase& c = GetParam();
    Settings.WriteLastFile(File);
    Start();
    Form->Document().RenameLocation(*Form->CurrentLocation(), "Kitchen");
    ASSERT_TRUE(Form->Recovery()->Flush());
    NextAnswer = c.Answer;
    bool asked = false;
    bool ended = false;
    switch (c.How) {
    case TEnd::SessionAsking:
    case TEnd::SessionUnasked:
        ended = Form->CommitSession([&] {
            asked = true;
            return c.How == TEnd::SessionAsking;
        });
        EXPECT_TRUE(asked);
        break;
    case TEnd::Signal:
        Form->KeepForExit();
        ended = true;
        break;
    case TEnd::Close:
        ended = Form->close();
        break;
    }
    EXPECT_EQ(ended, c.Ends);
    EXPECT_EQ(Messages.size(), c.Prompts);
    // Once the changes are dealt with, closing as the session ends asks nothing more.
    if (ended && c.How != TEnd::Close) {
        EXPECT_TRUE(Form->close());
        EXPECT_EQ(Messages.size(), c.Prompts);
    }
    Form.reset();
    EXPECT_EQ(TRecoveryStore::Orphans(RecoveryFolder).size(), c.CopyKept ? 1u : 0u);
    EXPECT_EQ(Settings.ReadLastFile(), File);
    TParsedScheduleFile parsed;
    ParseScheduleFile(File.toStdString(), parsed);
    THeatingLocations onDisk;
    onDisk.LoadFromXML(parsed.Document);
    EXPECT_EQ(onDisk.Items(0).DisplayText, c.Saved ? "Kitchen" : "A");
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EndOfSession,
    testing::Values(
        TEndCase{"SessionAskedYes", TEnd::SessionAsking, QMessageBox::Yes, true, 1, false, true},
        TEndCase{"SessionAskedNo", TEnd::SessionAsking, QMessageBox::No, true, 1, false, false},
        TEndCase{"SessionAskedCancel", TEnd::SessionAsking, QMessageBox::Cancel, false, 1, true,
                 false},
        TEndCase{"SessionWithoutAsking", TEnd::SessionUnasked, QMessageBox::Yes, true, 0, true,
                 false},
        TEndCase{"Signal", TEnd::Signal, QMessageBox::Yes, true, 0, true, false},
        TEndCase{"CloseNo", TEnd::Close, QMessageBox::No, true, 1, false, false},
        TEndCase{"CloseCancel", TEnd::Close, QMessageBox::Cancel, false, 1, true, false}),
    [](const testing::TestParamInfo<TEndCase>& info) { return info.param.Name; });

} // namespace
} // namespace zeft::test
