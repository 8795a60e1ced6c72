#include "MainFormFixture.h"
#include "TFileNotice.h"
#include "TOpenFileRegistry.h"
#include "TScheduleFileError.h"
#include "zeft_ScheduleFile.h"
#include "zeft_Templates.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
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
        {"FileOpen", QKeySequence(Qt::CTRL | Qt::Key_O), "&Open..."},
        {"FileSave", QKeySequence(Qt::CTRL | Qt::Key_S), "&Save"},
        {"FileSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "Save &As..."},
        {"FileExit", QKeySequence(Qt::CTRL | Qt::Key_Q), "E&xit"},
        {"EditUndo", QKeySequence(Qt::CTRL | Qt::Key_Z), "&Undo"},
        {"EditRedo", QKeySequence(Qt::CTRL | Qt::Key_Y), "&Redo"},
        {"SchemeDuplicate", QKeySequence(Qt::CTRL | Qt::Key_D), "&Duplicate"},
        {"SchemeAdd", {}, "&Add"},
        {"SchemeAddTemplate1", {}, "Template Living room"},
        {"SchemeAddTemplate8", {}, "Template Office 5 1/2 business days"},
        {"SchemeRemove", {}, "&Remove"},
        {"SchemePrint", QKeySequence(Qt::CTRL | Qt::Key_P), "&Print..."},
        {"SchemePrintAll", {}, "Print a&ll..."},
        {"SchemePrintPreview", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), "Print pre&view..."},
        {"SchemeExportPdf", QKeySequence(Qt::CTRL | Qt::Key_E), "&Export as PDF..."},
        {"SchemeTransmit", QKeySequence(Qt::CTRL | Qt::Key_T), "&Submit"},
        {"SchemeTransmitSeveral", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T),
         "Send se&veral rooms..."},
        {"SchemeTransmitCancel", {}, "&Cancel transfer"},
        {"SchemeRestoreSent", {}, "Restore the program last s&ent"},
        {"SchemeTransferLog", {}, "Transfer &history..."},
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

namespace {

// The menus as the user sees them, item by item: a command by its objectName, "-" for a
// separator, a submenu by its objectName (its items follow in a line of their own). A menu that
// gains a command gains it here.
const std::vector<std::pair<const char*, std::vector<const char*>>> MenuItems = {
    {"miFile", {"FileOpen", "FileSave", "FileSaveAs", "-", "FileExit"}},
    {"miEdit", {"EditUndo", "EditRedo"}},
    {"miScheme",
     {"SchemeAdd",
      "SchemeAddTemplate1",
      "SchemeAddTemplate2",
      "SchemeAddTemplate3",
      "SchemeAddTemplate4",
      "SchemeAddTemplate5",
      "SchemeAddTemplate6",
      "SchemeAddTemplate7",
      "SchemeAddTemplate8",
      "SchemeAddTemplate9",
      "-",
      "SchemeDuplicate",
      "SchemeRemove",
      "-",
      "SchemePrint",
      "SchemePrintAll",
      "SchemePrintPreview",
      "SchemeExportPdf",
      "-",
      "SchemeTransmit",
      "SchemeTransmitSeveral",
      "SchemeTransmitCancel",
      "SchemeRestoreSent",
      "SchemeTransferLog"}},
    {"miHelp", {"HelpContents", "miHelpLanguage", "-", "HelpAbout"}},
    {"miHelpLanguage", {"HelpLanguageGerman", "HelpLanguageEnglish", "HelpLanguageFrench"}},
};
// The menu bar from left to right.
const std::vector<const char*> MenuBarMenus = {"miFile", "miEdit", "miScheme", "miHelp"};

std::vector<std::string> ItemsOf(const QMenu* menu) {
    std::vector<std::string> items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            items.push_back("-");
        else if (action->menu())
            items.push_back(action->menu()->objectName().toStdString());
        else
            items.push_back(action->objectName().toStdString());
    }
    return items;
}

} // namespace

