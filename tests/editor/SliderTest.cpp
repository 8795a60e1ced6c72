#include "EditorTestSupport.h"
#include "TDropTarget.h"
#include "zeft_DisplayScale.h"
#include "zeft_EditorGeometry.h"

#include <QPointer>
#include <QTest>
#include <gmock/gmock.h>

namespace zeft::test {
namespace {

using ::testing::ElementsAre;

/// Slider behaviour in a row of the design size (474 pixels per day), German locale.
class SliderTest : public TRowFixture {
protected:
    /// Counts what the controls report, through the row's selection slot and the day.
    void Watch() {
        Row->OnSliderSelected = [this](TSingleComfortIntervalSlider* c) { Selected.push_back(c); };
        Day->OnChange = [this](TModelObject*) { ++DayChanges; };
    }

    /// A bin like the main window's: takes period controls of any row and deletes their period.
    QWidget* AddBin() {
        auto* bin = new QWidget(Window.get());
        bin->setGeometry(Window->width() - 40, Window->height() - 40, 32, 32);
        bin->show();
        auto& target = TDropTarget::Register(bin);
        target.OnDragOver = [](QWidget* source, QPoint) {
            return qobject_cast<TSingleComfortIntervalSlider*>(source) != nullptr;
        };
        target.OnDragDrop = [](QWidget* source, QPoint) {
            auto* c = qobject_cast<TSingleComfortIntervalSlider*>(source);
            TDailyComfortIntervalsSlider* row = TDailyComfortIntervalsSlider::RowOf(c);
            if (row && row->Intervals() && c->Interval())
                row->Intervals()->Delete(row->Intervals()->IndexOf(c->Interval()));
        };
        return bin;
    }

    /// Where the pressed control must be told the pointer is, to be over widget w's centre.
    static QPoint Over(QWidget* pressed, QWidget* w) {
        return pressed->mapFromGlobal(w->mapToGlobal(w->rect().center()));
    }

    std::vector<TSingleComfortIntervalSlider*> Selected;
    int DayChanges = 0;
};

TEST_F(SliderTest, ControlsSitOnTheRowsScaleAboveTheLegend) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 22, 0, 21}, {22, 0, 24, 0, 17}});
    ASSERT_EQ(SliderCount(), 3);
    EXPECT_EQ(Row->Scale(), 474);
    EXPECT_EQ(Slider(1)->geometry(), QRect(118, 0, 316, 27));
    EXPECT_EQ(Slider(2)->geometry(), QRect(434, 0, 40, 27));
    EXPECT_EQ(Row->Legend().geometry(), QRect(0, 27, 494, 16));
    EXPECT_EQ(Slider(1)->BackgroundColor(), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(Slider(0)->BackgroundColor(), QColor(0x59, 0xAC, 0xFF));
}

TEST_F(SliderTest, CaptionShowsTheStartFromFiveHoursAndTheTooltipAlways) {
    Show({{0, 0, 6, 0, 17.5}, {6, 0, 10, 50, 21}, {10, 50, 24, 0, 17}});
    EXPECT_EQ(Slider(0)->CaptionText(), QString::fromUtf8("00:00 17,5°C"));
    // 4 h 50 min: temperature only, the start time in the tooltip.
    EXPECT_EQ(Slider(1)->CaptionText(), QString::fromUtf8("21,0°C"));
    EXPECT_EQ(Slider(1)->toolTip(), QString::fromUtf8("06:00 21,0°C"));
    EXPECT_EQ(Slider(2)->CaptionText(), QString::fromUtf8("10:50 17,0°C"));

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Slider(2)->CaptionText(), QString::fromUtf8("10:50 AM 17.0°C"));
}

