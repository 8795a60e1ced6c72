// The window's commands and menus, the table of their texts and the language commands.
#include "TDayList.h"
#include "TLocationList.h"
#include "TMainMenuBar.h"
#include "TScheduleArea.h"
#include "TStatusBar.h"
#include "TTemperatureChooser.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_QtTranslations.h"
#include "zeft_Routines.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace zeft {

namespace {

/// The id of the text each command's caption comes from.
const char* const TextIdProperty = "zeftTextId";

} // namespace

void TZEFTMainForm::CreateCommands() {
    const auto print = [this] {
        if (FServices.PrintProfile && FCurrentLocation)
            FServices.PrintProfile(FCurrentLocation);
    };
    const auto printAll = [this] {
        if (FServices.PrintAllProfiles)
            FServices.PrintAllProfiles(Locations());
    };
    const auto run = [](const std::function<void()>& service) {
        return [service] {
            if (service)
                service();
        };
    };
    const struct {
        const char* Name;
        QKeySequence Shortcut;
        int TextId;
        std::function<void()> Execute;
    } commands[] = {
        {"FileOpen", Qt::CTRL | Qt::Key_O, 4011, [this] { FileOpenExecute(); }},
        {"FileSave", Qt::CTRL | Qt::Key_S, 4012, [this] { FileSaveExecute(); }},
        {"FileSaveAs", Qt::CTRL | Qt::SHIFT | Qt::Key_S, 4013, [this] { FileSaveAsExecute(); }},
        {"FileExit", Qt::CTRL | Qt::Key_Q, 4014, [this] { close(); }},
        {"EditUndo", Qt::CTRL | Qt::Key_Z, 4041,
         [this] {
             // A drag changes the day as the pointer moves: the step it makes comes on release.
             if (!paSchemeConfig->GestureRunning())
                 FDocument->Undo();
         }},
        {"EditRedo", Qt::CTRL | Qt::Key_Y, 4042,
         [this] {
             if (!paSchemeConfig->GestureRunning())
                 FDocument->Redo();
         }},
        {"SchemeAdd", {}, 4021, [this] { AddTemplateLocation(0); }},
        {"SchemeDuplicate", Qt::CTRL | Qt::Key_D, 4043, [this] { SchemeDuplicateExecute(); }},
        {"SchemeRemove", {}, 4023, [this] { SchemeRemoveExecute(); }},
        {"SchemePrint", Qt::CTRL | Qt::Key_P, 4024, print},
        {"SchemePrintAll", {}, 4025, printAll},
        {"SchemePrintPreview", Qt::CTRL | Qt::SHIFT | Qt::Key_P, 4061,
         [this] { SchemePrintPreviewExecute(); }},
        {"SchemeExportPdf", Qt::CTRL | Qt::Key_E, 4060, [this] { SchemeExportPdfExecute(); }},
        {"SchemeTransmit", Qt::CTRL | Qt::Key_T, 4026, [this] { SchemeTransmitExecute(); }},
        {"SelectScheme", {}, 0, [this] { SelectSchemeExecute(lvLocations->currentItem()); }},
        {"SplitSingleInterval", {}, 4600, [this] { paSchemeConfig->SplitSingleIntervalExecute(); }},
        {"HelpContents", Qt::Key_F1, 4098, run(FServices.ShowHelp)},
        {"HelpAbout", {}, 4092, run(FServices.ShowAbout)},
        {"HelpLanguageGerman", {}, 4200, [this] { SetLanguage(MakeLanguageID(7, 1)); }},
        {"HelpLanguageEnglish", {}, 4201, [this] { SetLanguage(MakeLanguageID(9, 1)); }},
        {"HelpLanguageFrench", {}, 4202, [this] { SetLanguage(MakeLanguageID(12, 1)); }},
    };
    auto add = [this](const QString& name, const QKeySequence& shortcut, int textId,
                      const std::function<void()>& execute) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setProperty(TextIdProperty, textId);
        if (!shortcut.isEmpty()) {
            action->setShortcut(shortcut);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        connect(action, &QAction::triggered, this, execute);
        addAction(action);
    };
    for (const auto& command : commands)
        add(QLatin1String(command.Name), command.Shortcut, command.TextId, command.Execute);
    for (int i = 1; i <= 9; ++i)
        add(QStringLiteral("SchemeAddTemplate%1").arg(i), {}, 0,
            [this, i] { AddTemplateLocation(i); });
    Command(QStringLiteral("EditRedo"))
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Until the stick reports ready there is nothing to transmit to.
    Command(QStringLiteral("SchemeTransmit"))->setEnabled(false);
}