TEST_F(MainFormTest, MenusHoldTheirCommandsInOrderWithTheirSeparators) {
    Start();
    std::vector<std::string> bar;
    for (const QAction* action : Form->findChild<QMenuBar*>()->actions())
        bar.push_back(action->menu() ? action->menu()->objectName().toStdString() : "?");
    EXPECT_EQ(bar, std::vector<std::string>(MenuBarMenus.begin(), MenuBarMenus.end()));
    for (const auto& [name, expected] : MenuItems) {
        const QMenu* menu = Form->findChild<QMenu*>(QLatin1String(name));
        ASSERT_NE(menu, nullptr) << name;
        EXPECT_EQ(ItemsOf(menu), std::vector<std::string>(expected.begin(), expected.end()))
            << name;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator() && !action->menu()) {
                EXPECT_EQ(action, Form->Command(action->objectName())) << "a copy of a command";
            }
        }
    }
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

namespace {

struct UnreadableCase {
    const char* Name;
    const char* Content; // nullptr: the file does not exist
    TLanguageId Language;
    const char* Caption;
    const char* Intro;  // the message box text up to the reader's message
    const char* Reason; // nullptr: the reader's own message, which names the line
};

const UnreadableCase UnreadableFiles[] = {
    {"Truncated", "<heatingLocations><heatingLocations/>", 9, "Open",
     "The file \"%1\" cannot be read.\n\n", nullptr},
    {"WrongContent",
     "<?xml version=\"1.0\"?>\n<heatingLocations>\n<heatingLocation/>\n"
     "</heatingLocations>\n",
     9, "Open", "The file \"%1\" cannot be read.\n\n", nullptr},
    {"Missing", nullptr, 9, "Open", "The file \"%1\" cannot be read.\n\n",
     "The file does not exist."},
    {"GermanTruncated", "<heatingLocations>", 0x0407, "\u00d6ffnen",
     "Die Datei \u201e%1\u201c kann nicht gelesen werden.\n\n", nullptr},
    {"FrenchMissing", nullptr, 0x040C, "Ouvrir",
     "Le fichier \u00ab %1 \u00bb ne peut pas \u00eatre lu.\n\n", "Le fichier n'existe pas."},
};

/// Writes the case's file at path (or none) and gives the message box text it must cause.
QString PrepareUnreadable(const UnreadableCase& c, const QString& path) {
    if (c.Content) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.Content);
    }
    QString reason = QString::fromUtf8(c.Reason ? c.Reason : "");
    if (!c.Reason) {
        try {
            TParsedScheduleFile parsed;
            ParseScheduleFile(path.toStdString(), parsed);
            THeatingLocations read;
            read.LoadFromXML(parsed.Document, &parsed.Lines);
            ADD_FAILURE() << "the file of case " << c.Name << " can be read";
        } catch (const TScheduleFileError& error) {
            reason = QString::fromUtf8(error.what());
        }
        EXPECT_TRUE(reason.startsWith("Line ")) << reason.toStdString();
    }
    return QString::fromUtf8(c.Intro).arg(path) + reason;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class MainFormUnreadable : public MainFormTest,
                           public testing::WithParamInterface<UnreadableCase> {};

