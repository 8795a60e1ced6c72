// The window survives what users do with it: events whose delivery re-displays the location,
// drags to the row's end, and random clicks, drags and keys anywhere in it from fixed seeds,
// with the schedule's invariants checked after every action.
//
// ZEFT_ROBUSTNESS_SEEDS (comma-separated) and ZEFT_ROBUSTNESS_EVENTS (per seed) run other or
// longer sessions; ZEFT_ROBUSTNESS_VERBOSE=1 prints every action before it is sent. A failure
// names the seed and the action and lists the actions up to it: the same seed and count
// replay it exactly.
#include "DayText.h"
#include "MainFormFixture.h"
#include "TScheduleFileError.h"
#include "zeft_EditorGeometry.h"
#include "zeft_ScheduleFile.h"

#include <QMenuBar>
#include <QScrollArea>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

// Present only in sanitizer builds: lets a crash still name the seed and the action.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

using namespace zeft;
using namespace zeft::test;

namespace {

const std::vector<unsigned> DefaultSeeds = {1, 2, 3};
constexpr int DefaultEventsPerSeed = 800;
/// The file round trip is the slowest check: every this many actions, and at the end.
constexpr int SaveEvery = 25;

std::vector<unsigned> SeedsFromEnvironment() {
    const QByteArray text = qgetenv("ZEFT_ROBUSTNESS_SEEDS");
    if (text.isEmpty())
        return DefaultSeeds;
    std::vector<unsigned> seeds;
    for (const QByteArray& part : text.split(','))
        if (!part.trimmed().isEmpty())
            seeds.push_back(part.trimmed().toUInt());
    return seeds;
}

int EventsFromEnvironment() {
    bool ok = false;
    const int events = qEnvironmentVariableIntValue("ZEFT_ROBUSTNESS_EVENTS", &ok);
    return ok && events > 0 ? events : DefaultEventsPerSeed;
}

/// Empty when the day is well formed: 1 to 7 periods from 00:00 to 24:00 without gap or
/// overlap, none shorter than 10 minutes.
std::string DayFault(const TDailyHeatingIntervals& day) {
    if (day.Count() < 1 || day.Count() > TDailyHeatingIntervals::MaxPeriodsPerDay)
        return std::to_string(day.Count()) + " periods";
    if (!SameTime(day.Items(0).Start(), Midnight))
        return "does not start at 00:00";
    if (!SameTime(day.Items(day.Count() - 1).Stop(), EndOfDay))
        return "does not end at 24:00";
    for (int i = 0; i < day.Count(); ++i) {
        const TSingleHeatingInterval& p = day.Items(i);
        if (LaterThan(TenMinutes, p.Stop() - p.Start()))
            return "period " + std::to_string(i) + " is shorter than 10 minutes";
        if (i > 0 && !SameTime(day.Items(i - 1).Stop(), p.Start()))
            return "gap or overlap before period " + std::to_string(i);
    }
    return {};
}

/// Empty when both collections hold the same names, days, times and temperatures.
std::string CollectionDifference(const THeatingLocations& a, const THeatingLocations& b) {
    if (a.Count() != b.Count())
        return std::to_string(a.Count()) + " locations, read back " + std::to_string(b.Count());
    for (int l = 0; l < a.Count(); ++l) {
        const THeatingLocation& x = a.Items(l);
        const THeatingLocation& y = b.Items(l);
        const std::string name = "location " + std::to_string(l) + " \"" + x.DisplayText + "\"";
        if (x.DisplayText != y.DisplayText)
            return name + " read back as \"" + y.DisplayText + "\"";
        for (int d = 0; d < 7; ++d) {
            const TDailyHeatingIntervals& p = x.Days(d);
            const TDailyHeatingIntervals& q = y.Days(d);
            bool same = p.Count() == q.Count();
            for (int i = 0; same && i < p.Count(); ++i)
                same = SameTime(p.Items(i).Start(), q.Items(i).Start()) &&
                       SameTime(p.Items(i).Stop(), q.Items(i).Stop()) &&
                       std::abs(p.Items(i).Temperature().Value() -
                                q.Items(i).Temperature().Value()) < 0.005;
            if (!same)
                return name + " day " + std::to_string(d) + " " + DayText(p) + " read back as " +
                       DayText(q);
        }
    }
    return {};
}

/// What the death callback prints when a sanitizer stops the run.
struct TRunTrace {
    unsigned Seed = 0;
    int Index = -1;
    const std::vector<std::string>* Events = nullptr;
};
TRunTrace Trace;

void PrintTrace() {
    std::fprintf(stderr, "robustness run stopped: seed %u, action %d\n", Trace.Seed, Trace.Index);
    if (Trace.Events)
        for (size_t i = 0; i < Trace.Events->size(); ++i)
            std::fprintf(stderr, "  %zu: %s\n", i, (*Trace.Events)[i].c_str());
    std::fprintf(stderr, "replay: ZEFT_ROBUSTNESS_SEEDS=%u ZEFT_ROBUSTNESS_EVENTS=%d\n", Trace.Seed,
                 Trace.Index + 1);
}

class RobustnessTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        // The save prompt keeps the window open; every other question is answered Cancel too.
        NextAnswer = QMessageBox::Cancel;
        if (__sanitizer_set_death_callback)
            __sanitizer_set_death_callback(PrintTrace);
    }

    void TearDown() override {
        Trace = {};
        MainFormTest::TearDown();
    }

    /// Runs one session; returns the first fault, empty when none.
    std::string RunSeed(unsigned seed, int events);

