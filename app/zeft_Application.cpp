#include "zeft_Application.h"

#include "TRecoveryStore.h"
#include "TTransferLog.h"
#include "zeft_About.h"
#include "zeft_CommandLine.h"
#include "zeft_Dialogs.h"
#include "zeft_DisplayScale.h"
#include "zeft_ExitSignals.h"
#include "zeft_Help.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Print.h"
#include "zeft_PrintCommands.h"
#include "zeft_PrivateDirectory.h"
#include "zeft_ProgramIcon.h"
#include "zeft_Settings.h"
#include "zeft_StringIds.h"
#include "zeft_USBConnection.h"

#include <QFile>
#include <QMessageBox>
#include <QSessionManager>
#include <QTimer>

namespace zeft {

namespace {

/// Where the copies of the program register their open files: the first of the user's
/// private folders that can be used; none when there is none.
QString OpenFilesFolder() {
    for (const std::filesystem::path& folder : DefaultDriverDirectories())
        if (OpenPrivateDirectory(folder).Valid())
            return QFile::decodeName((folder / "open").c_str());
    return {};
}

} // namespace

TZEFTApplication::TZEFTApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TZEFTApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorReport(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowErrorReport(QStringLiteral("Unknown error"));
    }
    return false;
}

void TZEFTApplication::ShowErrorReport(const QString& text) {
    // The program's title in the current language, as every window of it is titled.
    TDialogs::Message(QApplication::activeWindow(), QMessageBox::Critical,
                      LoadLanguageString(TextId::ProductName), text, QMessageBox::Ok);
}

int RunProgram(int argc, char** argv) {
    InitLanguageFromUserDefault();
    // Help and version answer before anything needs a display. Arguments that look wrong may
    // be the toolkit's own options: they are read again once the application has taken those.
    TCommandLine commandLine = ParseCommandLine(CommandLineArguments(argc, argv));
    if (commandLine.Action == TCommandLine::TAction::Print ||
        (commandLine.Action == TCommandLine::TAction::Fail && !commandLine.UnknownOption))
        return AnswerCommandLine(commandLine);
    const TZEFTSettings settings;
    TZEFTApplication application(argc, argv);
    if (commandLine.Action == TCommandLine::TAction::Fail) {
        commandLine = ParseCommandLine(QCoreApplication::arguments());
        if (commandLine.Action != TCommandLine::TAction::Run)
            return AnswerCommandLine(commandLine);
    }
    QApplication::setApplicationName(QStringLiteral("ZEFT"));
    QApplication::setOrganizationName(QStringLiteral("Pellwick"));
    // Every window shows the installed icon's picture; the desktop entry of the same id names
    // the windows on Wayland.
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral(ZEFT_APP_ID));
    // No application display name: the platform would append it to every window title, in the
    // language of the start, whatever language the windows have switched to since.
    InitDisplayScale();

    // The windows in their order: main window, about box, report module, help window.
    std::unique_ptr<TZEFTAboutForm> aboutForm;
    std::unique_ptr<TZEFTPrintProfiles> printProfiles;
    std::unique_ptr<TZEFTHelpForm> helpForm;
    TMainFormServices services;
    services.Settings = &settings;
    services.StartFile = commandLine.File;
    services.MakeConnection = [] { return std::make_unique<TUSBConnection>(); };
    services.TransferLogPath = TTransferLog::DefaultPath();
    services.OpenFilesFolder = OpenFilesFolder();
    services.RecoveryFolder = TRecoveryStore::DefaultFolder();
    services.ShowAbout = [&aboutForm] { aboutForm->ShowModal(); };
    services.ShowHelp = [&helpForm] { helpForm->ShowContents(); };
    TZEFTMainForm* window = nullptr;
    services.PrintProfile = [&](const THeatingLocation* location) {
        SchemePrintRun(*printProfiles, window, location);
    };
    services.PrintAllProfiles = [&](const THeatingLocations& locations) {
        SchemePrintAllRun(*printProfiles, window, locations);
    };
    services.PrintPreview = [&](const THeatingLocation* location) {
        printProfiles->PreviewProfile(location, window);
    };
    services.ExportPdf = [&](const THeatingLocations& locations, const QString& fileName) {
        printProfiles->ExportAllProfiles(locations, fileName);
    };
    TZEFTMainForm mainForm(std::move(services));
    window = &mainForm;
    aboutForm = std::make_unique<TZEFTAboutForm>(&mainForm);
    printProfiles = std::make_unique<TZEFTPrintProfiles>();
    helpForm = std::make_unique<TZEFTHelpForm>(&mainForm);
    // A logout, a shutdown or kill ends the program cleanly from here on.
    const TExitSignals exitSignals(mainForm);
    // The session asks before it ends; interaction is requested only for unsaved changes.
    QObject::connect(
        &application, &QGuiApplication::commitDataRequest, &mainForm,
        [&mainForm](QSessionManager& manager) {
            if (!mainForm.CommitSession([&manager] { return manager.allowsInteraction(); }))
                manager.cancel();
            manager.release();
        });
    mainForm.show();
    // Changes kept when an earlier run ended unasked, after any message of the start-up.
    QTimer::singleShot(0, &mainForm, [&mainForm] { mainForm.OfferRecovery(); });
    const int result = QApplication::exec();
    helpForm.reset();
    aboutForm.reset();
    return result;
}

} // namespace zeft
