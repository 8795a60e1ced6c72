// The window as the program builds it, with its signal handling, and one unsaved change (the
// program itself cannot be edited from outside): the schedule file named renamed to "Kitchen".
#include "TRecoveryStore.h"
#include "zeft_ExitSignals.h"
#include "zeft_Main.h"
#include "zeft_Settings.h"

#include <QApplication>

int main(int argc, char** argv) {
    using namespace zeft;
    QApplication application(argc, argv);
    if (argc != 2)
        return 2;
    QApplication::setApplicationName(QStringLiteral("ZEFT"));
    QApplication::setOrganizationName(QStringLiteral("Pellwick"));
    const TZEFTSettings settings;
    TMainFormServices services;
    services.Settings = &settings;
    services.StartFile = QString::fromLocal8Bit(argv[1]);
    services.RecoveryFolder = TRecoveryStore::DefaultFolder();
    TZEFTMainForm window(std::move(services));
    window.show();
    window.Document().RenameLocation(window.Locations().Items(0), "Kitchen");
    const TExitSignals exitSignals(window);
    return QApplication::exec();
}