private:
    int Uniform(int low, int high) { // low..high inclusive
        return std::uniform_int_distribution<int>(low, std::max(low, high))(FRandom);
    }
    bool Chance(int percent) { return Uniform(0, 99) < percent; }

    struct TSpot {
        QWidget* Widget;
        QPoint Local;
        std::string Name;
    };
    TSpot RandomSlider(bool edgeBiased);
    TSpot RandomRowPoint();
    TSpot RowRightEnd();
    TSpot RandomIn(QWidget* widget, const std::string& name);
    TSpot RandomClientPoint();
    TSpot ClickSpot();
    TSpot DragSource();
    TSpot DragTarget();

    std::string ClickSomewhere();
    std::string DragSomewhere();
    std::string PressKey();
    std::string Fault(bool roundTrip);

    void HoverTo(QPoint windowPos) {
        // The platform reports a move only when the pointer changes place: come from a pixel above.
        QTest::mouseMove(Window(), windowPos - QPoint(0, 1));
        QTest::mouseMove(Window(), windowPos);
    }
    QPoint WindowPos(const TSpot& spot) const { return InWindow(spot.Widget, spot.Local); }
    static std::string At(const TSpot& spot) {
        return spot.Name + "(" + std::to_string(spot.Local.x()) + "," +
               std::to_string(spot.Local.y()) + ")";
    }

    std::mt19937 FRandom;
};

RobustnessTest::TSpot RobustnessTest::RandomSlider(bool edgeBiased) {
    const int d = Uniform(0, 6);
    const TSliderList& sliders = Form->DayRow(d)->Sliders();
    if (sliders.Count() == 0)
        return RandomRowPoint();
    const int i = Uniform(0, sliders.Count() - 1);
    TSingleComfortIntervalSlider* slider = sliders.Items(i);
    const int w = std::max(1, slider->width()), h = std::max(1, slider->height());
    // The start edge is the left 12 pixels: half of the presses go there.
    const int x = edgeBiased && Chance(50) ? Uniform(0, std::min(w, 12) - 1) : Uniform(0, w - 1);
    return {slider, QPoint(x, Uniform(0, h - 1)),
            "period" + std::to_string(d) + "." + std::to_string(i)};
}

RobustnessTest::TSpot RobustnessTest::RandomRowPoint() {
    const int d = Uniform(0, 6);
    TDailyComfortIntervalsSlider* row = Form->DayRow(d);
    return RandomIn(row, "row" + std::to_string(d));
}

