#include "MainFormFixture.h"
#include "zeft_ScheduleFile.h"
#include "zeft_Templates.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>

using namespace zeft;
using namespace zeft::test;

namespace {

const std::vector<std::string> SortedTemplateNames = {"Bathroom",
                                                      "Bedroom",
                                                      "Hall",
                                                      "Kitchen",
                                                      "Living room",
                                                      "Office 5 1/2 business days",
                                                      "Office 5 business days",
                                                      "Office 7 business days",
                                                      "Playroom"};

void WriteSchedule(const QString& path, const std::vector<std::pair<int, std::string>>& locations) {
    THeatingLocations collection;
    for (const auto& [templateIndex, name] : locations) {
        auto location = CreateTemplateLocation(templateIndex, nullptr);
        location->DisplayText = name;
        collection.Add(std::move(location));
    }
    collection.SaveToFile(path.toStdString());
}

} // namespace

TEST_F(MainFormTest, FirstStartShowsTheNineTemplatesSortedWithTheFirstOneShown) {
    Start();
    EXPECT_EQ(ListCaptions(), SortedTemplateNames);
    EXPECT_EQ(CollectionNames(),
              (std::vector<std::string>{"Living room", "Bedroom", "Playroom", "Kitchen", "Bathroom",
                                        "Hall", "Office 5 business days",
                                        "Office 5 1/2 business days", "Office 7 business days"}));
    EXPECT_EQ(CurrentName(), "Bathroom");
    EXPECT_EQ(Form->paCurrentSchemeDisplayText->text(), "Bathroom");
    EXPECT_FALSE(Form->Modified());
    EXPECT_FALSE(Command("FileSave")->isEnabled());
    EXPECT_TRUE(Command("FileSaveAs")->isEnabled());
    EXPECT_FALSE(Command("SchemeTransmit")->isEnabled());
    EXPECT_FALSE(Command("SplitSingleInterval")->isEnabled());
    EXPECT_TRUE(Form->CurrentFileName().isEmpty());
    ASSERT_EQ(Form->lbDays->count(), 7);
    EXPECT_EQ(Form->lbDays->item(0)->text(), "Monday");
    EXPECT_EQ(Form->lbDays->item(6)->text(), "Sunday");
    // the rows show Bathroom: weekdays with five periods, the weekend with five
    for (int d = 0; d < 7; ++d)
        EXPECT_EQ(Form->DayRow(d)->Intervals(), &Form->CurrentLocation()->Days(d));
    EXPECT_EQ(Form->DayRow(0)->Sliders().Count(), 5);
    EXPECT_EQ(Form->windowTitle(), "Heating Controller Configuration Software");
}

TEST_F(MainFormTest, CommandsCarryTheirNamesShortcutsAndTexts) {
    Start();
    const std::vector<std::tuple<const char*, QKeySequence, QString>> expected = {
        {"FileOpen", {}, "&Open..."},
        {"FileSave", {}, "&Save"},
        {"FileSaveAs", {}, "Save &As..."},
        {"FileExit", QKeySequence(Qt::CTRL | Qt::Key_Q), "E&xit"},
        {"SchemeAdd", {}, "&Add"},
        {"SchemeAddTemplate1", {}, "Template Living room"},
        {"SchemeAddTemplate8", {}, "Template Office 5 1/2 business days"},
        {"SchemeRemove", {}, "&Remove"},
        {"SchemePrint", QKeySequence(Qt::CTRL | Qt::Key_P), "&Print..."},
        {"SchemePrintAll", {}, "Print a&ll..."},
        {"SchemePrintPreview", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), "Print pre&view..."},
        {"SchemeExportPdf", QKeySequence(Qt::CTRL | Qt::Key_E), "&Export as PDF..."},
        {"SchemeTransmit", QKeySequence(Qt::CTRL | Qt::Key_T), "&Submit"},
        {"HelpContents", QKeySequence(Qt::Key_F1), "&Contents"},
        {"HelpLanguageGerman", {}, "Deutsch"},
        {"HelpLanguageEnglish", {}, "English"},
        {"HelpLanguageFrench", {}, "Fran\u00e7ais"},
        {"HelpAbout", {}, "&About Heating Controller Configuration Software"},
        {"SplitSingleInterval", {}, "Insert"},
    };
    for (const auto& [name, shortcut, text] : expected) {
        QAction* action = Command(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->shortcut(), shortcut) << name;
        EXPECT_EQ(action->text(), text) << name;
    }
    EXPECT_EQ(Form->btnSplitInterval->text(), "Insert");
    EXPECT_EQ(Form->btnTransmit->text(), "&Submit");
}

