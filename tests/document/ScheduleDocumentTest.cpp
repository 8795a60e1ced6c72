// The document's edits and their undo, without a window or a QApplication: each edit is one
// call and one step, undo brings back exactly what was there, redo the edit, and Modified
// follows the history's clean state.
#include "ModelTestSupport.h"
#include "TOpenFileRegistry.h"
#include "TScheduleDocument.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUndoStack>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zeft;
using namespace zeft::test;

namespace {

/// Two locations, A with a five-period Monday and a two-period Tuesday, B all one period.
std::unique_ptr<THeatingLocation> Location(const std::string& name, const std::string& monday,
                                           const std::string& tuesday, const std::string& rest) {
    auto location = std::make_unique<THeatingLocation>();
    location->DisplayText = name;
    THeatingLocation::TDays days;
    for (int d = 0; d < THeatingLocation::DaysPerWeek; ++d)
        days[static_cast<size_t>(d)] = Day(d == 0 ? monday : d == 1 ? tuesday : rest);
    location->SetDays(std::move(days));
    return location;
}

class DocumentTest : public testing::Test {
protected:
    void SetUp() override {
        Document.AddLocation(Location(
            "A", "00:00-06:30 17, 06:30-09:00 21, 09:00-17:00 17, 17:00-22:00 21, 22:00-24:00 17",
            "00:00-06:00 17, 06:00-24:00 20.5", "00:00-24:00 17"));
        Document.AddLocation(Location("B", "00:00-24:00 19", "00:00-24:00 19", "00:00-24:00 19"));
        Document.ForgetHistory();
    }
    THeatingLocation& A() { return Document.Locations().Items(0); }

    /// Every location's name and days, in file order.
    std::string State() const {
        std::string text;
        const THeatingLocations& locations = Document.Locations();
        for (int l = 0; l < locations.Count(); ++l) {
            text += locations.Items(l).DisplayText + ":";
            for (int d = 0; d < THeatingLocation::DaysPerWeek; ++d)
                text += " [" + DayText(locations.Items(l).Days(d)) + "]";
            text += "\n";
        }
        return text;
    }