RobustnessTest::TSpot RobustnessTest::RowRightEnd() {
    // 24:00 lies at Scale(), a few pixels left of the row's right end.
    const int d = Uniform(0, 6);
    TDailyComfortIntervalsSlider* row = Form->DayRow(d);
    const int scale = row->Scale();
    const int xs[] = {scale - 2, scale - 1, scale, scale + 1, row->width() - 1, row->width() + 6};
    return {row, QPoint(xs[Uniform(0, 5)], Uniform(0, std::max(0, row->height() - 17))),
            "row" + std::to_string(d)};
}

RobustnessTest::TSpot RobustnessTest::RandomIn(QWidget* widget, const std::string& name) {
    return {widget, QPoint(Uniform(0, widget->width() - 1), Uniform(0, widget->height() - 1)),
            name};
}

RobustnessTest::TSpot RobustnessTest::RandomClientPoint() {
    // The whole window below its menu bar (the menus open windows of their own).
    const auto* menus = Form->findChild<QMenuBar*>();
    const int top = menus ? menus->geometry().bottom() + 1 : 0;
    return {Form.get(), QPoint(Uniform(0, Form->width() - 1), Uniform(top, Form->height() - 1)),
            "window"};
}

RobustnessTest::TSpot RobustnessTest::ClickSpot() {
    switch (Uniform(0, 9)) {
    case 0:
    case 1:
    case 2:
        return RandomSlider(true);
    case 3:
        return RandomRowPoint();
    case 4:
        return RandomIn(Form->lbDays->viewport(), "days");
    case 5:
        return RandomIn(Form->lvLocations->viewport(), "locations");
    case 6:
        return RandomIn(Form->cmbTemperature, "chooser");
    case 7:
        return RandomIn(Form->btnSplitInterval, "split");
    case 8:
        return RandomIn(Form->imgTrashCan, "bin");
    default:
        return RandomClientPoint();
    }
}

RobustnessTest::TSpot RobustnessTest::DragSource() {
    switch (Uniform(0, 7)) {
    case 0:
    case 1:
    case 2:
    case 3:
        return RandomSlider(true);
    case 4:
        return RandomRowPoint();
    case 5:
        return RandomIn(Form->lbDays->viewport(), "days");
    case 6:
        return RandomIn(Form->imgTrashCan, "bin");
    default:
        return RandomClientPoint();
    }
}

RobustnessTest::TSpot RobustnessTest::DragTarget() {
    switch (Uniform(0, 9)) {
    case 0:
    case 1:
        return RandomSlider(false);
    case 2:
    case 3:
        return RandomRowPoint();
    case 4:
    case 5:
        return RowRightEnd();
    case 6:
        return RandomIn(Form->imgTrashCan, "bin");
    case 7:
        return RandomIn(Form->lbDays->viewport(), "days");
    default:
        return RandomClientPoint();
    }
}

std::string RobustnessTest::ClickSomewhere() {
    const TSpot spot = ClickSpot();
    const std::string text = "click " + At(spot);
    const QPoint p = WindowPos(spot);
    HoverTo(p);
    QTest::mousePress(Window(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, p);
    return text;
}

std::string RobustnessTest::DragSomewhere() {
    const TSpot from = DragSource();
    const QPoint start = WindowPos(from);
    // The target is looked up before the press: the press may replace the controls.
    const TSpot to = DragTarget();
    const QPoint end = WindowPos(to);
    const int steps = Uniform(1, 8);
    const std::string text =
        "drag " + At(from) + " to " + At(to) + " in " + std::to_string(steps) + " steps";
    HoverTo(start);
    QTest::mousePress(Window(), Qt::LeftButton, {}, start);
    for (int step = 1; step <= steps; ++step)
        QTest::mouseMove(Window(), start + (end - start) * step / steps);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, end);
    return text;
}