TEST_F(MainFormTest, StartWithAStoredLastFileShowsItsLocations) {
    const QString path = FSettingsDir.filePath("rooms.zeft");
    WriteSchedule(path, {{2, "Zimmer"}, {4, "Atelier"}});
    Settings.WriteLastFile(path);
    Start();
    EXPECT_EQ(ListCaptions(), (std::vector<std::string>{"Atelier", "Zimmer"}));
    EXPECT_EQ(CollectionNames(), (std::vector<std::string>{"Zimmer", "Atelier"}));
    EXPECT_EQ(CurrentName(), "Atelier");
    EXPECT_EQ(Form->CurrentFileName(), path);
    EXPECT_TRUE(Command("FileSave")->isEnabled());
    EXPECT_FALSE(Form->Modified());
}

TEST_F(MainFormTest, AStoredLastFileThatIsMissingStillBecomesTheFileName) {
    const QString path = FSettingsDir.filePath("gone.zeft");
    Settings.WriteLastFile(path);
    Start();
    EXPECT_EQ(ListCaptions(), SortedTemplateNames);
    EXPECT_EQ(Form->CurrentFileName(), path);
    EXPECT_TRUE(Command("FileSave")->isEnabled());
    EXPECT_FALSE(Form->Modified());
}

TEST_F(MainFormTest, AStoredLastFileThatCannotBeReadIsNeverOverwritten) {
    const QString path = FSettingsDir.filePath("broken.zeft");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<heatingLocations><heatingLocations/>"); // truncated by some accident
    file.close();
    Settings.WriteLastFile(path);
    Start();
    EXPECT_EQ(ListCaptions(), SortedTemplateNames);
    EXPECT_TRUE(Form->CurrentFileName().isEmpty());
    EXPECT_FALSE(Command("FileSave")->isEnabled());
    // saving on close asks for a name instead of writing over the file
    Form->CurrentLocation()->Days(0).Items(0).SetStop(TimeOf(3, 0));
    NextAnswer = QMessageBox::Yes;
    NextFile = std::nullopt;
    EXPECT_FALSE(Form->close());
    ASSERT_EQ(FileSaving.size(), 1u);
    EXPECT_TRUE(FileSaving[0]);
    QFile again(path);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("<heatingLocations><heatingLocations/>"));
}

TEST_F(MainFormTest, AddingATemplateThreeTimesNumbersTheNamesAndShowsEachNewLocation) {
    Start();
    for (const char* expected : {"Living room1", "Living room2", "Living room3"}) {
        Command("SchemeAddTemplate1")->trigger();
        EXPECT_EQ(CurrentName(), expected);
        EXPECT_EQ(Form->lvLocations->currentItem()->text().toStdString(), expected);
        EXPECT_EQ(Form->paCurrentSchemeDisplayText->text().toStdString(), expected);
    }
    EXPECT_EQ(Form->Locations().Count(), 12);
    EXPECT_TRUE(Form->Modified());
    Command("SchemeAdd")->trigger();
    EXPECT_EQ(CurrentName(), "Unnamed");
}

