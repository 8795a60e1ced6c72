// Unsaved changes that outlive the program: the offer at start and what each answer does.
#include "MainFormFixture.h"
#include "TRecoveryStore.h"
#include "zeft_ScheduleFile.h"
#include "zeft_Templates.h"

#include <QFileInfo>

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

} // namespace
} // namespace zeft::test