std::string RobustnessTest::PressKey() {
    struct TKey {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        const char* Name;
    };
    static const TKey keys[] = {
        {Qt::Key_Insert, {}, "Insert"},
        {Qt::Key_Delete, {}, "Delete"},
        {Qt::Key_Left, {}, "Left"},
        {Qt::Key_Right, {}, "Right"},
        {Qt::Key_Up, {}, "Up"},
        {Qt::Key_Down, {}, "Down"},
        {Qt::Key_Plus, {}, "+"},
        {Qt::Key_Minus, {}, "-"},
        {Qt::Key_F2, {}, "F2"},
        {Qt::Key_Tab, {}, "Tab"},
        {Qt::Key_Space, {}, "Space"},
        {Qt::Key_Escape, {}, "Escape"},
        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    };
    const TKey& key = keys[Uniform(0, static_cast<int>(std::size(keys)) - 1)];
    QWidget* focus = QApplication::focusWidget();
    const std::string text = std::string("key ") + key.Name + " on " +
                             (focus ? focus->metaObject()->className() : "nothing");
    // Through the window, as the platform delivers keys: to the open popup, if any, or the
    // widget with the keyboard, with the window's shortcuts.
    QTest::keyClick(Window(), key.Key, key.Modifiers);
    return text;
}

std::string RobustnessTest::Fault(bool roundTrip) {
    THeatingLocations& locations = Form->Locations();
    for (int l = 0; l < locations.Count(); ++l)
        for (int d = 0; d < 7; ++d) {
            const std::string fault = DayFault(locations.Items(l).Days(d));
            if (!fault.empty())
                return "\"" + locations.Items(l).DisplayText + "\" day " + std::to_string(d) +
                       " (" + DayText(locations.Items(l).Days(d)) + "): " + fault;
        }

    const THeatingLocation* current = Form->CurrentLocation();
    if (current && locations.IndexOf(current) < 0)
        return "the window shows a location that is gone";
    for (int d = 0; d < 7; ++d) {
        const TDailyComfortIntervalsSlider* row = Form->DayRow(d);
        const std::string name = "row " + std::to_string(d);
        if (current && row->Intervals() != &current->Days(d))
            return name + " does not show the current location's day";
        if (row->RebuildPending())
            continue; // a busy control: it waits for its handler (none runs between actions)
        const int count = row->Intervals() ? row->Intervals()->Count() : 0;
        if (row->Sliders().Count() != count)
            return name + " has " + std::to_string(row->Sliders().Count()) + " controls for " +
                   std::to_string(count) + " periods";
        for (int i = 0; i < count; ++i) {
            const TSingleComfortIntervalSlider* c = row->Sliders().Items(i);
            const TSingleHeatingInterval& p = row->Intervals()->Items(i);
            if (c->Interval() != &p || !c->isVisible())
                return name + " control " + std::to_string(i) + " is not its period's";
            if (c->x() != TimeToPixel(p.Start(), row->Scale()) ||
                c->width() != PeriodWidth(p.Start(), p.Stop(), row->Scale()))
                return name + " control " + std::to_string(i) + " is not where " + HhMm(p.Start()) +
                       "-" + HhMm(p.Stop()) + " lies";
        }
    }

    if (roundTrip) {
        const std::string path = FSettingsDir.filePath("robustness.zeft").toStdString();
        try {
            locations.SaveToFile(path);
            TParsedScheduleFile parsed;
            ParseScheduleFile(path, parsed);
            THeatingLocations read;
            read.LoadFromXML(parsed.Document, &parsed.Lines);
            const std::string difference = CollectionDifference(locations, read);
            if (!difference.empty())
                return "saved file: " + difference;
        } catch (const TScheduleFileError& error) {
            return std::string("saved file: ") + error.what();
        }
    }
    return {};
}

