// What a screen reader finds in the window: names of the period controls, the day rows and the
// other controls in the interface language and the user's formats, kept up to date, and the
// whole status text. Read through QAccessible, as assistive technology reads them.
#include "MainFormFixture.h"

#include <QAccessible>

using namespace zeft;
using namespace zeft::test;

namespace {

QString AccessibleText(QObject* object, QAccessible::Text text = QAccessible::Name) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(text) : QStringLiteral("(not accessible)");
}

struct PeriodNameCase {
    const char* Name;
    TLanguageId Language;
    QLocale Regional;
    const char* Location; // Bathroom in the language
    int Day;
    int Index;
    const char* Expected;
    const char* Row;
};

void PrintTo(const PeriodNameCase& param, std::ostream* out) {
    *out << param.Name;
}

class PeriodNames : public MainFormTest, public testing::WithParamInterface<PeriodNameCase> {};

TEST_P(PeriodNames, SayTheDayTheTimesAndTheTemperatureInTheLanguageAndFormats) {
    const PeriodNameCase& param = GetParam();
    LanguageID = param.Language;
    QLocale::setDefault(param.Regional);
    Start();
    SelectLocation(param.Location);
    TSingleComfortIntervalSlider* slider = Slider(param.Day, param.Index);
    ASSERT_NE(slider, nullptr);
    // Spaces as the locale writes them (12-hour times may use a narrow no-break space).
    EXPECT_EQ(AccessibleText(slider).simplified().toStdString(), param.Expected);
    EXPECT_EQ(AccessibleText(Form->DayRow(param.Day)).toStdString(), param.Row);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(slider);
    EXPECT_EQ(accessible->role(), QAccessible::ListItem);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Form->DayRow(param.Day))->role(),
              QAccessible::List);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PeriodNames,
    testing::Values(
        PeriodNameCase{"English", 9, QLocale(QLocale::English, QLocale::UnitedKingdom), "Bathroom",
                       0, 1, "Monday, 06:30 to 09:00, 22.0°C", "Switching periods: Monday"},
        PeriodNameCase{"German", 7, QLocale(QLocale::German, QLocale::Germany), "Bad", 1, 1,
                       "Dienstag, 06:30 bis 09:00, 22,0°C", "Schaltzeiträume: Dienstag"},
        PeriodNameCase{"French", 12, QLocale(QLocale::French, QLocale::France), "Salle de bains", 2,
                       1, "Mercredi, de 06:30 à 09:00, 22,0°C",
                       "Périodes de commutation : Mercredi"},
        // The end of the day is 24:00 on a 24-hour clock and midnight on a 12-hour one.
        PeriodNameCase{"EndOfTheDay", 9, QLocale(QLocale::English, QLocale::UnitedKingdom),
                       "Bathroom", 6, 4, "Sunday, 23:00 to 24:00, 19.0°C",
                       "Switching periods: Sunday"},
        PeriodNameCase{"TwelveHourClock", 9, QLocale(QLocale::English, QLocale::UnitedStates),
                       "Bathroom", 5, 4, "Saturday, 11:00 PM to 12:00 AM, 19.0°C",
                       "Switching periods: Saturday"},
        PeriodNameCase{"FirstPeriodInGerman", 7, QLocale(QLocale::German, QLocale::Germany), "Bad",
                       4, 0, "Freitag, 00:00 bis 06:30, 17,0°C", "Schaltzeiträume: Freitag"}),
    [](const testing::TestParamInfo<PeriodNameCase>& info) { return info.param.Name; });

TEST_F(MainFormTest, PeriodNamesFollowEditsSelectionAndTheLanguage) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    Start();
    TSingleComfortIntervalSlider* slider = Slider(0, 1);
    ASSERT_NE(slider, nullptr);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(slider);
    EXPECT_FALSE(accessible->state().selected);
    EXPECT_TRUE(accessible->state().selectable);

    Click(slider, slider->rect().center());
    EXPECT_TRUE(accessible->state().selected);
    // A warmer period, a later start.
    const int index = Form->cmbTemperature->findText(QStringLiteral("23.5°C"));
    ASSERT_GE(index, 0);
    Form->cmbTemperature->setCurrentIndex(index);
    emit Form->cmbTemperature->activated(index);
    slider->Interval()->SetStart(TimeOf(7, 10));
    EXPECT_EQ(AccessibleText(slider), QStringLiteral("Monday, 07:10 to 09:00, 23.5°C"));

    Command("HelpLanguageGerman")->trigger();
    EXPECT_EQ(AccessibleText(slider), QStringLiteral("Montag, 07:10 bis 09:00, 23.5°C"));
    EXPECT_EQ(AccessibleText(Form->DayRow(0)), QStringLiteral("Schaltzeiträume: Montag"));
}