TEST_F(MainFormTest, RemovingTheShownLocationShowsTheNextOne) {
    Start();
    SelectLocation("Hall");
    EXPECT_EQ(CurrentName(), "Hall");
    Command("SchemeRemove")->trigger();
    EXPECT_EQ(CurrentName(), "Kitchen");
    EXPECT_EQ(Form->lvLocations->currentItem()->text(), "Kitchen");
    EXPECT_EQ(Form->DayRow(0)->Intervals(), &Form->CurrentLocation()->Days(0));
    EXPECT_EQ(ListItem("Hall"), nullptr);
    EXPECT_EQ(Form->Locations().Count(), 8);
    EXPECT_TRUE(Form->Modified());
    SelectLocation("Playroom"); // the last in the list: the one before takes its place
    Command("SchemeRemove")->trigger();
    EXPECT_EQ(CurrentName(), "Office 7 business days");
}

TEST_F(MainFormTest, RemovingEveryLocationLeavesNothingShownPrintedOrTransmitted) {
    Start();
    while (Form->lvLocations->count() > 0)
        Command("SchemeRemove")->trigger();
    EXPECT_EQ(Form->CurrentLocation(), nullptr);
    EXPECT_FALSE(Command("FileSaveAs")->isEnabled());
    EXPECT_FALSE(Command("FileSave")->isEnabled());
    EXPECT_FALSE(Command("SchemePrint")->isEnabled());
    EXPECT_FALSE(Command("SchemePrintPreview")->isEnabled());
    EXPECT_FALSE(Command("SchemeTransmit")->isEnabled());
    EXPECT_TRUE(Form->paCurrentSchemeDisplayText->text().isEmpty());
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(Form->DayRow(d)->Intervals(), nullptr);
        EXPECT_EQ(Form->DayRow(d)->Sliders().Count(), 0);
    }
    Command("SchemePrint")->trigger();
    EXPECT_TRUE(Printed.empty());
    Command("FileSave")->trigger(); // Save As is disabled: nothing happens
    EXPECT_TRUE(FileSaving.empty());
    Command("SchemeAdd")->trigger();
    EXPECT_EQ(CurrentName(), "Unnamed");
    EXPECT_TRUE(Command("SchemePrint")->isEnabled());
}

TEST_F(MainFormTest, RenamingInPlaceRenamesTheShownLocation) {
    Start();
    SelectLocation("Kitchen");
    ListItem("Kitchen")->setText("Bedroom"); // the name of another location is accepted
    EXPECT_EQ(Form->CurrentLocation()->DisplayText, "Bedroom");
    EXPECT_EQ(Form->paCurrentSchemeDisplayText->text(), "Bedroom");
    EXPECT_TRUE(Form->Modified());
    EXPECT_EQ(Form->lvLocations->findItems("Bedroom", Qt::MatchExactly).size(), 2);
}

TEST_F(MainFormTest, SaveAsThenSaveWriteTheFileAndClearTheModifiedFlag) {
    Start();
    Command("SchemeAddTemplate2")->trigger();
    ASSERT_TRUE(Form->Modified());
    const QString path = FSettingsDir.filePath("saved.zeft");
    NextFile = path;
    EXPECT_FALSE(Command("FileSave")->isEnabled()); // no name yet
    Command("FileSaveAs")->trigger();
    ASSERT_EQ(FileSaving, std::vector<bool>{true});
    EXPECT_EQ(Form->CurrentFileName(), path);
    EXPECT_TRUE(Command("FileSave")->isEnabled());
    EXPECT_FALSE(Form->Modified());
    THeatingLocations read;
    TScheduleDocument parsed;
    ParseScheduleFile(path.toStdString(), parsed);
    read.LoadFromXML(parsed.Document);
    EXPECT_EQ(read.Count(), 10);
    EXPECT_EQ(read.Items(9).DisplayText, "Bedroom1");

    Form->CurrentLocation()->Days(0).Items(0).SetStop(TimeOf(5, 0));
    EXPECT_TRUE(Form->Modified());
    Command("FileSave")->trigger();
    EXPECT_FALSE(Form->Modified());
    EXPECT_EQ(FileSaving.size(), 1u); // no second dialog
}

