// The program's main window with the virtual stick plugged in and real pauses, to watch and
// screenshot a transmission without hardware. Not installed; not part of the tests.
#include "RadioTestSupport.h"
#include "VirtualStick.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Settings.h"
#include "zeft_USBConnection.h"

#include <QApplication>

int main(int argc, char** argv) {
    zeft::InitLanguageFromUserDefault();
    const zeft::TZEFTSettings settings;
    QApplication application(argc, argv);
    zeft::InitDisplayScale();
    zeft::virtualstick::PlugIn();
    zeft::test::TScratchDirectory scratch;
    zeft::TMainFormServices services;
    services.Settings = &settings;
    services.MakeConnection = [&scratch] {
        return std::make_unique<zeft::TUSBConnection>(
            zeft::test::VirtualDriverLoader(scratch.Path()),
            std::make_unique<zeft::TSystemRadioClock>());
    };
    zeft::TZEFTMainForm window(std::move(services));
    window.show();
    return QApplication::exec();
}