TEST_P(MainFormUnreadable, AtStartItIsExplainedOnceTheWindowIsShownAndNeverOverwritten) {
    const UnreadableCase& c = GetParam();
    const QString path = FSettingsDir.filePath("broken k\u00fcche.zeft");
    const QString expected = PrepareUnreadable(c, path);
    const QByteArray before = FileBytes(path);
    Settings.WriteLastFile(path);
    Settings.WriteLanguageID(c.Language);
    std::vector<bool> visibleWhenShown;
    TDialogs::MessageHook = [this, &visibleWhenShown](const TDialogs::TMessageRequest& request) {
        visibleWhenShown.push_back(Form && Form->isVisible());
        Messages.push_back(request);
        return NextAnswer;
    };
    Start();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Messages.empty(); }, 2000));
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(visibleWhenShown, std::vector<bool>{true});
    EXPECT_EQ(Messages[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(Messages[0].Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(Messages[0].Caption.toStdString(), c.Caption);
    EXPECT_EQ(Messages[0].Text.toStdString(), expected.toStdString());
    EXPECT_EQ(Form->Locations().Count(), 9); // the templates stand in
    EXPECT_FALSE(Form->Modified());
    // the path stays the current file, so that the next start tries it again
    EXPECT_EQ(Form->CurrentFileName(), path);
    EXPECT_TRUE(Command("FileSave")->isEnabled());

    // Save on an existing file that was never read asks for a name, preset with its path.
    ASSERT_TRUE(Form->Document().MovePeriodStart(*Form->CurrentLocation(), 0, 1, TimeOf(3, 0)));
    NextFile = std::nullopt;
    Command("FileSave")->trigger();
    if (c.Content) {
        ASSERT_EQ(FileSaving, std::vector<bool>{true});
        EXPECT_EQ(FilePresets[0], path);
        EXPECT_EQ(FileBytes(path), before);
        EXPECT_TRUE(Form->Modified());
        NextAnswer = QMessageBox::No;
    } else {
        // nothing to overwrite: the locations on screen become the file
        EXPECT_TRUE(FileSaving.empty());
        EXPECT_FALSE(Form->Modified());
        EXPECT_TRUE(QFile::exists(path));
    }
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(Settings.ReadLastFile(), path);
}

INSTANTIATE_TEST_SUITE_P(Files, MainFormUnreadable, testing::ValuesIn(UnreadableFiles),
                         [](const testing::TestParamInfo<UnreadableCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(MainFormTest, SaveAsOverAFileThatCouldNotBeReadWritesItWhenTheUserChoosesIt) {
    const QString path = FSettingsDir.filePath("broken.zeft");
    PrepareUnreadable(UnreadableFiles[0], path);
    Settings.WriteLastFile(path);
    Start();
    NextFile = path; // the preset confirmed: the user means it
    Command("FileSave")->trigger();
    ASSERT_EQ(FileSaving, std::vector<bool>{true});
    EXPECT_FALSE(Form->Modified());
    TParsedScheduleFile parsed;
    ParseScheduleFile(path.toStdString(), parsed);
    THeatingLocations read;
    read.LoadFromXML(parsed.Document);
    EXPECT_EQ(read.Count(), 9);
    Command("FileSave")->trigger(); // written by the program now: saved without asking
    EXPECT_EQ(FileSaving.size(), 1u);
}

TEST_F(MainFormTest, AFileNamedOnTheCommandLineIsOpenedInsteadOfTheLastFile) {
    const QString last = FSettingsDir.filePath("last.zeft");
    WriteSchedule(last, {{1, "Last"}});
    Settings.WriteLastFile(last);
    QDir(FSettingsDir.path()).mkpath(QString::fromUtf8("Pläne für Haus"));
    StartFile = FSettingsDir.filePath(QString::fromUtf8("Pläne für Haus/Küche und Bad.zeft"));
    WriteSchedule(*StartFile, {{4, "K\u00fcche"}, {5, "Bad oben"}});
    Start();
    EXPECT_EQ(ListCaptions(), (std::vector<std::string>{"Bad oben", "K\u00fcche"}));
    EXPECT_EQ(Form->CurrentFileName(), *StartFile);
    EXPECT_TRUE(Command("FileSave")->isEnabled());
    EXPECT_FALSE(Form->Modified());
    EXPECT_TRUE(Messages.empty());
    ASSERT_TRUE(Form->close());
    EXPECT_EQ(Settings.ReadLastFile(), *StartFile) << "it is the current file now";
}

TEST_F(MainFormTest, AnUnreadableFileNamedOnTheCommandLineIsExplainedAsByOpen) {
    Settings.WriteLastFile(FSettingsDir.filePath("last.zeft"));
    StartFile = FSettingsDir.filePath(QString::fromUtf8("ein kaputtes H\u00e4uschen.zeft"));
    const QString expected = PrepareUnreadable(UnreadableFiles[0], *StartFile);
    Start();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Messages.empty(); }, 2000));
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, expected);
    EXPECT_EQ(Form->Locations().Count(), 9);
    EXPECT_EQ(Form->CurrentFileName(), *StartFile);
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
    TParsedScheduleFile parsed;
    ParseScheduleFile(path.toStdString(), parsed);
    read.LoadFromXML(parsed.Document);
    EXPECT_EQ(read.Count(), 10);
    EXPECT_EQ(read.Items(9).DisplayText, "Bedroom1");

    ASSERT_TRUE(Form->Document().MovePeriodStart(*Form->CurrentLocation(), 0, 1, TimeOf(5, 0)));
    EXPECT_TRUE(Form->Modified());
    Command("FileSave")->trigger();
    EXPECT_FALSE(Form->Modified());
    EXPECT_EQ(FileSaving.size(), 1u); // no second dialog
}