std::string RobustnessTest::RunSeed(unsigned seed, int events) {
    FRandom.seed(seed);
    Start();
    Form->activateWindow();
    if (!QTest::qWaitForWindowActive(Form.get()))
        return "the window never became active";
    const bool verbose = qEnvironmentVariableIntValue("ZEFT_ROBUSTNESS_VERBOSE") != 0;
    std::vector<std::string> done;
    Trace = {seed, -1, &done};
    for (int index = 0; index < events; ++index) {
        Trace.Index = index;
        // The exit button closes the window when nothing is unsaved: it comes back.
        if (!Form->isVisible()) {
            Form->show();
            Form->activateWindow();
        }
        const int kind = Uniform(0, 99);
        std::string text;
        if (kind < 35)
            text = ClickSomewhere();
        else if (kind < 70)
            text = DragSomewhere();
        else
            text = PressKey();
        done.push_back(text);
        if (verbose)
            std::fprintf(stderr, "seed %u action %d: %s\n", seed, index, text.c_str());
        QApplication::processEvents();
        const std::string fault = Fault(index % SaveEvery == 0 || index + 1 == events);
        if (!fault.empty()) {
            std::ostringstream report;
            report << "seed " << seed << ", action " << index << ": " << fault << "\nactions:\n";
            for (size_t i = 0; i < done.size(); ++i)
                report << "  " << i << ": " << done[i] << "\n";
            report << "replay: ZEFT_ROBUSTNESS_SEEDS=" << seed
                   << " ZEFT_ROBUSTNESS_EVENTS=" << index + 1;
            return report.str();
        }
    }
    // Let deferred deletions run before the next window, as the event loop would.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Form.reset();
    Trace = {};
    return {};
}

/// Empty when the rows show the current location's days, one control per period, each bound
/// to its period; otherwise what differs.
std::string RowsMismatch(TZEFTMainForm& form) {
    for (int d = 0; d < 7; ++d) {
        const TDailyComfortIntervalsSlider* row = form.DayRow(d);
        const TDailyHeatingIntervals* day = row->Intervals();
        const std::string name = "row " + std::to_string(d);
        if (!form.CurrentLocation() || day != &form.CurrentLocation()->Days(d))
            return name + " shows another day";
        if (row->Sliders().Count() != day->Count())
            return name + " has " + std::to_string(row->Sliders().Count()) + " controls for " +
                   std::to_string(day->Count()) + " periods";
        for (int i = 0; i < day->Count(); ++i)
            if (row->Sliders().Items(i)->Interval() != &day->Items(i) ||
                !row->Sliders().Items(i)->isVisible())
                return name + " control " + std::to_string(i) + " is not its period's";
    }
    return {};
}

/// Where the pointer lands while a new name is being typed in place. The press takes the
/// keyboard from the editor, which commits the name while the press is still being delivered;
/// the rename re-displays the location and so replaces the rows' controls.
enum class TPointerAfterTyping { ClickPeriod, EdgeDragPeriod, DragPeriodToBin, DragDay };

struct TRenameCommitCase {
    const char* Name;
    TPointerAfterTyping Pointer;
    const char* Typed;    // replaces the name being edited (F2 selects all of it)
    const char* Expected; // the shown location's name afterwards
};

class RenameCommittedByThePointer : public MainFormTest,
                                    public testing::WithParamInterface<TRenameCommitCase> {
protected:
    /// F2 on the selected location, then one typed text, without Return.
    void BeginRename(const char* typed) {
        Form->activateWindow();
        Form->lvLocations->setFocus();
        QApplication::processEvents();
        QTest::keyClick(Form->lvLocations, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, Form->lvLocations) << "F2 opened no editor";
        QTest::keyClicks(editor, typed);
    }
};