    TScheduleDocument Document;
};

struct TEditCase {
    const char* Name;
    std::function<bool(TScheduleDocument&, THeatingLocation& a)> Edit;
    /// What the case looks at: a day of A (0 Monday), or -1 for the names in file order.
    int Day;
    const char* Before;
    const char* After;
};

class EveryEdit : public DocumentTest, public testing::WithParamInterface<TEditCase> {
protected:
    std::string Piece() {
        if (GetParam().Day >= 0)
            return DayText(A().Days(GetParam().Day));
        std::string names;
        for (int l = 0; l < Document.Locations().Count(); ++l)
            names += (l ? "," : "") + Document.Locations().Items(l).DisplayText;
        return names;
    }
};

constexpr const char* Monday =
    "00:00-06:30 17, 06:30-09:00 21, 09:00-17:00 17, 17:00-22:00 21, 22:00-24:00 17";

TEST_P(EveryEdit, IsOneStepThatUndoesAndRedoesExactly) {
    const TEditCase& c = GetParam();
    ASSERT_FALSE(Document.Modified());
    ASSERT_EQ(Piece(), c.Before);
    const std::string before = State();

    EXPECT_TRUE(c.Edit(Document, A()));
    EXPECT_EQ(Piece(), c.After);
    const std::string after = State();
    EXPECT_EQ(Document.UndoStack().count(), 1);
    EXPECT_TRUE(Document.Modified());

    Document.Undo();
    EXPECT_EQ(State(), before);
    EXPECT_FALSE(Document.Modified());

    Document.Redo();
    EXPECT_EQ(State(), after);
    EXPECT_TRUE(Document.Modified());
}

const TEditCase EditCases[] = {
    {"MoveStartLater",
     [](TScheduleDocument& d, THeatingLocation& a) {
         return d.MovePeriodStart(a, 0, 2, TimeOf(10, 0));
     },
     0, Monday, "00:00-06:30 17, 06:30-10:00 21, 10:00-17:00 17, 17:00-22:00 21, 22:00-24:00 17"},
    {"MoveStartAcrossAPeriodAbsorbsIt",
     [](TScheduleDocument& d, THeatingLocation& a) {
         return d.MovePeriodStart(a, 0, 2, TimeOf(6, 0));
     },
     0, Monday, "00:00-06:00 17, 06:00-17:00 17, 17:00-22:00 21, 22:00-24:00 17"},
    {"Temperature",
     [](TScheduleDocument& d, THeatingLocation& a) { return d.SetTemperature(a, 1, 1, 12.5); }, 1,
     "00:00-06:00 17, 06:00-24:00 20.5", "00:00-06:00 17, 06:00-24:00 12.5"},
    {"ExactValues",
     [](TScheduleDocument& d, THeatingLocation& a) {
         return d.SetPeriodValues(a, 1, 1, TimeOf(7, 20), 24.5);
     },
     1, "00:00-06:00 17, 06:00-24:00 20.5", "00:00-07:20 17, 07:20-24:00 24.5"},
    {"ExactValuesOfTheFirstPeriodKeepItsStart",
     [](TScheduleDocument& d, THeatingLocation& a) {
         return d.SetPeriodValues(a, 1, 0, TimeOf(3, 0), 5);
     },
     1, "00:00-06:00 17, 06:00-24:00 20.5", "00:00-06:00 5, 06:00-24:00 20.5"},
    {"Split",
     [](TScheduleDocument& d, THeatingLocation& a) {
         return d.SplitPeriod(a, 1, 1, TimeOf(15, 0));
     },
     1, "00:00-06:00 17, 06:00-24:00 20.5", "00:00-06:00 17, 06:00-15:00 20.5, 15:00-24:00 20.5"},
    {"Delete", [](TScheduleDocument& d, THeatingLocation& a) { return d.DeletePeriod(a, 1, 1); }, 1,
     "00:00-06:00 17, 06:00-24:00 20.5", "00:00-24:00 17"},
    {"CopyToSeveralDays",
     [](TScheduleDocument& d, THeatingLocation& a) {
         return d.CopyDay(a, 1, {1, 2, 6});
     },
     6, "00:00-24:00 17", "00:00-06:00 17, 06:00-24:00 20.5"},
    {"PutBackAProgram",
     [](TScheduleDocument& d, THeatingLocation& a) {
         return d.SetProgram(
             a, *Location("A", Monday, "00:00-12:00 5, 12:00-24:00 21", "00:00-24:00 17"));
     },
     1, "00:00-06:00 17, 06:00-24:00 20.5", "00:00-12:00 5, 12:00-24:00 21"},
    {"AddTakesAFreeName",
     [](TScheduleDocument& d, THeatingLocation&) {
         return d.AddLocation(Location("B", "00:00-24:00 5", "00:00-24:00 5", "00:00-24:00 5"));
     },
     -1, "A,B", "A,B,B1"},
    {"Duplicate",
     [](TScheduleDocument& d, THeatingLocation& a) { return d.DuplicateLocation(a) != nullptr; },
     -1, "A,B", "A,B,A1"},
    // Undo puts it back in its place in the file order, with its program.
    {"Remove",
     [](TScheduleDocument& d, THeatingLocation& a) {
         d.RemoveLocation(a);
         return true;
     },
     -1, "A,B", "B"},
    {"Rename",
     [](TScheduleDocument& d, THeatingLocation& a) { return d.RenameLocation(a, "Kitchen"); }, -1,
     "A,B", "Kitchen,B"},
};

INSTANTIATE_TEST_SUITE_P(Document, EveryEdit, testing::ValuesIn(EditCases),
                         [](const testing::TestParamInfo<TEditCase>& info) {
                             return info.param.Name;
                         });

// Calls that would change nothing make no step.
struct TRefusedCase {
    const char* Name;
    std::function<bool(TScheduleDocument&, THeatingLocation& a)> Edit;
};

class RefusedEdit : public DocumentTest, public testing::WithParamInterface<TRefusedCase> {};

TEST_P(RefusedEdit, ChangesNothingAndMakesNoStep) {
    const std::string before = State();
    EXPECT_FALSE(GetParam().Edit(Document, A()));
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Document.UndoStack().count(), 0);
    EXPECT_FALSE(Document.Modified());
}

const TRefusedCase RefusedCases[] = {
    {"FirstPeriodStartsAtMidnight",
     [](TScheduleDocument& d, THeatingLocation& a) {
         return d.MovePeriodStart(a, 0, 0, TimeOf(1, 0));
     }},
    {"SameTemperature",
     [](TScheduleDocument& d, THeatingLocation& a) { return d.SetTemperature(a, 1, 1, 20.5); }},
    {"LastPeriodOfADay",
     [](TScheduleDocument& d, THeatingLocation& a) { return d.DeletePeriod(a, 2, 0); }},
    {"NoSuchPeriod",
     [](TScheduleDocument& d, THeatingLocation& a) { return d.DeletePeriod(a, 1, 2); }},
    {"NoSuchDay",
     [](TScheduleDocument& d, THeatingLocation& a) { return d.SetTemperature(a, 7, 0, 12); }},
    {"CopyOntoItself",
     [](TScheduleDocument& d, THeatingLocation& a) { return d.CopyDay(a, 1, {1}); }},
    {"SameProgram",
     [](TScheduleDocument& d, THeatingLocation& a) { return d.SetProgram(a, *a.Clone()); }},
    {"SameName",
     [](TScheduleDocument& d, THeatingLocation& a) { return d.RenameLocation(a, "A"); }},
};

