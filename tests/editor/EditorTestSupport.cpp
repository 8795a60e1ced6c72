#include "EditorTestSupport.h"

#include "zeft_DisplayScale.h"

#include <QCoreApplication>
#include <QTest>

namespace zeft::test {

std::unique_ptr<TDailyHeatingIntervals> MakeDay(std::initializer_list<TPeriodSpec> periods) {
    auto day = std::make_unique<TDailyHeatingIntervals>();
    for (const TPeriodSpec& p : periods)
        day->Add(std::make_unique<TSingleHeatingInterval>(
            std::make_unique<TTemperature>(p.Temperature), TimeOf(p.StartHour, p.StartMinute),
            TimeOf(p.StopHour, p.StopMinute)));
    return day;
}

void TRowFixture::SetUp() {
    SetDisplayScale(1.0);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TRowFixture::TearDown() {
    Window.reset();
    Day.reset();
    DeleteLater();
    QLocale::setDefault(QLocale::c());
}

void TRowFixture::Show(std::initializer_list<TPeriodSpec> periods, int width, int height) {
    Day = MakeDay(periods);
    Window = std::make_unique<QWidget>();
    Window->resize(width + 100, height + 100);
    Row = new TDailyComfortIntervalsSlider(Day.get(), Window.get());
    Row->setGeometry(10, 10, width, height);
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
}

TSingleComfortIntervalSlider* TRowFixture::Slider(int index) const {
    return Row->Sliders().Items(index);
}

int TRowFixture::SelectedCount() const {
    int count = 0;
    for (const auto& slider : Row->Sliders())
        count += slider->Selected() ? 1 : 0;
    return count;
}

void TRowFixture::Hover(QWidget* widget, int x) {
    // A move without a button moves the platform's cursor, which reports nothing when it is
    // already there: come from one pixel above.
    const int y = widget->height() / 2;
    QTest::mouseMove(widget, QPoint(x, y - 1));
    QTest::mouseMove(widget, QPoint(x, y));
}

void TRowFixture::Press(QWidget* widget, int x, Qt::MouseButton button) {
    QTest::mousePress(widget, button, {}, QPoint(x, widget->height() / 2));
}

void TRowFixture::MoveHeld(QWidget* widget, QPoint pos) {
    QTest::mouseMove(widget, pos);
}

void TRowFixture::MoveHeld(QWidget* widget, int x) {
    MoveHeld(widget, QPoint(x, widget->height() / 2));
}

void TRowFixture::Release(QWidget* widget, QPoint pos, Qt::MouseButton button) {
    QTest::mouseRelease(widget, button, {}, pos);
}

void TRowFixture::Release(QWidget* widget, int x, Qt::MouseButton button) {
    Release(widget, QPoint(x, widget->height() / 2), button);
}

void TRowFixture::Click(QWidget* widget, Qt::MouseButton button) {
    const int middle = widget->width() / 2;
    Press(widget, middle, button);
    Release(widget, middle, button);
}

void TRowFixture::BeginEdgeDragTo(TSingleComfortIntervalSlider* slider, int rowX) {
    Hover(slider, 2);
    ASSERT_EQ(slider->cursor().shape(), Qt::SizeHorCursor) << "no start edge offered";
    Press(slider, 2);
    ASSERT_TRUE(slider->ResizingStart());
    MoveHeld(slider, rowX - slider->x());
}

void TRowFixture::DeleteLater() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace zeft::test