TEST_F(SliderTest, FirstPeriodNeverOffersItsStartEdge) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 24, 0, 21}});
    Watch();
    TSingleComfortIntervalSlider* first = Slider(0);
    Hover(first, 2);
    EXPECT_NE(first->cursor().shape(), Qt::SizeHorCursor);
    Hover(Slider(1), 2);
    EXPECT_EQ(Slider(1)->cursor().shape(), Qt::SizeHorCursor) << "hovering does not reach controls";

    Press(first, 2);
    EXPECT_FALSE(first->ResizingStart());
    MoveHeld(first, 40);
    Release(first, 40);
    EXPECT_EQ(DayText(*Day), "00:00-06:00 17, 06:00-24:00 21");
    EXPECT_EQ(first->x(), 0);
}

TEST_F(SliderTest, StartEdgeFollowsThePointerAndSnapsToTenMinutesOnRelease) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 22, 0, 21}, {22, 0, 24, 0, 17}});
    Watch();
    TSingleComfortIntervalSlider* dragged = Slider(1);
    TSingleComfortIntervalSlider* previous = Slider(0);
    const int pixelOf0617 = TimeToPixel(TimeOf(6, 17), 474); // 124

    BeginEdgeDragTo(dragged, pixelOf0617);
    // While the button is held the edge is where the pointer is, the right edge stays.
    EXPECT_EQ(dragged->x(), pixelOf0617);
    EXPECT_EQ(dragged->GetRight(), 434);
    EXPECT_EQ(HhMm(dragged->Interval()->Start()), "06:10");
    EXPECT_EQ(HhMm(Day->Items(0).Stop()), "06:10");
    EXPECT_EQ(previous->GetRight(), TimeToPixel(TimeOf(6, 10), 474));
    EXPECT_GT(DayChanges, 0);

    Release(dragged, 0);
    EXPECT_EQ(dragged->x(), TimeToPixel(TimeOf(6, 10), 474)); // 122
    EXPECT_EQ(dragged->GetRight(), 122 + PeriodWidth(TimeOf(6, 10), TimeOf(22, 0), 474));
    EXPECT_EQ(DayText(*Day), "00:00-06:10 17, 06:10-22:00 21, 22:00-24:00 17");
    EXPECT_FALSE(dragged->ResizingStart());
    EXPECT_EQ(dragged->cursor().shape(), Qt::ArrowCursor);
    // The release over the control is a click as well.
    EXPECT_TRUE(dragged->Selected());
    EXPECT_THAT(Selected, ElementsAre(dragged));
    EXPECT_EQ(SliderCount(), 3);
    EXPECT_EQ(Slider(1), dragged) << "moving a start must not rebuild the row";
}

TEST_F(SliderTest, DraggingAcrossANeighbourIsRepairedOnReleaseWithoutTouchingDeadControls) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 8, 0, 21}, {8, 0, 22, 0, 19}, {22, 0, 24, 0, 17}});
    Watch();
    QPointer<TSingleComfortIntervalSlider> dragged = Slider(2);
    QPointer<TSingleComfortIntervalSlider> covered = Slider(1);

    BeginEdgeDragTo(dragged, TimeToPixel(TimeOf(5, 0), 474));
    // The neighbour keeps its 10 minutes and lies under the dragged control.
    EXPECT_EQ(DayText(*Day), "00:00-06:00 17, 06:00-06:10 21, 05:00-22:00 19, 22:00-24:00 17");
    EXPECT_EQ(Window->childAt(Row->mapTo(Window.get(), QPoint(covered->x() + 2, 5))),
              dragged.data());

    Release(dragged, 0);
    EXPECT_EQ(DayText(*Day), "00:00-05:00 17, 05:00-22:00 19, 22:00-24:00 17");
    // The row was rebuilt after the handler had returned: the released control is still
    // there for the toolkit to finish with, out of the row and hidden.
    ASSERT_EQ(SliderCount(), 3);
    EXPECT_EQ(SelectedCount(), 0);
    ASSERT_FALSE(dragged.isNull());
    EXPECT_FALSE(dragged->isVisible());
    EXPECT_EQ(dragged->Interval(), nullptr);
    EXPECT_EQ(Row->Sliders().IndexOf(dragged), -1);
    ASSERT_FALSE(covered.isNull());
    EXPECT_FALSE(covered->isVisible());
    DeleteLater();
    EXPECT_TRUE(dragged.isNull());
    EXPECT_TRUE(covered.isNull());
    for (int i = 0; i < SliderCount(); ++i)
        EXPECT_EQ(Slider(i)->Interval(), &Day->Items(i));
    EXPECT_EQ(Slider(1)->geometry(), QRect(99, 0, 336, 27));
}

