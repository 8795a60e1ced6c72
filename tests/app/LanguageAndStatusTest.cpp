#include "MainFormFixture.h"
#include "zeft_QtTranslations.h"

#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using namespace zeft;
using namespace zeft::test;

namespace {

/// The title the desktop shows for a window: what the widget hands its platform window, and
/// the application display name that Qt's desktop platforms (xcb, wayland, windows) append
/// with " \u2014 " once a program has set one, unless the title already ends with it.
QString DesktopTitle(const QWidget* widget) {
    const QWindow* window = widget->windowHandle();
    if (!window)
        return QStringLiteral("(no platform window)");
    QString title = window->title();
    const QString displayName = QGuiApplication::applicationDisplayName();
    const bool displayNameSet = displayName != QCoreApplication::applicationName();
    if (displayNameSet && !displayName.isEmpty() && !title.endsWith(displayName))
        title += QStringLiteral(" \u2014 ") + displayName;
    return title;
}

bool QtTranslationInstalled(TLanguageId language) {
    const QString name = QtTranslationName(language);
    return !name.isEmpty() && QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                                            QLatin1Char('/') + name + QStringLiteral(".qm"));
}

/// Runs open, which shows a modal dialog of type TDialog, and hands that dialog to inspect
/// once it is on screen; inspect must close it. A dialog that never comes fails the test.
template <typename TDialog>
void WithModalDialog(const std::function<void()>& open,
                     const std::function<void(TDialog*)>& inspect) {
    bool seen = false;
    int ticks = 0;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<TDialog*>(modal); dialog && dialog->isVisible()) {
            poll.stop();
            seen = true;
            inspect(dialog);
        } else if (++ticks > 1000 && modal) {
            poll.stop();
            modal->close(); // the wrong dialog: do not hang
        }
    });
    poll.start();
    open();
    poll.stop();
    EXPECT_TRUE(seen) << "no dialog was shown";
}

} // namespace

struct StatusCase {
    int State;
    int Value;
    const char* Text;
    bool TransmitEnabled;
    TNoStickCause Cause = {};
};
class MainFormStatus : public MainFormTest, public testing::WithParamInterface<StatusCase> {};

