// Files of many rooms in the real window: open and show, then open a small file, and save;
// the heap the rooms take. Run it from a Release build:
//   QT_QPA_PLATFORM=offscreen build/rel/bench/app/bench_big_file [rooms ...]
#include "THeatingLocations.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Settings.h"
#include "zeft_Templates.h"

#include <QApplication>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>

using namespace zeft;

namespace {

using TClock = std::chrono::steady_clock;

double Seconds(TClock::duration d) {
    return std::chrono::duration<double>(d).count();
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

/// The resident memory now and at its highest so far, in KiB.
long ResidentKiB() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

/// The resident memory's highest mark since the last ResetPeakResident, in KiB.
long PeakResidentKiB() {
    long peak = 0;
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "VmHWM: %ld", &peak) == 1)
                break;
        std::fclose(status);
    }
    return peak;
}

/// Lowers the highest mark to the resident memory now, so that writing the file beforehand
/// does not count.
void ResetPeakResident() {
    if (FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

/// rooms rooms of 7 days × 5 periods (the bathroom template), each named uniquely.
void WriteFile(const QString& path, int rooms) {
    THeatingLocations locations;
    for (int i = 0; i < rooms; ++i) {
        auto room = CreateTemplateLocation(5, LoadLanguageStringUtf8);
        room->DisplayText = "Room " + std::to_string(i);
        locations.Add(std::move(room));
    }
    locations.SaveToFile(path.toStdString());
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    LanguageID = 9;
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 100000};

    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const QString small = dir.filePath("small.zeft");
    WriteFile(small, 3);
    // The peak is the resident memory's highest mark: sizes in rising order, or one a run.
    std::printf("%8s %13s %10s %12s %14s %10s %14s %14s\n", "rooms", "file KiB/room", "document s",
                "open+show s", "small after s", "save s", "heap KiB/room", "peak KiB/room");
    for (const int rooms : sizes) {
        const QString big = dir.filePath(QStringLiteral("big%1.zeft").arg(rooms));
        WriteFile(big, rooms);
        TZEFTSettings settings;
        TMainFormServices services;
        services.Settings = &settings;
        services.StartFile = small;
        TZEFTMainForm form(std::move(services));
        form.show();
        (void)QTest::qWaitForWindowExposed(&form);
        QApplication::processEvents();
        // Memory freed before (writing the file) would otherwise be reused unseen.
        malloc_trim(0);
        const std::size_t heapBefore = HeapInUse();
        const long residentBefore = ResidentKiB();
        ResetPeakResident();

        auto start = TClock::now();
        form.LoadFile(big);
        QApplication::processEvents();
        const double open = Seconds(TClock::now() - start);
        const std::size_t heapAfter = HeapInUse();

        start = TClock::now();
        (void)form.Document().SaveAs(dir.filePath("saved.zeft"));
        const double save = Seconds(TClock::now() - start);
        const long peak = PeakResidentKiB() - residentBefore; // opening, showing and saving

        start = TClock::now();
        form.LoadFile(small);
        QApplication::processEvents();
        const double after = Seconds(TClock::now() - start);
        // The document alone: reading and building the rooms, without a window.
        start = TClock::now();
        {
            TScheduleDocument alone;
            (void)alone.Load(big);
        }
        const double document = Seconds(TClock::now() - start);

        std::printf("%8d %13.1f %10.3f %12.3f %14.3f %10.3f %14.1f %14.1f\n", rooms,
                    static_cast<double>(QFileInfo(big).size()) / 1024.0 / rooms, document, open,
                    after, save, static_cast<double>(heapAfter - heapBefore) / 1024.0 / rooms,
                    static_cast<double>(peak) / rooms);
        std::fflush(stdout);
    }
    return 0;
}