TEST_F(SliderTest, PressAndReleaseWithoutMovingTogglesTheSelection) {
    Show({{0, 0, 8, 0, 17}, {8, 0, 24, 0, 21}});
    Watch();
    TSingleComfortIntervalSlider* c = Slider(1);
    Press(c, 100);
    EXPECT_TRUE(c->Dragging()); // a drag is pending
    Release(c, 100);
    EXPECT_FALSE(c->Dragging());
    EXPECT_TRUE(c->Selected());
    EXPECT_THAT(Selected, ElementsAre(c));

    Click(c);
    EXPECT_FALSE(c->Selected());
    EXPECT_THAT(Selected, ElementsAre(c)) << "unselecting raises no event";
    EXPECT_EQ(DayText(*Day), "00:00-08:00 17, 08:00-24:00 21");
}

TEST_F(SliderTest, ADropNowhereCountsAsAClick) {
    Show({{0, 0, 8, 0, 17}, {8, 0, 24, 0, 21}});
    Watch();
    AddBin();
    TSingleComfortIntervalSlider* c = Slider(1);
    Press(c, 100);
    MoveHeld(c, QPoint(100, 60)); // below the row, over nothing that takes it
    EXPECT_TRUE(c->Dragging());
    Release(c, QPoint(100, 60));
    EXPECT_FALSE(c->Dragging());
    EXPECT_TRUE(c->Selected());
    EXPECT_THAT(Selected, ElementsAre(c));
    EXPECT_EQ(Day->Count(), 2);
    EXPECT_EQ(DayChanges, 0);
}

TEST_F(SliderTest, ADropOnTheBinDeletesThePeriodAndRebuildsOnlyAfterTheDrag) {
    Show({{0, 0, 8, 0, 17}, {8, 0, 12, 0, 21}, {12, 0, 24, 0, 19}});
    Watch();
    QWidget* bin = AddBin();
    QPointer<TSingleComfortIntervalSlider> c = Slider(1);
    c->SetSelected(true);
    Press(c, 20);
    MoveHeld(c, Over(c, bin));
    EXPECT_EQ(c->cursor().shape(), Qt::ArrowCursor);
    Release(c, Over(c, bin));

    EXPECT_EQ(DayText(*Day), "00:00-12:00 17, 12:00-24:00 19");
    EXPECT_TRUE(Selected.empty()) << "a drop that a target took is no click";
    ASSERT_EQ(SliderCount(), 2);
    EXPECT_EQ(SelectedCount(), 0);
    ASSERT_FALSE(c.isNull()) << "the drag source was destroyed inside its own drag";
    EXPECT_FALSE(c->Dragging());
    DeleteLater();
    EXPECT_TRUE(c.isNull());
}

TEST_F(SliderTest, ADayWithOnePeriodStartsNoDragButStillClicks) {
    Show({{0, 0, 24, 0, 17}});
    Watch();
    AddBin();
    TSingleComfortIntervalSlider* c = Slider(0);
    int moved = 0;
    c->OnMoved = [&moved, old = c->OnMoved](TSingleComfortIntervalSlider* s) {
        ++moved;
        old(s);
    };
    Press(c, 200);
    EXPECT_FALSE(c->Dragging());
    MoveHeld(c, QPoint(200, 60));
    Release(c, 200);
    EXPECT_TRUE(c->Selected());
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(Day->Count(), 1);
    Click(c);
    EXPECT_FALSE(c->Selected());
    EXPECT_EQ(moved, 2);
}

