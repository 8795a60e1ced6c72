// The rooms' transfer marks and the guided run of several rooms, as PNGs for the README. The
// record is made up here; no stick is needed. Not installed; not part of the tests.
//   zeft_transfer_screenshots FOLDER   writes transfer-marks.png and guided-run.png
#include "TGuidedRunDialog.h"
#include "TLocationList.h"
#include "TTransferLog.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Settings.h"
#include "zeft_Templates.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace zeft;

namespace {

THeatingLocation* Room(TZEFTMainForm& window, const char* name) {
    const auto items = window.lvLocations->findItems(QString::fromUtf8(name), Qt::MatchExactly);
    return items.isEmpty() ? nullptr : TLocationList::LocationOf(items.constFirst());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    QApplication application(argc, argv);
    InitDisplayScale();
    LanguageID = 9;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir home;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    const TZEFTSettings settings;
    const QString record = home.filePath("transfers.sqlite");
    {
        // Two rooms sent from the unsaved document; the kitchen changes afterwards.
        TTransferLog log;
        log.Open(record);
        for (int templateIndex : {4, 5}) {
            auto room = CreateTemplateLocation(templateIndex, LoadLanguageStringUtf8);
            log.RecordOutcome(log.RecordRequest(QString(), *room), TTransferResult::Sent);
        }
    }
    TMainFormServices services;
    services.Settings = &settings;
    services.TransferLogPath = record;
    TZEFTMainForm window(std::move(services));
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    THeatingLocation* kitchen = Room(window, "Kitchen");
    if (!kitchen)
        return 1;
    window.Document().SetTemperature(*kitchen, 0, 1, 22.5);
    window.lvLocations->setCurrentItem(window.lvLocations->ItemOf(kitchen));
    QApplication::processEvents();
    if (!window.grab().save(folder.filePath(QStringLiteral("transfer-marks.png"))))
        return 1;

    // The guided run after its first room.
    window.Command(QStringLiteral("SchemeTransmitSeveral"))->trigger();
    TGuidedRunDialog* run = window.GuidedRun();
    if (!run)
        return 1;
    run->ConnectionChanged(1, 0, TNoStickCause{});
    run->OnSend = [](const THeatingLocation&) {};
    run->btnStart->click();
    run->btnSend->click();
    run->Finished(QStringLiteral("Bedroom"), TRequestOutcome::Sent); // first ticked in the list
    QApplication::processEvents();
    return run->grab().save(folder.filePath(QStringLiteral("guided-run.png"))) ? 0 : 1;
}
