// A transmission from the window's command through the connection thread and the real driver
// code to the virtual stick, with the status bar following.
#include "MainFormFixture.h"
#include "RadioTestSupport.h"
#include "VirtualStick.h"
#include "VirtualStickReports.h"
#include "zeft_StickLock.h"
#include "zeft_USBConnection.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <condition_variable>

namespace vs = zeft::virtualstick;
using namespace zeft;
using namespace zeft::test;

namespace {

/// Real pauses shortened a hundredfold: the thread runs its true cycle, only faster.
class TQuickClock final : public TRadioClock {
public:
    bool Pause(std::chrono::milliseconds duration, std::stop_token stop) override {
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        return !wake.wait_for(lock, stop, duration / 100 + std::chrono::milliseconds(1),
                              [] { return false; });
    }
    TLocalDateTime LocalTime() override { return {2026, 12, 9, 7, 30, 0}; }
};

class MainFormTransmission : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        vs::Reset();
    }
    void TearDown() override {
        MainFormTest::TearDown();
        vs::Reset();
    }

    void StartWithVirtualStick() {
        Start([this] {
            return std::make_unique<TUSBConnection>(VirtualDriverLoader(Scratch.Path()),
                                                    std::make_unique<TQuickClock>());
        });
    }

    bool WaitForStatus(const QString& text, int timeoutMs = 20000) {
        return QTest::qWaitFor([&] { return Form->StatusPanel0->text() == text; }, timeoutMs);
    }

    TScratchDirectory Scratch;
};

} // namespace

TEST_F(MainFormTransmission, TheShownProgramReachesTheStickAndTheStatusFollows) {
    vs::PlugIn();
    StartWithVirtualStick();
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    EXPECT_TRUE(Command("SchemeTransmit")->isEnabled());

    SelectLocation("Living room"); // 3 + 3 + 3 + 3 + 3 + 2 + 3 periods
    std::vector<QString> statusTexts;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (statusTexts.empty() || statusTexts.back() != Form->StatusPanel0->text())
            statusTexts.push_back(Form->StatusPanel0->text());
    });
    watcher.start(1);
    QTest::keyClick(Form.get(), Qt::Key_T, Qt::ControlModifier);
    // the user goes on editing at once; the transmission sends the program as it was
    Form->CurrentLocation()->Days(0).Delete(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->ConnectionState() == 2; }, 20000));
    EXPECT_FALSE(Command("SchemeTransmit")->isEnabled());
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    watcher.stop();
    EXPECT_FALSE(Form->Connection()->TransmitPending());
    EXPECT_TRUE(Command("SchemeTransmit")->isEnabled());

    // two passes of start, clock and one frame per period
    const std::vector<TSentFrame> frames = SentFrames();
    ASSERT_EQ(frames.size(), 2u * (2 + 20));
    EXPECT_TRUE(std::find(statusTexts.begin(), statusTexts.end(), "Data transfer: 0%") !=
                statusTexts.end());
    int progressTexts = 0;
    for (const QString& text : statusTexts)
        progressTexts += text.startsWith("Data transfer: ");
    EXPECT_GE(progressTexts, 3);
}

TEST_F(MainFormTransmission, AFailedTransmissionIsShownAndRetriedWhenTheStickIsBack) {
    vs::PlugIn();
    StartWithVirtualStick();
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    vs::RefuseAllFrames(true);
    Command("SchemeTransmit")->trigger();
    ASSERT_TRUE(WaitForStatus(LoadLanguageString(4806)));
    EXPECT_FALSE(Command("SchemeTransmit")->isEnabled());
    EXPECT_TRUE(Form->Connection()->TransmitPending());
    vs::ClearReports();
    vs::RefuseAllFrames(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->Connection()->TransmitPending(); }, 30000));
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    EXPECT_EQ(SentFrames().size(), 2u * (2 + 7 * 5)); // Bathroom's days: 5 periods each
}

TEST_F(MainFormTransmission, WithoutAStickTheCommandStaysDisabled) {
    StartWithVirtualStick();
    ASSERT_TRUE(WaitForStatus("Please insert the USB programming stick."));
    EXPECT_FALSE(Command("SchemeTransmit")->isEnabled());
    vs::PlugIn();
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    vs::PullOut();
    ASSERT_TRUE(WaitForStatus("Please insert the USB programming stick."));
}