TEST_F(SliderTest, ARefusedDropAndACancelledDragCountAsClicks) {
    Show({{0, 0, 8, 0, 17}, {8, 0, 24, 0, 21}});
    Watch();
    auto* refusing = new QWidget(Window.get());
    refusing->setGeometry(300, 60, 60, 30);
    refusing->show();
    TDropTarget::Register(refusing).OnDragOver = [](QWidget*, QPoint) { return false; };
    TSingleComfortIntervalSlider* c = Slider(0);
    Press(c, 50);
    MoveHeld(c, Over(c, refusing));
    Release(c, Over(c, refusing));
    EXPECT_TRUE(c->Selected());

    Press(c, 50);
    MoveHeld(c, 80);
    QTest::keyClick(Window.get(), Qt::Key_Escape);
    EXPECT_FALSE(c->Dragging());
    EXPECT_FALSE(c->Selected());
    Release(c, 80); // the button comes up after the cancel: the press was no click
    EXPECT_FALSE(c->Selected());
    EXPECT_EQ(Day->Count(), 2);
}

TEST_F(SliderTest, APressAfterALostReleaseEndsTheOldGestureFirst) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 12, 0, 21}, {12, 0, 24, 0, 17}});
    TSingleComfortIntervalSlider* c = Slider(1);
    Press(c, 100);
    MoveHeld(c, 130); // a running drag whose release the window never saw
    ASSERT_TRUE(c->Dragging());
    QTest::mousePress(c, Qt::LeftButton, {}, QPoint(100, c->height() / 2));
    EXPECT_TRUE(c->Selected()) << "the lost drag ended as a cancelled one: a click";
    EXPECT_TRUE(c->Dragging()) << "the new press begins its own drag";
    Release(c, 100);
    EXPECT_FALSE(c->Dragging());
    EXPECT_FALSE(c->Selected());

    BeginEdgeDragTo(c, TimeToPixel(TimeOf(7, 5), 474));
    ASSERT_EQ(c->x(), TimeToPixel(TimeOf(7, 5), 474));
    QTest::mousePress(c, Qt::LeftButton, {}, QPoint(c->width() / 2, c->height() / 2));
    EXPECT_FALSE(c->ResizingStart());
    EXPECT_EQ(c->x(), TimeToPixel(TimeOf(7, 0), 474)) << "the edge takes the stored start";
    Release(c, c->width() / 2);
    EXPECT_EQ(DayText(*Day), "00:00-07:00 17, 07:00-12:00 21, 12:00-24:00 17");
}

TEST_F(SliderTest, AnEdgeDragWhoseReleaseWasLostStillRepairsTheDay) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 8, 0, 21}, {8, 0, 12, 0, 19}, {12, 0, 24, 0, 17}});
    QPointer<TSingleComfortIntervalSlider> c = Slider(2);
    BeginEdgeDragTo(c, TimeToPixel(TimeOf(5, 0), 474));
    ASSERT_EQ(DayText(*Day), "00:00-06:00 17, 06:00-06:10 21, 05:00-12:00 19, 12:00-24:00 17");
    QTest::mousePress(c, Qt::LeftButton, {}, QPoint(c->width() / 2, c->height() / 2));
    EXPECT_EQ(DayText(*Day), "00:00-05:00 17, 05:00-12:00 19, 12:00-24:00 17");
    ASSERT_EQ(SliderCount(), 3);
    ASSERT_FALSE(c.isNull());
    Release(c, c->width() / 2); // reaches the replaced control, which does nothing
    EXPECT_EQ(DayText(*Day), "00:00-05:00 17, 05:00-12:00 19, 12:00-24:00 17");
    EXPECT_EQ(SelectedCount(), 0);
    DeleteLater();
    EXPECT_TRUE(c.isNull());
}