TEST_F(MainFormTest, TheFocusedRowHandsTheScreenReaderItsCurrentPeriod) {
    Start();
    TDailyComfortIntervalsSlider* row = Form->DayRow(2);
    Form->activateWindow();
    row->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(row->hasFocus());
    TSingleComfortIntervalSlider* third = Slider(2, 2);
    Click(third, third->rect().center());
    ASSERT_EQ(row->CurrentSlider(), third);
    QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(row)->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->object(), third);
    EXPECT_EQ(focused->text(QAccessible::Name).simplified(),
              QStringLiteral("Wednesday, 9:00 AM to 5:00 PM, 17.0°C"));
}

struct ControlNameCase {
    const char* Command; // the language command run first
    const char* Chooser;
    const char* Bin;
    const char* BinDescription;
    const char* Split;
    const char* Transmit;
    const char* Days;
    const char* Rooms;
    const char* StatusBar;
    const char* Ready;
};

class ControlNames : public MainFormTest, public testing::WithParamInterface<ControlNameCase> {};

TEST_P(ControlNames, NameTheHeadingControlsTheButtonsTheListsAndTheStatus) {
    const ControlNameCase& param = GetParam();
    Start();
    Command(param.Command)->trigger();
    Form->ConnectionStateChanged(1, 0);
    EXPECT_EQ(AccessibleText(Form->cmbTemperature).toStdString(), param.Chooser);
    EXPECT_EQ(AccessibleText(Form->imgTrashCan).toStdString(), param.Bin);
    EXPECT_EQ(AccessibleText(Form->imgTrashCan, QAccessible::Description).toStdString(),
              param.BinDescription);
    EXPECT_EQ(AccessibleText(Form->btnSplitInterval).toStdString(), param.Split);
    EXPECT_EQ(AccessibleText(Form->btnTransmit).toStdString(), param.Transmit);
    EXPECT_EQ(AccessibleText(Form->lbDays).toStdString(), param.Days);
    EXPECT_EQ(AccessibleText(Form->lvLocations).toStdString(), param.Rooms);
    EXPECT_EQ(AccessibleText(Form->sbStatus).toStdString(), param.StatusBar);
    EXPECT_EQ(AccessibleText(Form->StatusPanel0).toStdString(), param.Ready);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ControlNames,
    testing::Values(
        ControlNameCase{"HelpLanguageEnglish", "Temperature of the selected switching period",
                        "Bin", "Drag a switching period onto the bin to delete it.",
                        "Insert: split the selected switching period",
                        "Submit: send the weekly program on display to the controller", "Days",
                        "Rooms", "Status", "USB programming stick is ready."},
        ControlNameCase{"HelpLanguageGerman", "Temperatur des markierten Schaltzeitraums",
                        "Papierkorb",
                        "Ziehen Sie einen Schaltzeitraum auf den Papierkorb, um ihn zu löschen.",
                        "Einfügen: markierten Schaltzeitraum teilen",
                        "Senden: angezeigtes Wochenprogramm an den Regler senden", "Tage", "Räume",
                        "Status", "USB-Programmierstick ist bereit."},
        ControlNameCase{
            "HelpLanguageFrench", "Température de la période de commutation sélectionnée",
            "Corbeille",
            "Faites glisser une période de commutation sur la corbeille pour la supprimer.",
            "Coller : diviser la période de commutation sélectionnée",
            "Envoyer : envoyer au régulateur le programme hebdomadaire affiché", "Jours", "Pièces",
            "État", "Clé USB de programmation opérationnelle."}),
    [](const testing::TestParamInfo<ControlNameCase>& info) {
        return std::string(info.param.Command).substr(12);
    });

TEST_F(MainFormTest, TheWholeStatusTextIsReadableWhenThePanelIsNarrow) {
    Start();
    Form->ConnectionStateChanged(3, -400);
    Form->StatusPanel0->resize(80, Form->StatusPanel0->height());
    EXPECT_EQ(AccessibleText(Form->StatusPanel0), LoadLanguageString(4806));
    Form->ConnectionStateChanged(2, 40);
    EXPECT_EQ(AccessibleText(Form->StatusPanel0), QStringLiteral("Data transfer: 40%"));
}

} // namespace
