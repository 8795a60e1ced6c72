#include "MainFormFixture.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using namespace zeft;
using namespace zeft::test;

struct StatusCase {
    int State;
    int Value;
    const char* Text;
    bool TransmitEnabled;
};
class MainFormStatus : public MainFormTest, public testing::WithParamInterface<StatusCase> {};

TEST_P(MainFormStatus, StatusTextAndTransmitCommandFollowTheState) {
    Start();
    EXPECT_TRUE(Form->StatusPanel0->text().isEmpty()); // nothing until the first report
    Form->ConnectionStateChanged(static_cast<std::uint8_t>(GetParam().State), GetParam().Value);
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
};
class MainFormLanguage : public MainFormTest, public testing::WithParamInterface<LanguageCase> {};

TEST_P(MainFormLanguage, SwitchesEveryTextOfTheWindow) {
    Start();
    TSingleComfortIntervalSlider* slider = Slider(0, 0);
    Click(slider, slider->rect().center());
    ASSERT_NE(Form->cmbTemperature->currentIndex(), -1);
    Form->ConnectionStateChanged(3, -400);
    Command(GetParam().Command)->trigger();
    EXPECT_EQ(LanguageID, GetParam().Id);
    EXPECT_EQ(SublanguageID, 1);
    EXPECT_EQ(Command("SchemeAddTemplate2")->text().toStdString(), GetParam().Template2);
    EXPECT_EQ(Command("HelpAbout")->text().toStdString(), GetParam().About);
    EXPECT_EQ(Form->windowTitle().toStdString(), GetParam().Title);
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
            "d\u2019\u00e9nergie sans fil"},
        LanguageCase{"HelpLanguageGerman", 0x0407, "Vorlage Schlafzimmer",
                     "&Info \u00fcber Programmier-Software f\u00fcr Funk-Energiespar-Regler",
                     "Montag",
                     "Daten\u00fcbertragung fehlgeschlagen. \u00dcberpr\u00fcfen Sie, ob der "
                     "USB-Programmierstick richtig eingesteckt ist und vom Betriebssystem erkannt "
                     "wird.",
                     "Programmier-Software f\u00fcr Funk-Energiespar-Regler"},
        LanguageCase{"HelpLanguageEnglish", 0x0409, "Template Bedroom",
                     "&About Heating Controller Configuration Software", "Monday",
                     "Data transfer failed: Check that the USB programming stick is correctly "
                     "inserted and has been detected by the operating system.",
                     "Heating Controller Configuration Software"}),
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
    EXPECT_EQ(menus, (QStringList{"&Datei", "Wochen&programm", "&Hilfe"}));
    EXPECT_EQ(Form->findChild<QMenu*>("miHelpLanguage")->title(), "&Sprache");
}