TEST_F(SliderTest, ANarrowControlKeepsTheResizeCursorButOnlyItsLeftHalfMovesTheStart) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 6, 30, 21}, {6, 30, 24, 0, 17}});
    Watch();
    TSingleComfortIntervalSlider* narrow = Slider(1);
    ASSERT_EQ(narrow->width(), 10);
    Hover(narrow, 2);
    EXPECT_EQ(narrow->cursor().shape(), Qt::SizeHorCursor);
    Hover(narrow, 8);
    EXPECT_EQ(narrow->cursor().shape(), Qt::SizeHorCursor);
    Press(narrow, 8);
    EXPECT_FALSE(narrow->ResizingStart());
    EXPECT_FALSE(narrow->Dragging());
    Release(narrow, 8);
    EXPECT_TRUE(narrow->Selected());
    EXPECT_EQ(DayText(*Day), "00:00-06:00 17, 06:00-06:30 21, 06:30-24:00 17");
}

TEST_F(SliderTest, ThePointerPastTheRightEdgeLeavesTheModelsMinimumAndSnapsBack) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 8, 0, 21}, {8, 0, 24, 0, 17}});
    TSingleComfortIntervalSlider* c = Slider(1);
    const int right = c->GetRight();
    BeginEdgeDragTo(c, right + 50);
    EXPECT_EQ(c->width(), 0);
    EXPECT_EQ(c->GetRight(), right);
    EXPECT_EQ(HhMm(c->Interval()->Start()), "07:50");
    Release(c, 0);
    EXPECT_EQ(c->x(), TimeToPixel(TimeOf(7, 50), 474));
    EXPECT_EQ(DayText(*Day), "00:00-07:50 17, 07:50-08:00 21, 08:00-24:00 17");
}

TEST_F(SliderTest, TheLastStartDraggedToOrPastTheRowsEndStopsTenMinutesBefore2400) {
    // 474 is 24:00 itself, 494 the row's right end; the edge never passes the control's right.
    for (const int rowX : {474, 480, 494, 520}) {
        SCOPED_TRACE(rowX);
        Show({{0, 0, 6, 0, 17}, {6, 0, 23, 0, 21}, {23, 0, 24, 0, 17}});
        TSingleComfortIntervalSlider* last = Slider(2);
        BeginEdgeDragTo(last, rowX);
        EXPECT_EQ(HhMm(last->Interval()->Start()), "23:50");
        EXPECT_EQ(DayText(*Day), "00:00-06:00 17, 06:00-23:50 21, 23:50-24:00 17");
        Release(last, 0);
        EXPECT_EQ(DayText(*Day), "00:00-06:00 17, 06:00-23:50 21, 23:50-24:00 17");
        EXPECT_EQ(Day->Count(), 3);
        EXPECT_EQ(last->x(), TimeToPixel(TimeOf(23, 50), 474));
        EXPECT_GT(last->width(), 0);
    }
}

TEST_F(SliderTest, ThresholdAndZonesFollowTheDisplayScale) {
    SetDisplayScale(2.0);
    Show({{0, 0, 8, 0, 17}, {8, 0, 24, 0, 21}}, 988, 86);
    EXPECT_EQ(Row->Legend().height(), 32);
    TSingleComfortIntervalSlider* c = Slider(1);
    Hover(c, 20); // inside 12 × 2
    EXPECT_EQ(c->cursor().shape(), Qt::SizeHorCursor);
    Hover(c, 30);
    EXPECT_EQ(c->cursor().shape(), Qt::ArrowCursor);
    // Bins right under the pointer, 9 and 10 pixels from the press: only a drag that has
    // passed Round(5 × 2) pixels reaches one.
    const QPoint press(100, c->height() / 2);
    const QPoint nearby = press + QPoint(9, 9);
    const QPoint atThreshold = press + QPoint(-10, 3);
    for (const QPoint binAt : {nearby, atThreshold}) {
        auto* bin = new QWidget(Window.get());
        bin->setGeometry(QRect(c->mapTo(Window.get(), binAt) - QPoint(2, 2), QSize(5, 5)));
        bin->show();
        TDropTarget& target = TDropTarget::Register(bin);
        target.OnDragOver = [](QWidget*, QPoint) { return true; };
        target.OnDragDrop = [this](QWidget*, QPoint) { Day->Delete(1); };
    }
    Press(c, press.x());
    MoveHeld(c, nearby);
    EXPECT_FALSE(c->Selected());
    Release(c, nearby);
    EXPECT_TRUE(c->Selected()) << "a release before the threshold is a click";
    EXPECT_EQ(Day->Count(), 2) << "a drag below the threshold dropped on the bin";

    Press(c, press.x());
    MoveHeld(c, atThreshold);
    Release(c, atThreshold);
    EXPECT_EQ(Day->Count(), 1) << "a drag of 10 pixels did not reach the bin";
}