INSTANTIATE_TEST_SUITE_P(Document, RefusedEdit, testing::ValuesIn(RefusedCases),
                         [](const testing::TestParamInfo<TRefusedCase>& info) {
                             return info.param.Name;
                         });

TEST_F(DocumentTest, MovesOfOnePeriodInARunAreOneStep) {
    for (const int minutes : {9 * 60 + 10, 9 * 60 + 20, 9 * 60 + 30})
        Document.MovePeriodStart(A(), 0, 2, TimeOf(0, minutes), true);
    EXPECT_EQ(Document.UndoStack().count(), 1);
    Document.MovePeriodStart(A(), 0, 3, TimeOf(17, 10), true); // another period
    Document.SetTemperature(A(), 0, 3, 22);                    // another kind of step
    Document.MovePeriodStart(A(), 0, 3, TimeOf(17, 20), true);
    EXPECT_EQ(Document.UndoStack().count(), 4);
    for (int i = 0; i < 4; ++i)
        Document.Undo();
    EXPECT_EQ(DayText(A().Days(0)), Monday);
    EXPECT_FALSE(Document.Modified());
}

TEST_F(DocumentTest, ModifiedIsTheDistanceFromTheStateLastSavedOrLoaded) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zeft");
    Document.SetTemperature(A(), 1, 1, 22);
    ASSERT_TRUE(Document.SaveAs(path).Ok());
    EXPECT_EQ(Document.FileName(), path);
    EXPECT_FALSE(Document.Modified());
    Document.SetTemperature(A(), 1, 1, 23);
    EXPECT_TRUE(Document.Modified());
    Document.Undo();
    EXPECT_FALSE(Document.Modified()); // back at what the file holds
    Document.Undo();
    EXPECT_TRUE(Document.Modified());
    Document.Redo();
    EXPECT_FALSE(Document.Modified());

    // Loading replaces the locations and starts the history afresh.
    Document.RemoveLocation(A());
    ASSERT_TRUE(Document.Load(path).Ok());
    EXPECT_EQ(DayText(A().Days(1)), "00:00-06:00 17, 06:00-24:00 22");
    EXPECT_EQ(Document.Locations().Count(), 2);
    EXPECT_EQ(Document.UndoStack().count(), 0);
    EXPECT_FALSE(Document.Modified());
    EXPECT_FALSE(Document.FileUnread());
}

TEST_F(DocumentTest, AFileThatCannotBeReadOrWrittenIsReportedAndNothingIsLost) {
    QTemporaryDir dir;
    const QString broken = dir.filePath("broken.zeft");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<HeatingLocations><Loc");
    file.close();
    Document.SetTemperature(A(), 1, 1, 22);
    const std::string changed = State();

    const TFileOutcome read = Document.Load(broken);
    EXPECT_FALSE(read.Ok());
    EXPECT_EQ(State(), changed);
    EXPECT_TRUE(Document.Modified());
    EXPECT_TRUE(Document.FileUnread());
    EXPECT_EQ(Document.FileName(), broken); // tried again at the next start

    EXPECT_FALSE(Document.Load(dir.filePath("missing.zeft")).Ok());
    const TFileOutcome written = Document.SaveAs(dir.filePath("no/such/folder/a.zeft"));
    EXPECT_FALSE(written.Ok());
    EXPECT_FALSE(written.Error.isEmpty());
    EXPECT_TRUE(Document.Modified());
    EXPECT_EQ(State(), changed);
}

// What another process does to the file is seen before a save overwrites it.
struct TDiskCase {
    const char* Name;
    const char* Shell; // run by /bin/sh with the file as $1
    TScheduleDocument::TDiskState State;
};

class FileOnDisk : public DocumentTest, public testing::WithParamInterface<TDiskCase> {};

