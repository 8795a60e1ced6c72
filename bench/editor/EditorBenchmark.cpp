// The cost of the editor's two hot paths, offscreen: one pointer move while a start edge is
// dragged (the control, the model, the previous period following), and one rebuild of a day
// row with seven periods. Both should stay well under a millisecond.
#include "TDailyComfortIntervalsSlider.h"
#include "TDailyHeatingIntervals.h"
#include "zeft_DisplayScale.h"

#include <QApplication>
#include <QLocale>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace zeft;

std::unique_ptr<TDailyHeatingIntervals> SevenPeriodDay() {
    auto day = std::make_unique<TDailyHeatingIntervals>();
    const int bounds[] = {0, 6 * 60 + 30, 9 * 60, 11 * 60 + 30, 13 * 60, 17 * 60, 20 * 60, 1440};
    const double temperatures[] = {17, 20, 17, 20, 17, 20, 17};
    for (int i = 0; i < 7; ++i)
        day->Add(std::make_unique<TSingleHeatingInterval>(
            std::make_unique<TTemperature>(temperatures[i]), bounds[i] / MinutesPerDay,
            bounds[i + 1] / MinutesPerDay));
    return day;
}

struct TScene {
    std::unique_ptr<TDailyHeatingIntervals> Day = SevenPeriodDay();
    std::unique_ptr<QWidget> Window = std::make_unique<QWidget>();
    TDailyComfortIntervalsSlider* Row;

    TScene() {
        Window->resize(600, 100);
        Row = new TDailyComfortIntervalsSlider(Day.get(), Window.get());
        Row->setGeometry(10, 10, 494, 43);
        Window->show();
        QApplication::processEvents();
    }
    ~TScene() { Window.reset(); }
};

void Send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

/// With repaint: the move and the painting of what it changed (the two controls, offscreen).
void BM_StartEdgeDragMove(benchmark::State& state) {
    const bool paint = state.range(0) != 0;
    TScene scene;
    TSingleComfortIntervalSlider* slider = scene.Row->Sliders().Items(5); // 17:00-20:00
    const int y = slider->height() / 2;
    Send(slider, QEvent::MouseMove, QPoint(2, y), Qt::NoButton, Qt::NoButton);
    Send(slider, QEvent::MouseButtonPress, QPoint(2, y), Qt::LeftButton, Qt::LeftButton);
    if (!slider->ResizingStart()) {
        state.SkipWithError("the start edge did not take the press");
        return;
    }
    // Back and forth over about an hour, so the model's start and the neighbour move too.
    int step = 0;
    for (auto _ : state) {
        const int target = (step++ % 2 == 0) ? 320 : 340;
        Send(slider, QEvent::MouseMove, QPoint(target - slider->x(), y), Qt::NoButton,
             Qt::LeftButton);
        if (paint)
            scene.Window->repaint();
    }
    Send(slider, QEvent::MouseButtonRelease, QPoint(0, y), Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_StartEdgeDragMove)
    ->ArgName("paint")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9);

void BM_RowRebuildSevenPeriods(benchmark::State& state) {
    const bool paint = state.range(0) != 0;
    TScene scene;
    for (auto _ : state) {
        scene.Row->Rebuild();
        if (paint)
            scene.Window->repaint();
        benchmark::DoNotOptimize(scene.Row->Sliders().Count());
    }
    if (scene.Row->Sliders().Count() != 7)
        state.SkipWithError("the row did not hold seven controls");
}
BENCHMARK(BM_RowRebuildSevenPeriods)
    ->ArgName("paint")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    SetDisplayScale(1.0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