TEST_F(MainFormTest, AFailedSaveShowsTheErrorAndKeepsTheModifiedFlag) {
    Start();
    Command("SchemeAdd")->trigger();
    const QString path = FSettingsDir.filePath("no/such/folder/rooms.zeft");
    NextFile = path;
    Command("FileSaveAs")->trigger();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, "Save");
    // The reason under the message, in the user's language.
    EXPECT_EQ(Messages[0].Text, "Your data cannot be saved.\n\nThe folder does not exist.");
    EXPECT_EQ(Messages[0].Icon, QMessageBox::Critical);
    EXPECT_TRUE(Form->Modified());
    EXPECT_EQ(Form->CurrentFileName(), path);
}

TEST(SaveFailure, TheUsualCausesAreSaidInTheUsersLanguage) {
    const struct {
        int Error;
        const char* Reason;
    } cases[] = {{ENOSPC, "There is no space left on the drive."},
                 {EDQUOT, "There is no space left on the drive."},
                 {EACCES, "You do not have permission to write there."},
                 {EROFS, "The drive is read-only."},
                 {ELOOP, "A symbolic link on the way to the file was not followed: another user "
                         "placed it in a shared folder, or the links lead round in a circle."},
                 {EIO, "Cannot write \"x\": Input/output error"}};
    for (const auto& c : cases)
        EXPECT_EQ(
            SaveFailureReason({QStringLiteral("Cannot write \"x\": Input/output error"), c.Error}),
            c.Reason);
}

TEST_F(MainFormTest, OpeningAFileWithoutChangesReplacesTheLocationsWithoutAsking) {
    Start();
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

    // a file that does not exist keeps what is shown, says so and becomes the file name
    NextFile = FSettingsDir.filePath("new.zeft");
    Command("FileOpen")->trigger();
    EXPECT_EQ(FilePresets.back(), path);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text,
              "The file \"" + *NextFile + "\" cannot be read.\n\nThe file does not exist.");
    EXPECT_EQ(ListCaptions(), (std::vector<std::string>{"Bad oben", "Diele", "Stube"}));
    EXPECT_EQ(Form->CurrentFileName(), *NextFile);
    Command("FileSave")->trigger();
    EXPECT_TRUE(QFile::exists(*NextFile));
}

struct OpenCase {
    const char* Name;
    QMessageBox::StandardButton Answer;
    bool HasFileName;     // the changes belong to a file (else Save is Save As)
    bool SaveAsConfirmed; // without a file name: the Save As dialog is confirmed
    bool Opens;           // the file dialog is shown and the other file opened
    bool ChangesSaved;
};

const OpenCase OpenCases[] = {
    {"YesSavesThenOpens", QMessageBox::Yes, true, false, true, true},
    {"YesWithSaveAsConfirmedSavesThenOpens", QMessageBox::Yes, false, true, true, true},
    {"YesWithSaveAsCancelledDoesNotOpen", QMessageBox::Yes, false, false, false, false},
    {"NoOpensAndDiscards", QMessageBox::No, true, false, true, false},
    {"CancelDoesNothing", QMessageBox::Cancel, true, false, false, false},
};

class MainFormOpenWithChanges : public MainFormTest,
                                public testing::WithParamInterface<OpenCase> {};

