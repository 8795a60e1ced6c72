// Start-up to the first shown main window with the nine templates, and its peak memory,
// against a bare Qt main window started the same way in the same run.
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct TRun {
    double Seconds;
    double PeakMiB;
};

TRun RunProbe(const char* probe, bool bare) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (bare)
            execl(probe, probe, "--bare", static_cast<char*>(nullptr));
        else
            execl(probe, probe, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto stop = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the probe failed (status %d)\n", status);
        std::exit(1);
    }
    return {std::chrono::duration<double>(stop - start).count(), usage.ru_maxrss / 1024.0};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const std::string probe = argc > 1 ? argv[1] : BENCH_STARTUP_PROBE;
    // A fresh home: no settings, so the window starts with the nine templates.
    QTemporaryDir home;
    setenv("HOME", home.path().toLocal8Bit().constData(), 1);
    setenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(".config").toLocal8Bit().constData(), 1);
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    constexpr int Runs = 9;
    std::vector<double> bareTimes, zeftTimes, barePeaks, zeftPeaks;
    RunProbe(probe.c_str(), true); // warm the file cache
    RunProbe(probe.c_str(), false);
    for (int i = 0; i < Runs; ++i) {
        const TRun bareRun = RunProbe(probe.c_str(), true);
        const TRun zeftRun = RunProbe(probe.c_str(), false);
        bareTimes.push_back(bareRun.Seconds);
        barePeaks.push_back(bareRun.PeakMiB);
        zeftTimes.push_back(zeftRun.Seconds);
        zeftPeaks.push_back(zeftRun.PeakMiB);
    }
    const double bare = Median(bareTimes), zeft = Median(zeftTimes);
    std::printf("start-up to the first shown window, median of %d runs (%s platform)\n", Runs,
                getenv("QT_QPA_PLATFORM"));
    std::printf("bare Qt main window: %7.1f ms, peak %5.1f MiB\n", bare * 1e3, Median(barePeaks));
    std::printf("zeft main window:    %7.1f ms, peak %5.1f MiB (target <= 60 MiB)\n", zeft * 1e3,
                Median(zeftPeaks));
    std::printf("ratio %.2f (target <= 2.5)\n", zeft / bare);
    return 0;
}