TEST_P(FileOnDisk, IsComparedWithTheOneLoadedOrSaved) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zeft");
    ASSERT_TRUE(Document.SaveAs(path).Ok());
    ASSERT_TRUE(Document.Load(path).Ok());
    EXPECT_EQ(Document.DiskState(), TScheduleDocument::TDiskState::Same);
    QProcess other;
    other.start("/bin/sh", {"-c", GetParam().Shell, "sh", path});
    ASSERT_TRUE(other.waitForFinished());
    ASSERT_EQ(other.exitCode(), 0);
    EXPECT_EQ(Document.DiskState(), GetParam().State);
    // What is saved differs from what was loaded: it is the saved file that is remembered.
    ASSERT_TRUE(Document.SetTemperature(A(), 1, 1, 23.5));
    ASSERT_TRUE(Document.Save().Ok());
    EXPECT_EQ(Document.DiskState(), TScheduleDocument::TDiskState::Same);
}

INSTANTIATE_TEST_SUITE_P(
    OtherProcess, FileOnDisk,
    testing::Values(
        TDiskCase{"Untouched", "true", TScheduleDocument::TDiskState::Same},
        TDiskCase{"TouchedOnly", "touch -d '2001-01-01' \"$1\"",
                  TScheduleDocument::TDiskState::Same},
        TDiskCase{"CopiedBackUnchanged", "cp \"$1\" \"$1.new\" && mv \"$1.new\" \"$1\"",
                  TScheduleDocument::TDiskState::Same},
        TDiskCase{"ReplacedByRename", "printf '<x/>' > \"$1.new\" && mv \"$1.new\" \"$1\"",
                  TScheduleDocument::TDiskState::Changed},
        TDiskCase{"WrittenInPlace", "printf ' ' >> \"$1\"", TScheduleDocument::TDiskState::Changed},
        TDiskCase{"Removed", "rm \"$1\"", TScheduleDocument::TDiskState::Missing},
        // the save then writes in place, keeping the inode; what it wrote is what is known
        TDiskCase{"WrittenThroughASecondName", "ln \"$1\" \"$1.2\" && printf ' ' >> \"$1.2\"",
                  TScheduleDocument::TDiskState::Changed}),
    [](const testing::TestParamInfo<TDiskCase>& info) { return info.param.Name; });

} // namespace

namespace {

TEST_F(DocumentTest, ReloadIsOneStepThatUndoTakesBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zeft");
    ASSERT_TRUE(Document.SaveAs(path).Ok());
    ASSERT_TRUE(Document.SetTemperature(A(), 0, 0, 25));
    const std::string mine = State();
    {
        TScheduleDocument theirs; // another copy saves the same file
        theirs.AddLocation(Location("C", "00:00-24:00 18", "00:00-24:00 18", "00:00-24:00 18"));
        ASSERT_TRUE(theirs.SaveAs(path).Ok());
    }
    ASSERT_EQ(Document.DiskState(), TScheduleDocument::TDiskState::Changed);

    ASSERT_TRUE(Document.Reload().Ok());
    const std::string theirs = State();
    EXPECT_EQ(theirs.substr(0, 2), "C:");
    EXPECT_FALSE(Document.Modified());
    EXPECT_EQ(Document.DiskState(), TScheduleDocument::TDiskState::Same);
    Document.Undo();
    EXPECT_EQ(State(), mine);
    EXPECT_TRUE(Document.Modified());
    Document.Undo(); // the edit before the reload
    EXPECT_NE(State(), mine);
    Document.Redo();
    Document.Redo();
    EXPECT_EQ(State(), theirs);
    EXPECT_FALSE(Document.Modified());

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(Document.Reload().Ok());
    EXPECT_EQ(State(), theirs);
}

// Each copy of the program registers its file; another process is another copy.
TEST(OpenFileRegistry, TellsOfTheSameFileOpenInAnotherCopy) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.zeft"), b = dir.filePath("b.zeft");
    for (const QString& path : {a, b}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(a, dir.filePath("link.zeft")));
    ASSERT_EQ(::link(QFile::encodeName(a).constData(),
                     QFile::encodeName(dir.filePath("hard.zeft")).constData()),
              0);
    const QString folder = dir.filePath("open");
    TOpenFileRegistry first(folder), second(folder);
    EXPECT_FALSE(first.Hold(a));
    EXPECT_TRUE(second.Hold(dir.filePath("link.zeft"))); // the same file by another name
    EXPECT_TRUE(second.Hold(dir.filePath("hard.zeft"))); // and by a hard link
    EXPECT_FALSE(second.Hold(b));
    first.Release();
    second.Release();

    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TOpenFileRegistry other(folder);
        other.Hold(b);
        (void)!write(ready[1], "x", 1);
        pause(); // holds b until killed: the kernel lets go
        _exit(0);
    }
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    EXPECT_TRUE(first.Hold(b));
    first.Release();
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(first.Hold(b));
    close(ready[0]);
    close(ready[1]);
}

} // namespace
