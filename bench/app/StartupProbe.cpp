// Starts either the program's main window (nine templates, the connection thread running) or
// a bare Qt main window the same way, and quits as soon as the window has been shown and
// painted. bench_startup times whole runs of this program.
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Settings.h"
#include "zeft_USBConnection.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    const bool bare = argc > 1 && std::strcmp(argv[1], "--bare") == 0;
    if (bare) {
        QApplication application(argc, argv);
        QMainWindow window;
        window.resize(800, 478);
        window.show();
        QTimer::singleShot(0, &application, &QApplication::quit);
        return QApplication::exec();
    }
    zeft::InitLanguageFromUserDefault();
    const zeft::TZEFTSettings settings;
    QApplication application(argc, argv);
    zeft::InitDisplayScale();
    zeft::TMainFormServices services;
    services.Settings = &settings;
    services.MakeConnection = [] { return std::make_unique<zeft::TUSBConnection>(); };
    zeft::TZEFTMainForm window(std::move(services));
    window.show();
    QTimer::singleShot(0, &application, &QApplication::quit);
    const int result = QApplication::exec();
    if (window.Locations().Count() != 9)
        return 2; // not the start this benchmark is about
    return result;
}