/// What a period control shows of its caption, with a known font: the whole caption, the
/// temperature alone, or nothing, but never a caption cut at its edges.
struct TCaptionFitCase {
    const char* Name;
    int RowWidth; // 494: 474 pixels per day; 200: 192
    TPeriodSpec Period;
    const char* Shown;
};

class CaptionFit : public SliderTest, public testing::WithParamInterface<TCaptionFitCase> {};

TEST_P(CaptionFit, ShowsTheCaptionWholeOrItsShortFormOrNothing) {
    const TCaptionFitCase& c = GetParam();
    const TPeriodSpec& p = c.Period;
    const bool first = p.StartHour == 0 && p.StartMinute == 0;
    const bool last = p.StopHour == 24;
    if (first && last)
        Show({p}, c.RowWidth);
    else if (first)
        Show({p, {p.StopHour, p.StopMinute, 24, 0, 17}}, c.RowWidth);
    else if (last)
        Show({{0, 0, p.StartHour, p.StartMinute, 17}, p}, c.RowWidth);
    else
        Show({{0, 0, p.StartHour, p.StartMinute, 17}, p, {p.StopHour, p.StopMinute, 24, 0, 17}},
             c.RowWidth);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    Window->setFont(font);
    TSingleComfortIntervalSlider* control = Slider(first ? 0 : 1);
    ASSERT_EQ(control->font().pixelSize(), 11);

    EXPECT_EQ(control->ShownCaption().toStdString(), c.Shown);
    // Whatever the caption, the tooltip has start and temperature.
    const QString tooltip = control->toolTip();
    EXPECT_TRUE(tooltip.endsWith(QString::fromUtf8(" 19,0°C"))) << tooltip.toStdString();
    // What is drawn is what fits: the caption and a frame's width on either side.
    const int room = std::max(0, control->width() - 2 * 3);
    const QFontMetrics metrics(control->font());
    EXPECT_LE(metrics.horizontalAdvance(control->ShownCaption()), room);
    if (std::string(c.Shown).empty()) {
        ASSERT_GT(metrics.horizontalAdvance(QString::fromUtf8("19,0°C")), room)
            << "the case no longer tests a control too narrow for its temperature";
        // Not one pixel of a caption: inside its raised edge the control is its colour only.
        Row->clearFocus(); // no keyboard frame either
        const QImage image = control->grab().toImage();
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x)
                ASSERT_EQ(image.pixelColor(x, y), control->BackgroundColor())
                    << "at " << x << "," << y;
    } else if (std::string(c.Shown).find(':') == std::string::npos &&
               control->CaptionText() != control->ShownCaption()) {
        ASSERT_GT(metrics.horizontalAdvance(control->CaptionText()), room)
            << "the case no longer tests a caption too wide for its control";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaptionFit,
    testing::Values(TCaptionFitCase{"WideAndLong", 494, {0, 0, 8, 0, 19}, "00:00 19,0\u00b0C"},
                    // exactly five hours counts as five hours or more
                    TCaptionFitCase{
                        "ExactlyFiveHours", 494, {8, 0, 13, 0, 19}, "08:00 19,0\u00b0C"},
                    TCaptionFitCase{"JustUnderFiveHours", 494, {8, 0, 12, 50, 19}, "19,0\u00b0C"},
                    TCaptionFitCase{"ShortButWideEnough", 494, {13, 0, 15, 30, 19}, "19,0\u00b0C"},
                    // long enough for the start, too narrow for it: the temperature alone
                    TCaptionFitCase{"LongButNarrow", 200, {6, 0, 14, 0, 19}, "19,0\u00b0C"},
                    // the old caption showed "9,0°" here
                    TCaptionFitCase{"TooNarrowForTheTemperature", 494, {15, 30, 16, 20, 19}, ""},
                    TCaptionFitCase{"TenMinutes", 494, {15, 30, 15, 40, 19}, ""},
                    TCaptionFitCase{"NarrowAndLong", 200, {0, 0, 5, 0, 19}, ""}),
    [](const testing::TestParamInfo<TCaptionFitCase>& info) { return info.param.Name; });