TEST_P(MainFormOpenWithChanges, AsksFirstAndOpensOnlyWhenTheChangesAreDealtWith) {
    const OpenCase& c = GetParam();
    const QString mine = FSettingsDir.filePath("mine.zeft");
    const QString other = FSettingsDir.filePath("other.zeft");
    WriteSchedule(other, {{5, "Bad oben"}});
    if (c.HasFileName) {
        WriteSchedule(mine, {{1, "A"}});
        Settings.WriteLastFile(mine);
    }
    Start();
    const std::string changed = CurrentName();
    ASSERT_TRUE(Form->Document().MovePeriodStart(*Form->CurrentLocation(), 0, 1, TimeOf(7, 0)));
    ASSERT_TRUE(Form->Modified());
    NextAnswer = c.Answer;
    std::vector<bool> dialogs;
    TDialogs::FileHook = [&](const QString&, const QString&, bool saving) {
        dialogs.push_back(saving);
        return saving ? (c.SaveAsConfirmed ? std::optional<QString>(mine) : std::nullopt)
                      : std::optional<QString>(other);
    };
    Command("FileOpen")->trigger();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Icon, QMessageBox::Question);
    EXPECT_EQ(Messages[0].Caption, "Open");
    EXPECT_EQ(Messages[0].Text, "Settings have been changed. Do you want to save your changes?");
    EXPECT_EQ(Messages[0].Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    std::vector<bool> expectedDialogs;
    if (c.Answer == QMessageBox::Yes && !c.HasFileName)
        expectedDialogs.push_back(true);
    if (c.Opens)
        expectedDialogs.push_back(false);
    EXPECT_EQ(dialogs, expectedDialogs);
    EXPECT_EQ(ListCaptions().front(), c.Opens ? "Bad oben" : c.HasFileName ? "A" : "Bathroom");
    EXPECT_EQ(Form->Modified(), !c.Opens);
    bool saved = false;
    if (QFile::exists(mine)) {
        TParsedScheduleFile parsed;
        ParseScheduleFile(mine.toStdString(), parsed);
        THeatingLocations read;
        read.LoadFromXML(parsed.Document);
        for (int i = 0; i < read.Count(); ++i)
            if (read.Items(i).DisplayText == changed)
                saved = read.Items(i).Days(0).Items(0).Stop() == TimeOf(7, 0);
    }
    EXPECT_EQ(saved, c.ChangesSaved);
}