TEST_F(MainFormTest, AFailedSaveShowsTheErrorAndKeepsTheModifiedFlag) {
    Start();
    Command("SchemeAdd")->trigger();
    NextFile = QStringLiteral("/proc/zeft-cannot-write.zeft");
    Command("FileSaveAs")->trigger();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, "Save");
    EXPECT_EQ(Messages[0].Text, "Your data cannot be saved.");
    EXPECT_EQ(Messages[0].Icon, QMessageBox::Critical);
    EXPECT_TRUE(Form->Modified());
    EXPECT_EQ(Form->CurrentFileName(), "/proc/zeft-cannot-write.zeft");
}

TEST_F(MainFormTest, OpeningAFileReplacesTheLocationsWithoutAsking) {
    Start();
    Command("SchemeAdd")->trigger();
    const QString path = FSettingsDir.filePath("other.zeft");
    WriteSchedule(path, {{5, "Bad oben"}, {6, "Diele"}, {1, "Stube"}});
    NextFile = path;
    Command("FileOpen")->trigger();
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(ListCaptions(), (std::vector<std::string>{"Bad oben", "Diele", "Stube"}));
    EXPECT_EQ(CurrentName(), "Bad oben");
    EXPECT_EQ(Form->CurrentFileName(), path);
    EXPECT_FALSE(Form->Modified());
    EXPECT_EQ(Form->DayRow(5)->Intervals(), &Form->CurrentLocation()->Days(5));

    // a file that does not exist keeps what is shown and becomes the file name
    NextFile = FSettingsDir.filePath("new.zeft");
    Command("FileOpen")->trigger();
    EXPECT_EQ(FilePresets.back(), path);
    EXPECT_EQ(ListCaptions(), (std::vector<std::string>{"Bad oben", "Diele", "Stube"}));
    EXPECT_EQ(Form->CurrentFileName(), *NextFile);
    Command("FileSave")->trigger();
    EXPECT_TRUE(QFile::exists(*NextFile));
}