TEST_P(MainFormStatus, StatusTextAndTransmitCommandFollowTheState) {
    Start();
    EXPECT_TRUE(Form->StatusPanel0->text().isEmpty()); // nothing until the first report
    Form->ConnectionStateChanged(static_cast<std::uint8_t>(GetParam().State), GetParam().Value,
                                 GetParam().Cause);
    EXPECT_EQ(Form->StatusPanel0->text().toStdString(), GetParam().Text);
    EXPECT_EQ(Command("SchemeTransmit")->isEnabled(), GetParam().TransmitEnabled);
    EXPECT_EQ(Form->btnTransmit->isEnabled(), GetParam().TransmitEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    States, MainFormStatus,
    testing::Values(StatusCase{0, 0, "Please insert the USB programming stick.", false},
                    StatusCase{1, 0, "USB programming stick is ready.", true},
                    StatusCase{2, 40, "Data transfer: 40%", false},
                    StatusCase{3, -400,
                               "Data transfer failed: Check that the USB programming stick is "
                               "correctly inserted and has been detected by the operating system.",
                               false}));

// Why there is no stick, each with its own remedy; the lock's directory is named.
constexpr const char* NoLock = "The USB programming stick is left alone: the program's private "
                               "folder \"%1\", which holds the lock that keeps two copies of the "
                               "program from using the stick at once, cannot be used. ";
const std::string InUseText = "Another copy of the program is running and is in charge of the "
                              "USB programming stick. Close it to use the stick from this window.";
const std::string LinkText =
    QString(NoLock).arg("/run/user/1000/zeft").toStdString() + "It is a symbolic link.";
const std::string ReadOnlyText = QString(NoLock).arg("/home/u/.cache/zeft").toStdString() +
                                 "It cannot be set up: The drive is read-only.";
INSTANTIATE_TEST_SUITE_P(
    NoStick, MainFormStatus,
    testing::Values(StatusCase{0, 0, InUseText.c_str(), false, {TNoStickReason::InUse, {}}},
                    StatusCase{0,
                               50,
                               LinkText.c_str(),
                               false,
                               {TNoStickReason::NoLockDirectory,
                                {"/run/user/1000/zeft", TDirectoryFault::SymbolicLink}}},
                    StatusCase{0,
                               100,
                               ReadOnlyText.c_str(),
                               false,
                               {TNoStickReason::NoLockDirectory,
                                {"/home/u/.cache/zeft", TDirectoryFault::SystemError, EROFS}}},
                    StatusCase{
                        0,
                        0,
                        "The USB programming stick is left alone: the program has no "
                        "private folder for the lock that keeps two copies of the program "
                        "from using the stick at once (no usable XDG_RUNTIME_DIR, "
                        "XDG_CACHE_HOME or home folder).",
                        false,
                        {TNoStickReason::NoLockDirectory, {{}, TDirectoryFault::NoneKnown}}}));

struct StatusFitCase {
    const char* Command;
    int State;
    bool Cut; // at the design size
};
class MainFormStatusFit : public MainFormTest, public testing::WithParamInterface<StatusFitCase> {};

TEST_P(MainFormStatusFit, ATextTooLongForThePanelEndsInAnEllipsisAndIsWholeInTheTooltip) {
    const StatusFitCase& c = GetParam();
    Start();
    Command(c.Command)->trigger();
    Form->ConnectionStateChanged(static_cast<std::uint8_t>(c.State), 0);
    TStatusPanel* panel = Form->StatusPanel0;
    ASSERT_EQ(Form->sbStatus->width(), 792) << "not the design size";
    const QString whole = panel->text();
    const QString shown = panel->ShownText();
    const QFontMetrics metrics(panel->font());
    const int room = panel->contentsRect().width() - 2; // the indent
    EXPECT_LE(metrics.horizontalAdvance(shown), room);
    if (c.Cut) {
        ASSERT_GT(metrics.horizontalAdvance(whole), room) << "the case no longer needs cutting";
        ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
        EXPECT_TRUE(whole.startsWith(shown.chopped(1))) << shown.toStdString();
        EXPECT_EQ(panel->toolTip(), whole);
    } else {
        EXPECT_EQ(shown, whole);
        EXPECT_TRUE(panel->toolTip().isEmpty());
    }
    // A wider window has room for the whole text again.
    Form->resize(1400, Form->height());
    QApplication::processEvents();
    EXPECT_EQ(panel->ShownText(), whole);
    EXPECT_TRUE(panel->toolTip().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(States, MainFormStatusFit,
                         testing::Values(StatusFitCase{"HelpLanguageEnglish", 3, true},
                                         StatusFitCase{"HelpLanguageGerman", 3, true},
                                         StatusFitCase{"HelpLanguageFrench", 3, true},
                                         StatusFitCase{"HelpLanguageEnglish", 1, false},
                                         StatusFitCase{"HelpLanguageGerman", 0, false}));

TEST_F(MainFormTest, EveryLocationShowsItsWholeNameAsItsTooltip) {
    Start();
    Command("SchemeAdd")->trigger();
    QListWidgetItem* item = Form->lvLocations->currentItem();
    ASSERT_NE(item, nullptr);
    const QString longName =
        QStringLiteral("Living room on the first floor, the one with the big window");
    item->setText(longName); // as the in-place editor commits a new name
    QApplication::processEvents();
    EXPECT_EQ(CurrentName(), longName.toStdString());
    for (int i = 0; i < Form->lvLocations->count(); ++i) {
        const QModelIndex index = Form->lvLocations->model()->index(i, 0);
        // what the view asks when the pointer rests on the item
        EXPECT_EQ(index.data(Qt::ToolTipRole).toString(), index.data(Qt::DisplayRole).toString());
        EXPECT_FALSE(index.data(Qt::ToolTipRole).toString().isEmpty());
    }
    EXPECT_EQ(item->toolTip(), longName);
}

TEST_F(MainFormTest, AnUnknownStateChangesNeitherTextNorCommand) {
    Start();
    Form->ConnectionStateChanged(1, 0);
    Form->ConnectionStateChanged(4, 77);
    EXPECT_EQ(Form->StatusPanel0->text(), "USB programming stick is ready.");
    EXPECT_TRUE(Command("SchemeTransmit")->isEnabled());
    EXPECT_EQ(Form->ConnectionState(), 4);
    EXPECT_EQ(Form->ConnectionValue(), 77);
}

TEST_F(MainFormTest, TheStatusBarGivesNineTenthsToTheStatusText) {
    Start();
    for (const auto& [windowWidth, first] : {std::pair{1000, 900}, std::pair{1111, 999}}) {
        Form->resize(windowWidth, Form->height());
        QApplication::processEvents();
        ASSERT_EQ(Form->sbStatus->width(), windowWidth);
        EXPECT_EQ(Form->StatusPanel0->width(), first);
        EXPECT_EQ(Form->StatusPanel1->x(), first);
        EXPECT_EQ(Form->StatusPanel1->width(), windowWidth - first);
    }
}

TEST_F(MainFormTest, TheClockShowsTheShortLocalTime) {
    Start();
    EXPECT_TRUE(Form->timCurrentTime->isActive());
    EXPECT_EQ(Form->timCurrentTime->interval(), 1000);
    Form->timCurrentTimeTimer();
    const QString shown = Form->StatusPanel1->text();
    const QTime parsed = QTime::fromString(shown, QLocale().timeFormat(QLocale::ShortFormat));
    ASSERT_TRUE(parsed.isValid()) << shown.toStdString();
    EXPECT_LE(std::abs(parsed.secsTo(QTime::currentTime())), 120);
}

struct LanguageCase {
    const char* Command;
    std::uint16_t Id;
    const char* Template2;
    const char* About;
    const char* Monday;
    const char* Failure;
    const char* Title;
    const char* QtYes;    // Qt's standard Yes button
    const char* QtSaveAs; // the title of Qt's save dialog
};
class MainFormLanguage : public MainFormTest, public testing::WithParamInterface<LanguageCase> {};

TEST_P(MainFormLanguage, SwitchesEveryTextOfTheWindow) {
    SublanguageID = 2; // the user's system, say en_GB: the language command keeps it
    Start();
    TSingleComfortIntervalSlider* slider = Slider(0, 0);
    Click(slider, slider->rect().center());
    ASSERT_NE(Form->cmbTemperature->currentIndex(), -1);
    Form->ConnectionStateChanged(3, -400);
    Command(GetParam().Command)->trigger();
    EXPECT_EQ(LanguageID, GetParam().Id);
    EXPECT_EQ(SublanguageID, 2);
    EXPECT_EQ(Command("SchemeAddTemplate2")->text().toStdString(), GetParam().Template2);
    EXPECT_EQ(Command("HelpAbout")->text().toStdString(), GetParam().About);
    EXPECT_EQ(Form->windowTitle().toStdString(), GetParam().Title);
    // as the desktop shows it: the window's own text in the new language, nothing appended
    EXPECT_EQ(DesktopTitle(Form.get()).toStdString(), GetParam().Title);
    if (QtTranslationInstalled(GetParam().Id) || GetParam().Id == 0x0409) {
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(),
                  GetParam().QtYes);
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As").toStdString(),
                  GetParam().QtSaveAs);
    }
    ASSERT_EQ(Form->lbDays->count(), 7);
    EXPECT_EQ(Form->lbDays->item(0)->text().toStdString(), GetParam().Monday);
    EXPECT_EQ(Form->StatusPanel0->text().toStdString(), GetParam().Failure);
    EXPECT_EQ(Form->cmbTemperature->count(), 50);
    EXPECT_EQ(Form->cmbTemperature->currentIndex(), -1);
    EXPECT_EQ(Command("HelpLanguageGerman")->text(), "Deutsch");
    EXPECT_EQ(Command("HelpLanguageFrench")->text(), "Fran\u00e7ais");
    EXPECT_EQ(Form->lbDays->toolTip(), LoadLanguageString(4902));
    EXPECT_TRUE(Form->timCurrentTime->isActive());
    // names are user data and stay as they are
    EXPECT_EQ(CurrentName(), "Bathroom");
}

INSTANTIATE_TEST_SUITE_P(
    Languages, MainFormLanguage,
    testing::Values(
        LanguageCase{
            "HelpLanguageFrench", 0x040C, "Mod\u00e8le Chambre",
            "I&nformations \u00e0 propos de Logiciel de programmation pour r\u00e9gulateur "
            "d\u2019\u00e9conomie d\u2019\u00e9nergie sans fil",
            "Lundi",
            "Echec du transfert de donn\u00e9es : Veuillez v\u00e9rifier si la cl\u00e9 USB "
            "de programmation a \u00e9t\u00e9 ins\u00e9r\u00e9e correctement et reconnue par "
            "le syst\u00e8me d'exploitation.",
            "Logiciel de programmation pour r\u00e9gulateur d\u2019\u00e9conomie "
            "d\u2019\u00e9nergie sans fil",
            "&Oui", "Enregistrer sous"},
        LanguageCase{
            "HelpLanguageGerman", 0x0407, "Vorlage Schlafzimmer",
            "&Info \u00fcber Programmier-Software f\u00fcr Funk-Energiespar-Regler", "Montag",
            "Daten\u00fcbertragung fehlgeschlagen. \u00dcberpr\u00fcfen Sie, ob der "
            "USB-Programmierstick richtig eingesteckt ist und vom Betriebssystem erkannt "
            "wird.",
            "Programmier-Software f\u00fcr Funk-Energiespar-Regler", "&Ja", "Speichern unter"},
        LanguageCase{"HelpLanguageEnglish", 0x0409, "Template Bedroom",
                     "&About Heating Controller Configuration Software", "Monday",
                     "Data transfer failed: Check that the USB programming stick is correctly "
                     "inserted and has been detected by the operating system.",
                     "Heating Controller Configuration Software", "&Yes", "Save As"}),
    [](const testing::TestParamInfo<LanguageCase>& info) {
        return std::string(info.param.Command).substr(12);
    });

TEST_F(MainFormTest, ALanguageSwitchAlsoRenamesTheMenusAndTheRunningTransferText) {
    Start();
    Form->ConnectionStateChanged(2, 55);
    Command("HelpLanguageGerman")->trigger();
    EXPECT_EQ(Form->StatusPanel0->text(), "Daten\u00fcbertragung: 55%");
    QStringList menus;
    for (QAction* action : Form->findChild<QMenuBar*>()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"&Datei", "&Bearbeiten", "Wochen&programm", "&Hilfe"}));
    EXPECT_EQ(Form->findChild<QMenu*>("miHelpLanguage")->title(), "&Sprache");
}