TEST_F(MainFormTransmission, AStickThatCannotBeOpenedSaysSoUntilAccessIsGranted) {
    vs::PlugIn();
    vs::RefuseOpen(true, EACCES); // no udev rule: the hidraw node is root's
    StartWithVirtualStick();
    const QString noAccess = "The USB programming stick was found but cannot be opened. The "
                             "program's udev rule (installed with its package) grants access; "
                             "then plug the stick in again.";
    ASSERT_TRUE(WaitForStatus(noAccess));
    EXPECT_EQ(Form->ConnectionState(), 0);
    EXPECT_FALSE(Command("SchemeTransmit")->isEnabled());
    // The counting towards the next attempt keeps the text.
    QTest::qWait(100);
    EXPECT_EQ(Form->StatusPanel0->text(), noAccess);
    Command("HelpLanguageGerman")->trigger();
    EXPECT_EQ(Form->StatusPanel0->text(), LoadLanguageString(4820));
    EXPECT_TRUE(Form->StatusPanel0->text().startsWith("Der USB-Programmierstick wurde gefunden"));
    Command("HelpLanguageEnglish")->trigger();
    vs::RefuseOpen(true, EIO); // listed, but broken: the plain text again
    ASSERT_TRUE(WaitForStatus("Please insert the USB programming stick."));
    vs::RefuseOpen(false);
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    EXPECT_TRUE(Command("SchemeTransmit")->isEnabled());
}

TEST_F(MainFormTransmission, WhileAnotherCopyOwnsTheStickItIsLeftAloneAndSaysSo) {
    vs::PlugIn();
    TStickLock otherCopy({Scratch.Path()}); // the lock a first copy of the program holds
    ASSERT_EQ(otherCopy.TryAcquire(), TStickLock::TResult::Owned);
    StartWithVirtualStick();
    ASSERT_TRUE(WaitForStatus("The USB programming stick is in use by another copy of the "
                              "program."));
    EXPECT_FALSE(Command("SchemeTransmit")->isEnabled());
    QTest::qWait(100); // a few attempts of this copy
    QTest::keyClick(Form.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(vs::Reports().empty()) << "this copy wrote to the stick of the other";
    Command("HelpLanguageFrench")->trigger();
    EXPECT_EQ(Form->StatusPanel0->text(), LoadLanguageString(4821));
    Command("HelpLanguageEnglish")->trigger();
    otherCopy.Release(); // the first copy ends
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    EXPECT_TRUE(Command("SchemeTransmit")->isEnabled());
}

TEST_F(MainFormTransmission, ClosingDuringATransmissionStopsTheThreadPromptly) {
    vs::PlugIn();
    StartWithVirtualStick();
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    Command("SchemeTransmit")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->ConnectionState() == 2; }, 20000));
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(Form->close());
    EXPECT_TRUE(Form->Connection()->isFinished());
    Form.reset();
    QApplication::processEvents(); // nothing may reach the window that is gone
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST_F(MainFormTransmission, RemovingTheLocationDuringATransmissionIsSafe) {
    vs::PlugIn();
    StartWithVirtualStick();
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    SelectLocation("Kitchen");
    Command("SchemeTransmit")->trigger();
    Command("SchemeRemove")->trigger();
    ASSERT_EQ(ListItem("Kitchen"), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->Connection()->TransmitPending(); }, 30000));
    // Kitchen's week: five days of 7 periods and a weekend of 5: its frames went out
    EXPECT_EQ(SentFrames().size(), 2u * (2 + 7 * 5 + 5 * 2));
}

TEST_F(MainFormTransmission, UndoAfterSubmitLeavesTheProgramHandedOverAsItWas) {
    vs::PlugIn();
    StartWithVirtualStick();
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    vs::RefuseAllFrames(true);  // the request stays pending while the user goes on
    SelectLocation("Bathroom"); // five periods a day
    Form->btnSplitInterval->setFocus();
    TSingleComfortIntervalSlider* slider = Slider(0, 1);
    Click(slider, QPoint(slider->width() / 2, 5));
    QTest::keyClick(Form->DayRow(0), Qt::Key_Delete); // Monday keeps four
    ASSERT_EQ(Form->CurrentLocation()->Days(0).Count(), 4);
    Command("SchemeTransmit")->trigger();
    ASSERT_TRUE(WaitForStatus(LoadLanguageString(4806)));
    QTest::keyClick(Form.get(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(Form->CurrentLocation()->Days(0).Count(), 5);
    vs::ClearReports();
    vs::RefuseAllFrames(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->Connection()->TransmitPending(); }, 30000));
    EXPECT_EQ(SentFrames().size(), 2u * (2 + 4 + 6 * 5)); // the program as it was submitted
}