struct CloseCase {
    const char* Name;
    QMessageBox::StandardButton Answer;
    bool Closes;
    bool Saved;
};
class MainFormClosing : public MainFormTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(MainFormClosing, AnswersOfTheSavePrompt) {
    const QString path = FSettingsDir.filePath("prompt.zeft");
    WriteSchedule(path, {{1, "A"}});
    Settings.WriteLastFile(path);
    Start();
    Form->CurrentLocation()->Days(0).Items(0).SetStop(TimeOf(7, 0));
    ASSERT_TRUE(Form->Modified());
    NextAnswer = GetParam().Answer;
    const bool closed = Form->close();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, "Exit");
    EXPECT_EQ(Messages[0].Text, "Settings have been changed. Do you want to save your changes?");
    EXPECT_EQ(Messages[0].Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(closed, GetParam().Closes);
    EXPECT_EQ(Form->Modified(), !GetParam().Saved);
    TScheduleDocument parsed;
    ParseScheduleFile(path.toStdString(), parsed);
    THeatingLocations read;
    read.LoadFromXML(parsed.Document);
    EXPECT_EQ(read.Items(0).Days(0).Items(0).Stop() == TimeOf(7, 0), GetParam().Saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, MainFormClosing,
                         testing::Values(CloseCase{"Yes", QMessageBox::Yes, false, true},
                                         CloseCase{"No", QMessageBox::No, true, false},
                                         CloseCase{"Cancel", QMessageBox::Cancel, false, false}),
                         [](const testing::TestParamInfo<CloseCase>& info) {
                             return info.param.Name;
                         });

TEST_F(MainFormTest, ClosingWritesTheSettingsThatTheNextStartReads) {
    Start();
    Command("HelpLanguageFrench")->trigger();
    const QString path = FSettingsDir.filePath("next.zeft");
    NextFile = path;
    Command("FileSaveAs")->trigger();
    ASSERT_TRUE(Form->close());
    EXPECT_EQ(Settings.ReadLastFile(), path);
    EXPECT_EQ(Settings.ReadLanguageID(), 0x040C);
    EXPECT_EQ(Settings.ReadSublanguageID(), 1);
    Form.reset();

    LanguageID = 9;
    Start();
    EXPECT_EQ(LanguageID, 0x040C);
    EXPECT_EQ(Form->CurrentFileName(), path);
    EXPECT_EQ(Command("FileOpen")->text(), "&Ouvrir...");
    EXPECT_EQ(Form->lbDays->item(0)->text(), "Lundi");
    EXPECT_EQ(Form->Locations().Count(), 9);
    EXPECT_FALSE(Form->Modified());
}

TEST_F(MainFormTest, ClosingWithoutAFileStoresAnEmptyName) {
    Start();
    ASSERT_TRUE(Form->close());
    const QSettings stored(QSettings::NativeFormat, QSettings::UserScope, "Pellwick", "ZEFT");
    EXPECT_TRUE(stored.contains("MRU/a"));
    EXPECT_EQ(stored.value("MRU/a").toString(), "");
    EXPECT_EQ(stored.value("UI/LanguageID").toInt(), 9);
}

TEST_F(MainFormTest, PrintHelpAndAboutCommandsReachTheirWindows) {
    Start();
    SelectLocation("Hall");
    QTest::keyClick(Form.get(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(Printed.size(), 1u);
    EXPECT_EQ(Printed[0], Form->CurrentLocation());
    Command("SchemePrintAll")->trigger();
    ASSERT_EQ(PrintedAll.size(), 1u);
    EXPECT_EQ(PrintedAll[0], &Form->Locations());
    QTest::keyClick(Form.get(), Qt::Key_F1);
    EXPECT_EQ(HelpShown, 1);
    Command("HelpAbout")->trigger();
    EXPECT_EQ(AboutShown, 1);
}

TEST_F(MainFormTest, PreviewShowsTheLocationOnDisplayAndExportWritesAllWhereTheUserSays) {
    Start();
    SelectLocation("Hall");
    QTest::keyClick(Form.get(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(Previewed.size(), 1u);
    EXPECT_EQ(Previewed[0]->DisplayText, "Hall");
    EXPECT_TRUE(Printed.empty());

    // Cancelled: nothing is written.
    NextFile.reset();
    QTest::keyClick(Form.get(), Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(FileSaving.size(), 1u);
    EXPECT_TRUE(FileSaving[0]);
    EXPECT_EQ(FileFilters[0], "PDF documents (*.pdf)|*.pdf|All files (*.*)|*.*");
    EXPECT_EQ(FilePresets[0], "Heating Profiles.pdf") << "no file yet: named after the report";
    EXPECT_TRUE(Exported.empty());

    const QString pdf = FSettingsDir.filePath("week.pdf");
    NextFile = pdf;
    Command("SchemeExportPdf")->trigger();
    ASSERT_EQ(Exported.size(), 1u);
    EXPECT_EQ(Exported[0].first, &Form->Locations());
    EXPECT_EQ(Exported[0].second, pdf);
    EXPECT_FALSE(Form->Modified());
}

TEST_F(MainFormTest, ExportOffersAPdfBesideTheScheduleFileInTheRealDialog) {
    const QString path = FSettingsDir.filePath("rooms.zeft");
    WriteSchedule(path, {{2, "Zimmer"}});
    Settings.WriteLastFile(path);
    Start();
    TDialogs::FileHook = nullptr;
    QString suffix, selected;
    QStringList filters;
    std::function<void()> answer = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(10, answer);
            return;
        }
        suffix = dialog->defaultSuffix();
        filters = dialog->nameFilters();
        selected = dialog->selectedFiles().value(0);
        dialog->reject();
    };
    QTimer::singleShot(0, answer);
    Command("SchemeExportPdf")->trigger();
    EXPECT_EQ(suffix, "pdf");
    EXPECT_EQ(filters, (QStringList{"PDF documents (*.pdf)", "All files (*.*)"}));
    EXPECT_EQ(selected, FSettingsDir.filePath("rooms.pdf"));
    EXPECT_TRUE(Exported.empty());
}