void TZEFTMainForm::CreateMenus() {
    FMenuBar = new TMainMenuBar([this](const QString& name) { return Command(name); }, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(FMenuBar);
}

void TZEFTMainForm::ApplyLanguageTexts() {
    auto text = [](int id) { return LoadLanguageString(id); };
    // Qt's own texts (standard buttons, file and print dialogs) speak the same language.
    ApplyQtTranslations(LanguageID);
    setWindowTitle(text(4000));
    FMenuBar->ApplyLanguageTexts();
    for (QAction* action : actions())
        if (const int id = action->property(TextIdProperty).toInt(); id > 0)
            action->setText(text(id));
    for (int i = 1; i <= 9; ++i)
        Command(QStringLiteral("SchemeAddTemplate%1").arg(i))
            ->setText(FormatText(text(4022), {text(5000 + i)}));
    Command(QStringLiteral("HelpAbout"))->setText(FormatText(text(4092), {text(4000)}));
    paSchemeConfig->ApplyLanguageTexts();
    ApplyAccessibleTexts();
    sbStatus->setAccessibleName(text(4958));
}

void TZEFTMainForm::ApplyAccessibleTexts() {
    auto text = [](int id) { return LoadLanguageString(id); };
    // The buttons' names begin with their captions, so that what is said matches what is seen.
    auto caption = [this](const char* command) {
        return WithoutAccelerator(Command(QLatin1String(command))->text());
    };
    cmbTemperature->setAccessibleName(text(4952));
    imgTrashCan->setAccessibleName(text(4953));
    imgTrashCan->setAccessibleDescription(text(4954));
    btnSplitInterval->setAccessibleName(FormatText(text(4955), {caption("SplitSingleInterval")}));
    btnTransmit->setAccessibleName(FormatText(text(4956), {caption("SchemeTransmit")}));
    lbDays->setAccessibleName(text(4957));
    lvLocations->setAccessibleName(text(4959));
}

void TZEFTMainForm::SetLanguage(std::uint16_t languageId) {
    LanguageID = languageId;
    RefreshLanguage();
}

void TZEFTMainForm::RefreshLanguage() {
    ApplyLanguageTexts();
    FDialogFilter = LoadLanguageString(4801);
    paSchemeConfig->ResizeSchemeConfig();
    ShowConnectionStatus();
    timCurrentTime->stop();
    timCurrentTime->start();
}

void TZEFTMainForm::UpdateLocationCommands() {
    for (const char* name : {"SchemePrint", "SchemePrintPreview"})
        Command(QLatin1String(name))->setEnabled(FCurrentLocation != nullptr);
    Command(QStringLiteral("SchemeTransmit"))
        ->setEnabled(FStatusKnown && FConnectionState == 1 && FCurrentLocation != nullptr);
}

void TZEFTMainForm::UpdateFileCommands(int remainingLocations) {
    QAction* saveAs = Command(QStringLiteral("FileSaveAs"));
    saveAs->setEnabled(remainingLocations > 0);
    Command(QStringLiteral("FileSave"))
        ->setEnabled(saveAs->isEnabled() && !FDocument->FileName().isEmpty());
}

} // namespace zeft