/// The pixels of a control as it paints itself.
struct TPaintCase {
    const char* Name;
    bool Selected;
    // row by row from the top-left corner inwards: frame, raised edge, background
    std::vector<std::pair<QPoint, QColor>> Pixels;
};

class SliderPaint : public SliderTest, public testing::WithParamInterface<TPaintCase> {};

TEST_P(SliderPaint, FramesASelectedControlTwoPixelsWideAndWritesTheCaptionInWhite) {
    Show({{0, 0, 6, 0, 17}, {6, 0, 22, 0, 21}, {22, 0, 24, 0, 17}});
    TSingleComfortIntervalSlider* c = Slider(1); // red, 316 × 27
    c->SetSelected(GetParam().Selected);
    Row->clearFocus(); // no keyboard frame
    const QImage image = c->grab().toImage();
    ASSERT_EQ(image.size(), QSize(316, 27));
    for (const auto& [at, color] : GetParam().Pixels) {
        EXPECT_EQ(image.pixelColor(at), color) << "at " << at.x() << "," << at.y();
        // the same on the opposite corner
        const QPoint mirrored(image.width() - 1 - at.x(), image.height() - 1 - at.y());
        if (color == QColor(Qt::black) || color == QColor(0xFF, 0x00, 0x00)) {
            EXPECT_EQ(image.pixelColor(mirrored), color)
                << "at " << mirrored.x() << "," << mirrored.y();
        }
    }
    // The caption: white on red, where the text is; nothing dark inside the frame.
    int white = 0;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x) {
            const QColor p = image.pixelColor(x, y);
            white += p.green() > 200 && p.blue() > 200 ? 1 : 0;
            ASSERT_GT(p.red(), 200) << "a dark caption pixel at " << x << "," << y;
        }
    EXPECT_GT(white, 20) << "no white caption";
}

INSTANTIATE_TEST_SUITE_P(Table, SliderPaint,
                         testing::Values(TPaintCase{"Selected",
                                                    true,
                                                    {{{0, 0}, Qt::black},
                                                     {{1, 1}, Qt::black},
                                                     {{1, 13}, Qt::black},
                                                     {{2, 13}, Qt::white},
                                                     {{3, 13}, QColor(0xFF, 0x00, 0x00)},
                                                     {{3, 3}, QColor(0xFF, 0x00, 0x00)}}},
                                         TPaintCase{"Unselected",
                                                    false,
                                                    {{{0, 13}, Qt::white},
                                                     {{1, 13}, QColor(0xFF, 0x00, 0x00)},
                                                     {{1, 1}, QColor(0xFF, 0x00, 0x00)},
                                                     {{315, 13}, QColor(128, 128, 128)}}}),
                         [](const testing::TestParamInfo<TPaintCase>& info) {
                             return info.param.Name;
                         });

} // namespace
} // namespace zeft::test
