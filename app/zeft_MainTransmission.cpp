// The transmit command, the connection thread's reports and the language commands.
#include "TDayList.h"
#include "TStatusPanel.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_QtTranslations.h"
#include "zeft_Routines.h"
#include "zeft_USBConnection.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTimer>

namespace zeft {

namespace {

int NoStickTextId(TNoStickReason reason) {
    switch (reason) {
    case TNoStickReason::NoAccess:
        return 4820;
    case TNoStickReason::InUse:
        return 4821;
    case TNoStickReason::NotFound:
        break;
    }
    return 4803;
}

} // namespace

void TZEFTMainForm::SchemeTransmitExecute() {
    const QList<QListWidgetItem*> selected = lvLocations->selectedItems();
    if (selected.isEmpty())
        return;
    FCurrentLocation = LocationOf(selected.constFirst());
    // The thread gets its own copy, so the user can go on editing or even remove the location.
    if (FCurrentLocation && FConnection)
        FConnection->RequestTransmission(*FCurrentLocation);
}

void TZEFTMainForm::ConnectionStateChanged(std::uint8_t state, std::int32_t value,
                                           TNoStickReason reason) {
    FConnectionState = state;
    FConnectionValue = value;
    FConnectionReason = reason;
    if (state <= 3) {
        FStatusKnown = true;
        UpdateLocationCommands();
    }
    ShowConnectionStatus();
}

void TZEFTMainForm::ShowConnectionStatus() {
    if (!FStatusKnown)
        return;
    switch (FConnectionState) {
    case 0:
        // Still no stick for the commands, but each reason takes its own remedy.
        StatusPanel0->setText(LoadLanguageString(NoStickTextId(FConnectionReason)));
        break;
    case 1:
        StatusPanel0->setText(LoadLanguageString(4804));
        break;
    case 2:
        StatusPanel0->setText(
            FormatText(LoadLanguageString(4805), {static_cast<long long>(FConnectionValue)}));
        break;
    case 3:
        StatusPanel0->setText(LoadLanguageString(4806));
        break;
    default:
        break;
    }
}

void TZEFTMainForm::SetLanguage(std::uint16_t languageId) {
    LanguageID = languageId;
    RefreshLanguage();
}

void TZEFTMainForm::ApplyLanguageTexts() {
    auto text = [](int id) { return LoadLanguageString(id); };
    auto set = [this](const char* command, const QString& caption) {
        Command(QLatin1String(command))->setText(caption);
    };
    // Qt's own texts (standard buttons, file and print dialogs) speak the same language.
    ApplyQtTranslations(LanguageID);
    setWindowTitle(text(4000));
    miFile->setTitle(text(4010));
    set("FileOpen", text(4011));
    set("FileSave", text(4012));
    set("FileSaveAs", text(4013));
    set("FileExit", text(4014));
    miEdit->setTitle(text(4040));
    set("EditUndo", text(4041));
    set("EditRedo", text(4042));
    miScheme->setTitle(text(4020));
    set("SchemeAdd", text(4021));
    for (int i = 1; i <= 9; ++i)
        Command(QStringLiteral("SchemeAddTemplate%1").arg(i))
            ->setText(FormatText(text(4022), {text(5000 + i)}));
    set("SchemeDuplicate", text(4043));
    set("SchemeRemove", text(4023));
    set("SchemePrint", text(4024));
    set("SchemePrintAll", text(4025));
    set("SchemePrintPreview", text(4061));
    set("SchemeExportPdf", text(4060));
    set("SchemeTransmit", text(4026));
    miHelp->setTitle(text(4090));
    set("HelpContents", text(4098));
    miHelpLanguage->setTitle(text(4091));
    set("HelpLanguageGerman", text(4200));
    set("HelpLanguageEnglish", text(4201));
    set("HelpLanguageFrench", text(4202));
    set("HelpAbout", FormatText(text(4092), {text(4000)}));
    set("SplitSingleInterval", text(4600));
    ApplyAccessibleTexts();
    sbStatus->setAccessibleName(text(4958));
}

void TZEFTMainForm::RefreshLanguage() {
    ApplyLanguageTexts();
    FDialogFilter = LoadLanguageString(4801);
    ResizeSchemeConfig();
    for (int i = 0; i < lbDays->count() && i < 7; ++i)
        lbDays->item(i)->setText(DayName(i + 1));
    lbDays->setToolTip(LoadLanguageString(4902));
    FillTemperatureChooser();
    ShowConnectionStatus();
    timCurrentTime->stop();
    timCurrentTime->start();
}

} // namespace zeft
