// The window's commands and menus, the table of their texts and the language commands.
#include "TButtonsPanel.h"
#include "TDayList.h"
#include "TFileNotice.h"
#include "TLocationList.h"
#include "TMainMenuBar.h"
#include "TScheduleArea.h"
#include "TStatusBar.h"
#include "TTemperatureChooser.h"
#include "TTransfers.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_QtTranslations.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"
#include "zeft_Templates.h"

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
    namespace T = TextId;
    const struct {
        const char* Name;
        QKeySequence Shortcut;
        int Text;
        std::function<void()> Execute;
    } commands[] = {
        {"FileOpen", Qt::CTRL | Qt::Key_O, T::FileOpen, [this] { FileOpenExecute(); }},
        {"FileSave", Qt::CTRL | Qt::Key_S, T::FileSave, [this] { FileSaveExecute(); }},
        {"FileSaveAs", Qt::CTRL | Qt::SHIFT | Qt::Key_S, T::FileSaveAs,
         [this] { FileSaveAsExecute(); }},
        {"FileExit", Qt::CTRL | Qt::Key_Q, T::FileExit, [this] { close(); }},
        {"EditUndo", Qt::CTRL | Qt::Key_Z, T::EditUndo,
         [this] {
             // A drag changes the day as the pointer moves: the step it makes comes on release.
             if (!paSchemeConfig->GestureRunning())
                 FDocument->Undo();
         }},
        {"EditRedo", Qt::CTRL | Qt::Key_Y, T::EditRedo,
         [this] {
             if (!paSchemeConfig->GestureRunning())
                 FDocument->Redo();
         }},
        {"SchemeAdd", {}, T::SchemeAdd, [this] { AddTemplateLocation(0); }},
        {"SchemeDuplicate", Qt::CTRL | Qt::Key_D, T::SchemeDuplicate,
         [this] { SchemeDuplicateExecute(); }},
        {"SchemeRemove", {}, T::SchemeRemove, [this] { SchemeRemoveExecute(); }},
        {"SchemePrint", Qt::CTRL | Qt::Key_P, T::SchemePrint, print},
        {"SchemePrintAll", {}, T::SchemePrintAll, printAll},
        {"SchemePrintPreview", Qt::CTRL | Qt::SHIFT | Qt::Key_P, T::SchemePrintPreview,
         [this] { SchemePrintPreviewExecute(); }},
        {"SchemeExportPdf", Qt::CTRL | Qt::Key_E, T::SchemeExportPdf,
         [this] { SchemeExportPdfExecute(); }},
        {"SchemeTransmit", Qt::CTRL | Qt::Key_T, T::SchemeTransmit,
         [this] { SchemeTransmitExecute(); }},
        {"SchemeTransmitSeveral", Qt::CTRL | Qt::SHIFT | Qt::Key_T, T::SchemeTransmitSeveral,
         [this] { SchemeTransmitSeveralExecute(); }},
        {"SchemeTransmitCancel",
         {},
         T::SchemeTransmitCancel,
         [this] { SchemeTransmitCancelExecute(); }},
        {"SchemeRestoreSent", {}, T::SchemeRestoreSent, [this] { SchemeRestoreSentExecute(); }},
        {"SchemeTransferLog", {}, T::SchemeTransferLog, [this] { SchemeTransferLogExecute(); }},
        {"SelectScheme", {}, 0, [this] { SelectSchemeExecute(lvLocations->currentItem()); }},
        {"SplitSingleInterval", QKeySequence(), T::SplitPeriod,
         [this] { paSchemeConfig->SplitSingleIntervalExecute(); }},
        {"HelpContents", Qt::Key_F1, T::HelpContents, run(FServices.ShowHelp)},
        {"HelpAbout", {}, T::HelpAbout, run(FServices.ShowAbout)},
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
        add(QLatin1String(command.Name), command.Shortcut, command.Text, command.Execute);
    const struct {
        const char* Name;
        int Text;
        int PrimaryLanguage;
    } languages[] = {{"HelpLanguageGerman", T::LanguageGerman, 7},
                     {"HelpLanguageEnglish", T::LanguageEnglish, 9},
                     {"HelpLanguageFrench", T::LanguageFrench, 12}};
    for (const auto& language : languages)
        add(QLatin1String(language.Name), {}, language.Text,
            [this, id = language.PrimaryLanguage] { SetLanguage(MakeLanguageID(id, 1)); });
    for (int i = 1; i <= 9; ++i)
        add(QStringLiteral("SchemeAddTemplate%1").arg(i), {}, 0,
            [this, i] { AddTemplateLocation(i); });
    Command(QStringLiteral("EditRedo"))
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Until the stick reports ready there is nothing to transmit to, nor to cancel.
    for (const char* name : {"SchemeTransmit", "SchemeTransmitCancel", "SchemeRestoreSent"})
        Command(QLatin1String(name))->setEnabled(false);
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
    setWindowTitle(text(TextId::ProductName));
    FMenuBar->ApplyLanguageTexts();
    for (QAction* action : actions())
        if (const int id = action->property(TextIdProperty).toInt(); id > 0)
            action->setText(text(id));
    for (int i = 1; i <= 9; ++i)
        Command(QStringLiteral("SchemeAddTemplate%1").arg(i))
            ->setText(
                FormatText(text(TextId::SchemeAddTemplate), {text(TemplateNameStringId + i)}));
    Command(QStringLiteral("HelpAbout"))
        ->setText(FormatText(text(TextId::HelpAbout), {text(TextId::ProductName)}));
    paSchemeConfig->ApplyLanguageTexts();
    // What screen readers say; the button's name begins with its caption, as seen.
    btnTransmit->setAccessibleName(
        FormatText(text(TextId::TransmitButtonName), {WithoutAccelerator(btnTransmit->text())}));
    lvLocations->setAccessibleName(text(TextId::LocationListName));
    sbStatus->setAccessibleName(text(TextId::StatusBarName));
}

void TZEFTMainForm::SetLanguage(std::uint16_t languageId) {
    LanguageID = languageId;
    RefreshLanguage();
}

void TZEFTMainForm::RefreshLanguage() {
    ApplyLanguageTexts();
    FDialogFilter = LoadLanguageString(TextId::FileFilter);
    FNotice->RefreshLanguage();
    paSchemeConfig->ResizeSchemeConfig();
    ShowConnectionStatus();
    timCurrentTime->stop();
    timCurrentTime->start();
}

void TZEFTMainForm::UpdateLocationCommands() {
    for (const char* name : {"SchemePrint", "SchemePrintPreview"})
        Command(QLatin1String(name))->setEnabled(FCurrentLocation != nullptr);
    // While a request is pending the transmit button cancels it instead.
    const bool pending = FTransfers && FTransfers->Pending();
    Command(QStringLiteral("SchemeTransmit"))
        ->setEnabled(FStatusKnown && FConnectionState == 1 && FCurrentLocation != nullptr);
    Command(QStringLiteral("SchemeTransmitCancel"))->setEnabled(pending);
    FButtons->ShowCancel(pending);
}

void TZEFTMainForm::UpdateFileCommands(int remainingLocations) {
    QAction* saveAs = Command(QStringLiteral("FileSaveAs"));
    saveAs->setEnabled(remainingLocations > 0);
    Command(QStringLiteral("FileSave"))
        ->setEnabled(saveAs->isEnabled() && !FDocument->FileName().isEmpty());
}

} // namespace zeft
