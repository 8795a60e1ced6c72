// The undo stack under 10,000 steps: the memory the steps take, the time to record and push
// one, and the time of one undo and one redo, on the model alone and in the real window.
#include "TDailyComfortIntervalsSlider.h"
#include "THeatingLocations.h"
#include "TScheduleDocument.h"
#include "TSingleComfortIntervalSlider.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Settings.h"
#include "zeft_Templates.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <vector>

using namespace zeft;

namespace {

using TClock = std::chrono::steady_clock;

double Micro(TClock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

struct TSpread {
    double Median, P99, Max;
};

TSpread Spread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values[values.size() * 99 / 100], values.back()};
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

/// One step as the editor makes it: a period's temperature or start changed, on one of the
/// seven days of one of the nine locations, in turn.
void EditOnce(THeatingLocation& location, int step) {
    TDailyHeatingIntervals& day = location.Days(step % 7);
    TSingleHeatingInterval& period = day.Items(day.Count() - 1);
    // A one-period day's start stays at 00:00: its temperature changes instead.
    if (step % 2 == 1 && day.Count() > 1) {
        // one mark later, or back when the stop is in the way
        const TTime start = period.Start();
        period.SetStart(start + TenMinutes);
        if (SameTime(period.Start(), start))
            period.SetStart(start - TenMinutes);
    } else {
        const double value = period.Temperature().Value();
        period.Temperature().SetValue(value == 21.5 ? 18.0 : 21.5);
    }
}

void ModelStack(int steps) {
    TScheduleDocument document;
    THeatingLocations& locations = document.Locations();
    for (int i = 1; i <= 9; ++i)
        locations.Add(CreateTemplateLocation(i, LoadLanguageStringUtf8));
    QUndoStack& stack = document.UndoStack();

    const std::size_t heapBefore = HeapInUse();
    std::vector<double> pushTimes;
    pushTimes.reserve(static_cast<size_t>(steps));
    for (int step = 0; step < steps; ++step) {
        THeatingLocation& location = locations.Items(step % 9);
        const auto start = TClock::now();
        document.BeginDayEdit(&location);
        EditOnce(location, step);
        if (!document.EndDayEdit()) {
            std::fprintf(stderr, "step %d changed nothing\n", step);
            std::exit(1);
        }
        pushTimes.push_back(Micro(TClock::now() - start));
    }
    const std::size_t heapAfter = HeapInUse();

    std::vector<double> undoTimes, redoTimes;
    for (int step = 0; step < steps; ++step) {
        const auto start = TClock::now();
        stack.undo();
        undoTimes.push_back(Micro(TClock::now() - start));
    }
    for (int step = 0; step < steps; ++step) {
        const auto start = TClock::now();
        stack.redo();
        redoTimes.push_back(Micro(TClock::now() - start));
    }
    const TSpread push = Spread(pushTimes), undo = Spread(undoTimes), redo = Spread(redoTimes);
    const double mib = static_cast<double>(heapAfter - heapBefore) / (1024.0 * 1024.0);
    std::printf("model, %d steps on the stack: %.2f MiB (%.0f bytes a step)\n", stack.count(), mib,
                static_cast<double>(heapAfter - heapBefore) / stack.count());
    std::printf("  record and push one: median %.1f us, 99%% %.1f us, max %.1f us\n", push.Median,
                push.P99, push.Max);
    std::printf("  one undo:            median %.1f us, 99%% %.1f us, max %.1f us\n", undo.Median,
                undo.P99, undo.Max);
    std::printf("  one redo:            median %.1f us, 99%% %.1f us, max %.1f us\n", redo.Median,
                redo.P99, redo.Max);
}

void WindowStack(int steps, int timed) {
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    TZEFTSettings settings;
    TMainFormServices services;
    services.Settings = &settings;
    TZEFTMainForm form(std::move(services));
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    form.activateWindow();
    TDailyComfortIntervalsSlider* row = form.DayRow(0);
    row->setFocus();
    row->SelectSlider(1);
    // + and - in turn, each a step of its own, on Monday's second period.
    for (int step = 0; step < steps; ++step)
        QTest::keyClick(row, step % 2 ? Qt::Key_Minus : Qt::Key_Plus);
    QAction* undo = form.Command(QStringLiteral("EditUndo"));
    QAction* redo = form.Command(QStringLiteral("EditRedo"));
    std::vector<double> undoTimes, redoTimes;
    for (int i = 0; i < timed; ++i) {
        auto start = TClock::now();
        undo->trigger();
        undoTimes.push_back(Micro(TClock::now() - start));
        QApplication::processEvents(); // repaint and deferred deletions, outside the figure
        start = TClock::now();
        redo->trigger();
        redoTimes.push_back(Micro(TClock::now() - start));
        QApplication::processEvents();
        undo->trigger();
        QApplication::processEvents();
    }
    const TSpread u = Spread(undoTimes), r = Spread(redoTimes);
    std::printf("window, %d steps on the stack (offscreen; rows rebuilt, list and heading):\n",
                form.Document().UndoStack().count());
    std::printf("  one undo: median %.1f us, 99%% %.1f us, max %.1f us\n", u.Median, u.P99, u.Max);
    std::printf("  one redo: median %.1f us, 99%% %.1f us, max %.1f us\n", r.Median, r.P99, r.Max);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    LanguageID = 9;
    ModelStack(10000);
    WindowStack(10000, 300);
    return 0;
}