struct ShownDialogCase {
    const char* Command;
    std::uint16_t Id;
    const char* PromptTitle; // text 4014 without "&"
    const char* Yes;
    const char* No;
    const char* Cancel;
};
class MainFormShownDialogs : public MainFormTest,
                             public testing::WithParamInterface<ShownDialogCase> {};

TEST_P(MainFormShownDialogs, SpeakTheCurrentLanguageInTheirTitlesAndButtons) {
    const ShownDialogCase& c = GetParam();
    Start();
    Command(c.Command)->trigger();
    Command("SchemeAdd")->trigger(); // something to save
    ASSERT_TRUE(Form->Modified());
    const bool qtTranslated = QtTranslationInstalled(c.Id) || c.Id == 0x0409;
    if (!qtTranslated)
        std::cout << "[  SKIPPED ] Qt's buttons: " << QtTranslationName(c.Id).toStdString()
                  << ".qm is not installed (package qt6-translations-l10n)\n";

    // The real save prompt, as the desktop shows it.
    TDialogs::MessageHook = nullptr;
    WithModalDialog<QMessageBox>([this] { Form->close(); },
                                 [&](QMessageBox* box) {
                                     EXPECT_EQ(DesktopTitle(box).toStdString(), c.PromptTitle);
                                     EXPECT_EQ(box->text(), LoadLanguageString(4808));
                                     if (qtTranslated) {
                                         EXPECT_EQ(box->button(QMessageBox::Yes)->text(), c.Yes);
                                         EXPECT_EQ(box->button(QMessageBox::No)->text(), c.No);
                                         EXPECT_EQ(box->button(QMessageBox::Cancel)->text(),
                                                   c.Cancel);
                                     }
                                     box->button(QMessageBox::Cancel)->click();
                                 });
    EXPECT_TRUE(Form->isVisible()) << "Cancel keeps the window open";

    // The real save dialog: Qt's own title, in the same language, nothing appended.
    TDialogs::FileHook = nullptr;
    WithModalDialog<QFileDialog>([this] { Command("FileSaveAs")->trigger(); },
                                 [&](QFileDialog* dialog) {
                                     const QString expected =
                                         QCoreApplication::translate("QFileDialog", "Save As");
                                     EXPECT_EQ(DesktopTitle(dialog), expected);
                                     if (qtTranslated && c.Id != 0x0409) {
                                         EXPECT_NE(expected, "Save As");
                                     }
                                     dialog->reject();
                                 });
    EXPECT_TRUE(Form->Modified());
}

INSTANTIATE_TEST_SUITE_P(Languages, MainFormShownDialogs,
                         testing::Values(ShownDialogCase{"HelpLanguageGerman", 0x0407, "Beenden",
                                                         "&Ja", "&Nein", "Abbrechen"},
                                         ShownDialogCase{"HelpLanguageFrench", 0x040C, "Quitter",
                                                         "&Oui", "&Non", "Annuler"},
                                         ShownDialogCase{"HelpLanguageEnglish", 0x0409, "Exit",
                                                         "&Yes", "&No", "Cancel"}),
                         [](const testing::TestParamInfo<ShownDialogCase>& info) {
                             return std::string(info.param.Command).substr(12);
                         });