TEST_P(RenameCommittedByThePointer, DestroysNoControlThatIsStillInUse) {
    const TRenameCommitCase& c = GetParam();
    Start();
    BeginRename(c.Typed);
    TSingleComfortIntervalSlider* sunday = Slider(6, 0);
    ASSERT_NE(sunday, nullptr);
    switch (c.Pointer) {
    case TPointerAfterTyping::ClickPeriod:
        Click(sunday, sunday->rect().center());
        break;
    case TPointerAfterTyping::EdgeDragPeriod: {
        TSingleComfortIntervalSlider* second = Slider(6, 1);
        MoveTo(second, QPoint(2, 4));
        MoveTo(second, QPoint(2, 5));
        Drag(second, QPoint(2, 5), second, QPoint(30, 5));
        break;
    }
    case TPointerAfterTyping::DragPeriodToBin:
        Drag(sunday, sunday->rect().center(), Form->imgTrashCan,
             Form->imgTrashCan->rect().center());
        break;
    case TPointerAfterTyping::DragDay: {
        const QRect monday = Form->lbDays->visualItemRect(Form->lbDays->item(0));
        const QRect friday = Form->lbDays->visualItemRect(Form->lbDays->item(4));
        Drag(Form->lbDays->viewport(), monday.center(), Form->lbDays->viewport(), friday.center());
        break;
    }
    }
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CurrentName(), c.Expected);
    EXPECT_EQ(Form->paCurrentSchemeDisplayText->text().toStdString(), c.Expected);
    EXPECT_EQ(RowsMismatch(*Form), "");
    for (int d = 0; d < 7; ++d)
        EXPECT_TRUE(Form->CurrentLocation()->Days(d).Count() >= 1);
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, RenameCommittedByThePointer,
    testing::Values(
        TRenameCommitCase{"ClickOnAPeriod", TPointerAfterTyping::ClickPeriod, "B", "B"},
        // The new name sorts the item elsewhere in the list as it is committed.
        TRenameCommitCase{"ClickOnAPeriodResorting", TPointerAfterTyping::ClickPeriod, "x", "x"},
        TRenameCommitCase{"EdgeDrag", TPointerAfterTyping::EdgeDragPeriod, "B", "B"},
        TRenameCommitCase{"DragToTheBin", TPointerAfterTyping::DragPeriodToBin, "B", "B"},
        TRenameCommitCase{"DragADay", TPointerAfterTyping::DragDay, "B", "B"}),
    [](const testing::TestParamInfo<TRenameCommitCase>& info) { return info.param.Name; });

TEST_F(MainFormTest, DraggingTheLastStartPastTheRowsEndLeavesTenMinutesAndSavesSoundly) {
    Start();
    SelectLocation("Living room"); // Monday 00:00-17:00, 17:00-23:00, 23:00-24:00
    TSingleComfortIntervalSlider* last = Slider(0, 2);
    TDailyComfortIntervalsSlider* row = Form->DayRow(0);
    MoveTo(last, QPoint(2, 4));
    MoveTo(last, QPoint(2, 5)); // the resize cursor
    Drag(last, QPoint(2, 5), row, QPoint(row->width() - 1, 5));
    EXPECT_EQ(DayText(Form->CurrentLocation()->Days(0)),
              "00:00-17:00 17, 17:00-23:50 20, 23:50-24:00 17");
    EXPECT_EQ(row->Sliders().Count(), 3);

    const QString path = FSettingsDir.filePath("dragged.zeft");
    Form->Locations().SaveToFile(path.toStdString());
    THeatingLocations read;
    TParsedScheduleFile parsed;
    ParseScheduleFile(path.toStdString(), parsed);
    read.LoadFromXML(parsed.Document);
    const THeatingLocation* location = nullptr;
    for (int i = 0; i < read.Count(); ++i)
        if (read.Items(i).DisplayText == "Living room")
            location = &read.Items(i);
    ASSERT_NE(location, nullptr);
    EXPECT_EQ(DayText(location->Days(0)), DayText(Form->CurrentLocation()->Days(0)));
}

TEST_F(RobustnessTest, RandomClicksDragsAndKeysKeepTheScheduleSound) {
    const int events = EventsFromEnvironment();
    int ran = 0;
    for (unsigned seed : SeedsFromEnvironment()) {
        const std::string fault = RunSeed(seed, events);
        if (!fault.empty())
            FAIL() << fault;
        ran += events;
    }
    std::printf("robustness: %d actions\n", ran);
}

} // namespace