INSTANTIATE_TEST_SUITE_P(Answers, MainFormOpenWithChanges, testing::ValuesIn(OpenCases),
                         [](const testing::TestParamInfo<OpenCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(MainFormTest, AnOpenThatFailsKeepsTheUnsavedChanges) {
    Start();
    ASSERT_TRUE(Form->Document().MovePeriodStart(*Form->CurrentLocation(), 0, 1, TimeOf(7, 0)));
    ASSERT_TRUE(Form->Modified());
    const QString path = FSettingsDir.filePath("broken.zeft");
    PrepareUnreadable(UnreadableFiles[0], path);
    NextAnswer = QMessageBox::No; // open without saving
    NextFile = path;
    Command("FileOpen")->trigger();
    ASSERT_EQ(Messages.size(), 2u); // the save prompt, then the reason
    EXPECT_EQ(Messages[1].Icon, QMessageBox::Critical);
    EXPECT_EQ(ListCaptions(), SortedTemplateNames);
    EXPECT_TRUE(Form->Modified());
    NextAnswer = QMessageBox::Cancel;
    EXPECT_FALSE(Form->close()) << "closing must still ask";
    EXPECT_EQ(Messages.size(), 3u);
}

TEST_F(MainFormTest, ASaveFailingAfterTheOpenPromptKeepsTheLocationsAndChanges) {
    Start();
    Command("SchemeAdd")->trigger();
    // Save As onto a path that cannot be written: the error is shown and nothing opens
    const QString other = FSettingsDir.filePath("other.zeft");
    WriteSchedule(other, {{5, "Bad oben"}});
    NextAnswer = QMessageBox::Yes;
    std::vector<bool> dialogs;
    TDialogs::FileHook = [&](const QString&, const QString&, bool saving) {
        dialogs.push_back(saving);
        return std::optional<QString>(saving ? "/proc/zeft-cannot-write.zeft" : other);
    };
    Command("FileOpen")->trigger();
    EXPECT_EQ(dialogs, std::vector<bool>{true});
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_TRUE(Messages[1].Text.startsWith("Your data cannot be saved.\n\n"));
    EXPECT_EQ(Form->Locations().Count(), 10);
    EXPECT_TRUE(Form->Modified());
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
    ASSERT_TRUE(Form->Document().MovePeriodStart(*Form->CurrentLocation(), 0, 1, TimeOf(7, 0)));
    ASSERT_TRUE(Form->Modified());
    NextAnswer = GetParam().Answer;
    const bool closed = Form->close();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, "Exit");
    EXPECT_EQ(Messages[0].Text, "Settings have been changed. Do you want to save your changes?");
    EXPECT_EQ(Messages[0].Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(closed, GetParam().Closes);
    EXPECT_EQ(Form->Modified(), !GetParam().Saved);
    TParsedScheduleFile parsed;
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
    SublanguageID = 2; // the user's system, say en_GB: the language commands keep it
    Start();
    Command("HelpLanguageFrench")->trigger();
    EXPECT_EQ(SublanguageID, 2);
    const QString path = FSettingsDir.filePath("next.zeft");
    NextFile = path;
    Command("FileSaveAs")->trigger();
    ASSERT_TRUE(Form->close());
    EXPECT_EQ(Settings.ReadLastFile(), path);
    EXPECT_EQ(Settings.ReadLanguageID(), 0x040C);
    EXPECT_EQ(Settings.ReadSublanguageID(), 2);
    Form.reset();

    LanguageID = 9;
    SublanguageID = 1;
    Start();
    EXPECT_EQ(LanguageID, 0x040C);
    EXPECT_EQ(SublanguageID, 2);
    EXPECT_EQ(Form->CurrentFileName(), path);
    EXPECT_EQ(Command("FileOpen")->text(), "&Ouvrir...");
    EXPECT_EQ(Form->lbDays->item(0)->text(), "Lundi");
    EXPECT_EQ(Form->Locations().Count(), 9);
    EXPECT_FALSE(Form->Modified());
}

namespace {

/// A store that keeps types and records every write to it, in order. It reads back as empty, so
/// that each write holds just the value written; it refuses the write of RefusedKey.
struct RecordingStore {
    static inline std::vector<QSettings::SettingsMap> Writes;
    static inline QString RefusedKey;

    static QSettings::Format Format() {
        static const QSettings::Format format = QSettings::registerFormat(
            QStringLiteral("recorded"), [](QIODevice&, QSettings::SettingsMap&) { return true; },
            [](QIODevice&, const QSettings::SettingsMap& map) {
                if (!RefusedKey.isEmpty() && map.contains(RefusedKey))
                    return false;
                Writes.push_back(map);
                return true;
            });
        return format;
    }
};

struct CloseWriteCase {
    const char* Name;
    const char* Refused; // the value the store refuses, or empty
    const char* ShownName;
    size_t Stored; // how many writes went through
};

const CloseWriteCase CloseWrites[] = {
    {"AllStored", "", nullptr, 3},
    {"LastFileRefused", "MRU/a", "a", 0},
    {"LanguageRefused", "UI/LanguageID", "LanguageID", 1},
    {"SublanguageRefused", "UI/SublanguageID", "SublanguageID", 2},
};

} // namespace

class MainFormCloseWrites : public MainFormTest,
                            public testing::WithParamInterface<CloseWriteCase> {};

TEST_P(MainFormCloseWrites, TheLastFileThenTheLanguageAreStoredAndAFailureDoesNotKeepTheWindow) {
    const CloseWriteCase& c = GetParam();
    QSettings::setPath(RecordingStore::Format(), QSettings::UserScope, FSettingsDir.path());
    RecordingStore::Writes.clear();
    RecordingStore::RefusedKey = QString::fromUtf8(c.Refused);
    const TZEFTSettings recording(RecordingStore::Format());
    SublanguageID = 2;
    TMainFormServices services;
    services.Settings = &recording;
    Form = std::make_unique<TZEFTMainForm>(std::move(services));
    Form->show();
    Command("HelpLanguageGerman")->trigger();
    const QString path = FSettingsDir.filePath("stored.zeft");
    NextFile = path;
    Command("FileSaveAs")->trigger();
    ASSERT_TRUE(Messages.empty());

    EXPECT_TRUE(Form->close()) << "the window closes even when its settings cannot be stored";
    EXPECT_FALSE(Form->isVisible());
    // one write a value, in this order: last file, LanguageID, SublanguageID
    const std::vector<QSettings::SettingsMap> all = {
        {{"MRU/a", path}},
        {{"UI/LanguageID", 0x0407}},
        {{"UI/SublanguageID", 2}},
    };
    EXPECT_EQ(RecordingStore::Writes,
              std::vector<QSettings::SettingsMap>(all.begin(), all.begin() + c.Stored));
    if (!c.ShownName) {
        EXPECT_TRUE(Messages.empty());
        return;
    }
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(Messages[0].Caption, LoadLanguageString(4000));
    const QString store =
        QSettings(RecordingStore::Format(), QSettings::UserScope, "Pellwick", "ZEFT").fileName();
    EXPECT_EQ(Messages[0].Text.toStdString(),
              (QStringLiteral("Die Einstellung \u201e%1\u201c kann nicht in \u201e%2\u201c "
                              "gespeichert werden. Die Einstellungen dieser Sitzung bleiben "
                              "nicht erhalten.")
                   .arg(QString::fromUtf8(c.ShownName), store))
                  .toStdString());
}

INSTANTIATE_TEST_SUITE_P(Stores, MainFormCloseWrites, testing::ValuesIn(CloseWrites),
                         [](const testing::TestParamInfo<CloseWriteCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(MainFormTest, ASettingsFolderThatCannotBeCreatedStillLetsTheWindowClose) {
    QFile blocker(FSettingsDir.filePath("Pellwick")); // a file where the folder must go
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Start();
    EXPECT_TRUE(Form->close());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Messages[0].Text.startsWith("The setting \"a\" cannot be stored in \""))
        << Messages[0].Text.toStdString();
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

// Another program wrote the file since it was opened: a plain Save asks before overwriting.
struct TChangedOnDiskCase {
    const char* Name;
    QMessageBox::StandardButton Answer; // Yes: Overwrite, No: Save As, Cancel
    bool Overwritten;
    std::size_t FileDialogs;
};

class MainFormChangedOnDisk : public MainFormTest,
                              public testing::WithParamInterface<TChangedOnDiskCase> {};

TEST_P(MainFormChangedOnDisk, SaveAsksBeforeOverwritingTheirVersion) {
    const TChangedOnDiskCase& c = GetParam();
    const QString path = FSettingsDir.filePath("house.zeft");
    Start();
    NextFile = path;
    Command("FileSaveAs")->trigger();
    QFile theirs(path);
    ASSERT_TRUE(theirs.open(QIODevice::Append));
    theirs.write("\n<!-- theirs -->\n");
    theirs.close();
    const QByteArray their = FileBytes(path);
    ASSERT_TRUE(Form->Document().MovePeriodStart(*Form->CurrentLocation(), 0, 1, TimeOf(3, 0)));
    NextAnswer = c.Answer;
    NextFile = std::nullopt; // a Save As dialog is cancelled
    Command("FileSave")->trigger();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, "The file was changed by another program since you opened it. "
                                "Overwrite it with your version?");
    EXPECT_EQ(FileBytes(path) != their, c.Overwritten);
    EXPECT_EQ(Form->Modified(), !c.Overwritten);
    EXPECT_EQ(FileSaving.size(), c.FileDialogs);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormChangedOnDisk,
    testing::Values(TChangedOnDiskCase{"Overwrite", QMessageBox::Yes, true, 1},
                    TChangedOnDiskCase{"SaveAs", QMessageBox::No, false, 2},
                    TChangedOnDiskCase{"Cancel", QMessageBox::Cancel, false, 1}),
    [](const testing::TestParamInfo<TChangedOnDiskCase>& info) { return info.param.Name; });

// What other programs do to the open file is told in a bar that does not stop the work.
struct TOutsideCase {
    const char* Name;
    const char* Shell; // run by /bin/sh with the file as $1 and their version as $1.theirs
    bool Changed;      // else gone
};

class MainFormFileOutside : public MainFormTest,
                            public testing::WithParamInterface<TOutsideCase> {};

TEST_P(MainFormFileOutside, IsToldAndReloadCanBeUndone) {
    const QString path = FSettingsDir.filePath("house.zeft");
    {
        TScheduleDocument theirs;
        theirs.AddLocation(CreateTemplateLocation(1, LoadLanguageStringUtf8))->DisplayText =
            "Theirs";
        ASSERT_TRUE(theirs.SaveAs(path + ".theirs").Ok());
    }
    Start();
    NextFile = path;
    Command("FileSaveAs")->trigger();
    const std::vector<std::string> mine = CollectionNames();
    QProcess other;
    other.start("/bin/sh", {"-c", GetParam().Shell, "sh", path});
    ASSERT_TRUE(other.waitForFinished());
    TFileNotice& notice = *Form->FileNotice();
    ASSERT_TRUE(QTest::qWaitFor([&] { return notice.isVisible(); }, 10000));
    EXPECT_EQ(notice.ReloadButton()->isVisible(), GetParam().Changed);
    EXPECT_EQ(notice.KeepButton()->isVisible(), GetParam().Changed);
    if (!GetParam().Changed) {
        EXPECT_TRUE(notice.Text()->text().contains("was deleted or moved away"));
        Command("FileSave")->trigger(); // writes it again
        EXPECT_TRUE(Messages.empty());
        EXPECT_TRUE(QFile::exists(path));
        EXPECT_FALSE(notice.isVisible());
        return;
    }
    EXPECT_TRUE(notice.Text()->text().contains("was changed by another program"));
    QTest::mouseClick(notice.KeepButton(), Qt::LeftButton);
    EXPECT_FALSE(notice.isVisible());
    // Their next change is told again, also after a replace by rename.
    other.start("/bin/sh", {"-c", "printf ' ' >> \"$1\"", "sh", path});
    ASSERT_TRUE(other.waitForFinished());
    ASSERT_TRUE(QTest::qWaitFor([&] { return notice.isVisible(); }, 10000));
    QTest::mouseClick(notice.ReloadButton(), Qt::LeftButton);
    EXPECT_FALSE(notice.isVisible());
    EXPECT_EQ(CollectionNames(), std::vector<std::string>{"Theirs"});
    EXPECT_EQ(CurrentName(), "Theirs");
    EXPECT_FALSE(Form->Modified());
    Command("EditUndo")->trigger();
    EXPECT_EQ(CollectionNames(), mine);
    EXPECT_TRUE(Form->Modified());
}

INSTANTIATE_TEST_SUITE_P(
    OtherProcess, MainFormFileOutside,
    testing::Values(TOutsideCase{"ReplacedByRename",
                                 "cp \"$1.theirs\" \"$1.new\" && mv \"$1.new\" \"$1\"", true},
                    TOutsideCase{"WrittenInPlace", "cat \"$1.theirs\" > \"$1\"", true},
                    TOutsideCase{"Removed", "rm \"$1\"", false}),
    [](const testing::TestParamInfo<TOutsideCase>& info) { return info.param.Name; });

TEST_F(MainFormTest, AFileOpenInAnotherCopyIsTold) {
    const QString path = FSettingsDir.filePath("house.zeft");
    ASSERT_TRUE(TScheduleDocument().SaveAs(path).Ok());
    OpenFilesFolder = FSettingsDir.filePath("open");
    TOpenFileRegistry otherCopy(OpenFilesFolder);
    ASSERT_FALSE(otherCopy.Hold(path));
    StartFile = path;
    Start();
    EXPECT_TRUE(Form->FileNotice()->isVisible());
    EXPECT_TRUE(Form->FileNotice()->Text()->text().contains("is open in another copy"));
}
