// The recovery copy of unsaved changes: written after a change, gone with the changes, apart
// for every store, offered only once its program has ended, and put back as unsaved changes.
#include "ModelTestSupport.h"
#include "TRecoveryStore.h"
#include "TScheduleDocument.h"
#include "zeft_ScheduleFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace zeft;
using namespace zeft::test;

namespace {

std::unique_ptr<THeatingLocation> Room(const std::string& name) {
    auto location = std::make_unique<THeatingLocation>();
    location->DisplayText = name;
    THeatingLocation::TDays days;
    for (auto& day : days)
        day = Day("00:00-06:00 17, 06:00-24:00 20.5");
    location->SetDays(std::move(days));
    return location;
}

class RecoveryTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        Folder = Dir.filePath("state/zeft/recovery");
    }
    /// A document saved to name with room A, and a store for it.
    std::unique_ptr<TRecoveryStore> Saved(TScheduleDocument& document, const QString& name) {
        document.AddLocation(Room("A"));
        EXPECT_TRUE(document.SaveAs(Dir.filePath(name)).Ok());
        return std::make_unique<TRecoveryStore>(document, Folder);
    }
    static std::string Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    QTemporaryDir Dir;
    QString Folder;
};

struct TAfterCase {
    const char* Name;
    std::function<void(TScheduleDocument&, TRecoveryStore&)> Then;
    bool CopyStays;
};

const TAfterCase AfterCases[] = {
    {"AnotherEdit", [](TScheduleDocument& d, TRecoveryStore&) { d.AddLocation(Room("C")); }, true},
    {"Save", [](TScheduleDocument& d, TRecoveryStore&) { ASSERT_TRUE(d.Save().Ok()); }, false},
    {"UndoBackToTheSavedState", [](TScheduleDocument& d, TRecoveryStore&) { d.Undo(); }, false},
    {"OpeningAFile",
     [](TScheduleDocument& d, TRecoveryStore&) { ASSERT_TRUE(d.Load(d.FileName()).Ok()); }, false},
    {"ChangesGivenUp", [](TScheduleDocument&, TRecoveryStore& s) { s.Remove(); }, false},
};

class RecoveryAfter : public RecoveryTest, public testing::WithParamInterface<TAfterCase> {};

TEST_P(RecoveryAfter, AChangeIsKeptUntilTheChangesAreSavedOrGone) {
    TScheduleDocument document;
    const auto store = Saved(document, "house.zeft");
    EXPECT_FALSE(store->Pending());
    document.AddLocation(Room("B"));
    // Written when the timer runs out, not at once.
    EXPECT_TRUE(store->Pending());
    EXPECT_TRUE(QDir(Folder).entryList(QDir::Files).isEmpty());
    ASSERT_TRUE(store->Flush());
    const QString copy = store->CopyPath();
    ASSERT_FALSE(copy.isEmpty());
    EXPECT_EQ(Bytes(copy), ScheduleFileBytes(document.Locations()));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(Folder).permissions() & others, QFile::Permissions()) << "the user's alone";

    GetParam().Then(document, *store);
    EXPECT_EQ(QFileInfo::exists(copy), GetParam().CopyStays);
    store->Flush();
    EXPECT_EQ(QFileInfo::exists(copy), GetParam().CopyStays);
    if (GetParam().CopyStays) {
        EXPECT_EQ(Bytes(copy), ScheduleFileBytes(document.Locations()));
    }
}

INSTANTIATE_TEST_SUITE_P(Changes, RecoveryAfter, testing::ValuesIn(AfterCases),
                         [](const testing::TestParamInfo<TAfterCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(RecoveryTest, CopiesAreApartAndOfferedOnlyOnceTheirOwnerHasEnded) {
    TScheduleDocument first, second, third;
    auto a = Saved(first, "a.zeft");
    auto b = Saved(second, "b.zeft");
    auto c = std::make_unique<TRecoveryStore>(third, Folder); // untitled
    for (TScheduleDocument* document : {&first, &second, &third})
        document->AddLocation(Room("New"));
    for (TRecoveryStore* store : {a.get(), b.get(), c.get()})
        ASSERT_TRUE(store->Flush());
    EXPECT_NE(a->CopyPath(), b->CopyPath());
    EXPECT_NE(b->CopyPath(), c->CopyPath());
    EXPECT_TRUE(TRecoveryStore::Orphans(Folder).empty()) << "their owners still run";

    const QString copyOfA = a->CopyPath(), copyOfC = c->CopyPath();
    a.reset();
    c.reset();
    std::vector<TRecoveryCopy> orphans = TRecoveryStore::Orphans(Folder);
    ASSERT_EQ(orphans.size(), 2u);
    if (orphans[0].CopyPath != copyOfC) // written within the same millisecond
        std::swap(orphans[0], orphans[1]);
    EXPECT_EQ(orphans[0].CopyPath, copyOfC);
    EXPECT_EQ(orphans[0].FileName, QString());
    EXPECT_EQ(orphans[1].CopyPath, copyOfA);
    EXPECT_EQ(orphans[1].FileName, Dir.filePath("a.zeft"));
    EXPECT_TRUE(orphans[0].Written.isValid());
    EXPECT_TRUE(TRecoveryStore::Orphans(Folder).empty()) << "held while being offered";

    TRecoveryStore::Discard(orphans[0]);
    orphans.clear();
    orphans = TRecoveryStore::Orphans(Folder);
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].CopyPath, copyOfA);
    EXPECT_FALSE(QFileInfo::exists(copyOfC));
}

struct TDiskCase {
    const char* Name;
    std::function<void(const QString& file)> Meanwhile;
    TScheduleDocument::TDiskState State;
};

const TDiskCase DiskCases[] = {
    {"Untouched", [](const QString&) {}, TScheduleDocument::TDiskState::Same},
    {"ChangedByAnotherProgram",
     [](const QString& file) {
         THeatingLocations theirs;
         theirs.Add(Room("Theirs"));
         theirs.SaveToFile(file.toStdString());
     },
     TScheduleDocument::TDiskState::Changed},
    {"Deleted", [](const QString& file) { QFile::remove(file); },
     TScheduleDocument::TDiskState::Missing},
};

class RecoveryRestore : public RecoveryTest, public testing::WithParamInterface<TDiskCase> {};

TEST_P(RecoveryRestore, TheCopyComesBackAsUnsavedChangesOfItsFile) {
    std::string kept;
    {
        TScheduleDocument document;
        const auto store = Saved(document, "house.zeft");
        document.RenameLocation(document.Locations().Items(0), "Kitchen");
        ASSERT_TRUE(store->Flush());
        kept = ScheduleFileBytes(document.Locations());
    }
    const QString file = Dir.filePath("house.zeft");
    GetParam().Meanwhile(file);
    std::vector<TRecoveryCopy> orphans = TRecoveryStore::Orphans(Folder);
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].FileName, file);

    TScheduleDocument restored;
    ASSERT_TRUE(
        restored.Recover(orphans[0].CopyPath, orphans[0].FileName, orphans[0].DiskDigest).Ok());
    EXPECT_EQ(ScheduleFileBytes(restored.Locations()), kept);
    EXPECT_EQ(restored.FileName(), file);
    EXPECT_TRUE(restored.Modified());
    EXPECT_EQ(restored.DiskState(), GetParam().State);
}

INSTANTIATE_TEST_SUITE_P(FileMeanwhile, RecoveryRestore, testing::ValuesIn(DiskCases),
                         [](const testing::TestParamInfo<TDiskCase>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
