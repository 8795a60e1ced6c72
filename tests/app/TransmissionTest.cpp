// A transmission from the window's command through the connection thread and the real driver
// code to the virtual stick, with the status bar following.
#include "MainFormFixture.h"
#include "RadioTestSupport.h"
#include "TGuidedRunDialog.h"
#include "TTransferLog.h"
#include "TTransferLogDialog.h"
#include "VirtualStick.h"
#include "VirtualStickReports.h"
#include "zeft_StickLock.h"
#include "zeft_USBConnection.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QUndoStack>
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

    std::string Status() const { return Form->StatusPanel0->text().toStdString(); }
    bool WaitForStatusStart(const QString& start) {
        return QTest::qWaitFor([&] { return Form->StatusPanel0->text().startsWith(start); }, 30000);
    }
    QString btnText() const { return Form->btnTransmit->text(); }
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
    // While it is pending, the line names the room.
    EXPECT_TRUE(std::find(statusTexts.begin(), statusTexts.end(),
                          "Living room: Data transfer: 0%") != statusTexts.end());
    int progressTexts = 0;
    for (const QString& text : statusTexts)
        progressTexts += text.startsWith("Living room: Data transfer: ");
    EXPECT_GE(progressTexts, 3);
}

TEST_F(MainFormTransmission, AFailedTransmissionIsShownAndRetriedWhenTheStickIsBack) {
    vs::PlugIn();
    StartWithVirtualStick();
    ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    vs::RefuseAllFrames(true);
    Command("SchemeTransmit")->trigger();
    ASSERT_TRUE(WaitForStatusStart("Bathroom: " + LoadLanguageString(4806)));
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
    TStickLock otherCopy({Scratch.Path()}); // the lock a first copy of the program holds
    ASSERT_EQ(otherCopy.TryAcquire(), TStickLock::TResult::Owned);
    StartWithVirtualStick();
    // This copy cannot tell whether a stick is plugged in: the text holds either way.
    const QString inUse = "Another copy of the program is running and is in charge of the USB "
                          "programming stick. Close it to use the stick from this window.";
    ASSERT_TRUE(WaitForStatus(inUse));
    vs::PlugIn();
    QTest::qWait(100); // a few attempts of this copy
    EXPECT_EQ(Form->StatusPanel0->text(), inUse);
    EXPECT_FALSE(Command("SchemeTransmit")->isEnabled());
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
    ASSERT_TRUE(WaitForStatusStart("Bathroom: " + LoadLanguageString(4806)));
    QTest::keyClick(Form.get(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(Form->CurrentLocation()->Days(0).Count(), 5);
    vs::ClearReports();
    vs::RefuseAllFrames(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->Connection()->TransmitPending(); }, 30000));
    EXPECT_EQ(SentFrames().size(), 2u * (2 + 4 + 6 * 5)); // the program as it was submitted
}

// What was sent where: the record, the rooms' marks, the cancel, the returned stick and the
// guided run of several rooms.
namespace {

class MainFormTransfers : public MainFormTransmission {
protected:
    void SetUp() override {
        MainFormTransmission::SetUp();
        TransferLogPath = FSettingsDir.filePath("transfers.sqlite");
        vs::PlugIn();
        StartWithVirtualStick();
        ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
    }

    std::vector<TTransferRecord> Records() const {
        TTransferLog log;
        log.Open(TransferLogPath);
        return log.Records();
    }
    QString Mark(const std::string& room) const {
        return ListItem(room)->data(Qt::ToolTipRole).toString();
    }
    bool WaitForMark(const std::string& room, const QString& start) {
        return QTest::qWaitFor([&] { return Mark(room).startsWith(start); }, 30000);
    }
};

} // namespace

TEST_F(MainFormTransfers, ARoomSentIsMarkedUntilItChangesAndAgainWhenUndoneBack) {
    SelectLocation("Bathroom");
    EXPECT_EQ(Mark("Bathroom"), "Bathroom\nNever sent");
    Command("SchemeTransmit")->trigger();
    EXPECT_EQ(btnText(), "Cancel");
    ASSERT_TRUE(WaitForMark("Bathroom", "Bathroom\nSent on "));
    EXPECT_TRUE(Form->paSchemeConfig->paCurrentSchemeTransferStatus->text().startsWith("Sent on"));
    EXPECT_EQ(btnText(), "&Submit");
    const std::vector<TTransferRecord> records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Room, "Bathroom");
    EXPECT_EQ(records[0].Result, TTransferResult::Sent);
    EXPECT_EQ(records[0].Periods, 35);

    TScheduleDocument& document = Form->Document();
    ASSERT_TRUE(document.SetTemperature(*Form->CurrentLocation(), 2, 1, 12.5));
    EXPECT_TRUE(Mark("Bathroom").contains("Changed since sent on "));
    EXPECT_TRUE(Mark("Bathroom").endsWith("Changed days: Wednesday"))
        << Mark("Bathroom").toStdString();
    EXPECT_TRUE(Command("SchemeRestoreSent")->isEnabled());
    Command("EditUndo")->trigger(); // back at the program sent: programs compare, not steps
    EXPECT_TRUE(Mark("Bathroom").startsWith("Bathroom\nSent on "));
    EXPECT_FALSE(Command("SchemeRestoreSent")->isEnabled());

    ASSERT_TRUE(document.DeletePeriod(*Form->CurrentLocation(), 4, 1));
    Command("SchemeRestoreSent")->trigger(); // one more step, back to what the controller got
    EXPECT_TRUE(Mark("Bathroom").startsWith("Bathroom\nSent on "));
    EXPECT_EQ(document.UndoStack().count(), 2);
    ListItem("Bathroom")->setText("Bath"); // the record follows the name
    EXPECT_TRUE(Mark("Bath").startsWith("Bath\nSent on "));
}

TEST_F(MainFormTransfers, CancellingAPendingRequestSendsNothingMore) {
    vs::RefuseAllFrames(true);
    SelectLocation("Hall");
    Command("SchemeTransmit")->trigger();
    ASSERT_TRUE(WaitForStatusStart("Hall: Data transfer failed"));
    EXPECT_TRUE(Form->StatusPanel0->text().contains("Next try at ")) << Status();
    Form->btnTransmit->click(); // it reads "Cancel" while the request is pending
    EXPECT_FALSE(Form->Connection()->TransmitPending());
    vs::ClearReports();
    vs::RefuseAllFrames(false);
    ASSERT_TRUE(WaitForStatus("Hall: transfer cancelled; nothing more is sent."));
    QTest::qWait(200); // several cycles of the thread
    EXPECT_TRUE(SentFrames().empty());
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].Result, TTransferResult::Withdrawn);
    EXPECT_EQ(Mark("Hall"), "Hall\nNever sent");
}

struct TReturnCase {
    const char* Name;
    QMessageBox::StandardButton Answer; // Yes: Send, No: Withdraw
    TTransferResult Result;
};

class MainFormStickReturns : public MainFormTransfers,
                             public testing::WithParamInterface<TReturnCase> {};

TEST_P(MainFormStickReturns, ThePendingRoomIsNamedAndSentOnlyWhenTheUserSaysSo) {
    vs::RefuseAllFrames(true);
    SelectLocation("Kitchen");
    Command("SchemeTransmit")->trigger();
    ASSERT_TRUE(WaitForStatusStart("Kitchen: Data transfer failed"));
    vs::PullOut();
    ASSERT_TRUE(WaitForStatus("Kitchen: waiting for the USB programming stick."));
    vs::RefuseAllFrames(false);
    vs::ClearReports();
    NextAnswer = GetParam().Answer;
    vs::PlugIn();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Messages.empty(); }, 30000));
    EXPECT_EQ(Messages[0].Text,
              "The USB programming stick is back. Send the program of Kitchen now?");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->Connection()->TransmitPending(); }, 30000));
    EXPECT_EQ(SentFrames().empty(), GetParam().Result != TTransferResult::Sent);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Records()[0].Result == GetParam().Result; }, 5000));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormStickReturns,
    testing::Values(TReturnCase{"Send", QMessageBox::Yes, TTransferResult::Sent},
                    TReturnCase{"Withdraw", QMessageBox::No, TTransferResult::Withdrawn}),
    [](const testing::TestParamInfo<TReturnCase>& info) { return info.param.Name; });

TEST_F(MainFormTransfers, AGuidedRunSendsTheTickedRoomsInTurnAndSumsUp) {
    Command("SchemeTransmitSeveral")->trigger();
    TGuidedRunDialog* run = Form->GuidedRun();
    ASSERT_NE(run, nullptr);
    // Every room is new, so every room is ticked: three stay.
    for (int i = 0; i < run->lvRooms->count(); ++i) {
        QListWidgetItem* item = run->lvRooms->item(i);
        const bool keep = item->text().startsWith("Bathroom") || item->text().startsWith("Hall") ||
                          item->text().startsWith("Kitchen");
        EXPECT_EQ(item->checkState(), Qt::Checked);
        item->setCheckState(keep ? Qt::Checked : Qt::Unchecked);
    }
    run->btnStart->click();
    EXPECT_EQ(run->lbPrompt->text(),
              "Next: Bathroom. Put the Bathroom controller into receive mode, then press Send.");
    vs::RefuseFrame(3); // refused once; the second pass carries the program
    run->btnSend->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return run->lvResults->count() == 1; }, 30000));
    EXPECT_EQ(run->lvResults->item(0)->text(), "Bathroom: sent");
    EXPECT_TRUE(run->lbPrompt->text().startsWith("Next: Hall."));
    run->btnSkip->click();
    run->btnSend->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return run->lvResults->count() == 3; }, 30000));
    EXPECT_EQ(run->lvResults->item(1)->text(), "Hall: skipped");
    EXPECT_EQ(run->lvResults->item(2)->text(), "Kitchen: sent");
    EXPECT_EQ(run->lbPrompt->text(), "Sent: 2, skipped: 1, failed: 0.");

    const std::vector<TTransferRecord> records = Records(); // newest first
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Room, "Kitchen");
    EXPECT_EQ(records[1].Room, "Bathroom");
    EXPECT_TRUE(Mark("Hall").endsWith("Never sent"));
    EXPECT_TRUE(Mark("Kitchen").startsWith("Kitchen\nSent on "));
    run->btnStop->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Form->GuidedRun() == nullptr; }, 5000));
}

TEST_F(MainFormTransfers, TheHistoryListsNewestFirstFiltersToTheRoomAndExportsCsv) {
    for (const char* room : {"Hall", "Kitchen"}) {
        ASSERT_TRUE(WaitForStatus("USB programming stick is ready."));
        SelectLocation(room);
        Command("SchemeTransmit")->trigger();
        ASSERT_TRUE(WaitForMark(room, QString::fromUtf8(room) + "\nSent on "))
            << Mark(room).toStdString() << Status();
    }
    TTransferLog log;
    log.Open(TransferLogPath);
    TTransferLogDialog dialog(log, "Hall", Form.get());
    QTableWidget* table = dialog.Table();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 1)->text(), "Kitchen");
    EXPECT_EQ(table->item(0, 3)->text(), "sent");
    EXPECT_EQ(table->item(0, 4)->text(), "45");
    dialog.SelectedRoomOnly()->setChecked(true);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 1)->text(), "Hall");

    NextFile = FSettingsDir.filePath("hall.csv");
    dialog.ExportExecute();
    QFile csv(*NextFile);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3); // header, Hall, and the end of the last line
    EXPECT_TRUE(lines[1].contains(",Hall,,sent,")) << lines[1].toStdString();
}

TEST_F(MainFormTest, ADamagedRecordIsSetAsideWithAMessageAndSendingStillWorks) {
    TransferLogPath = FSettingsDir.filePath("transfers.sqlite");
    QFile damaged(TransferLogPath);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, '\x5a'));
    damaged.close();
    Start();
    QApplication::processEvents();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Messages[0].Text.startsWith("The transfer record could not be opened and was "
                                            "set aside as \""))
        << Messages[0].Text.toStdString();
    EXPECT_TRUE(ListItem("Hall")->data(Qt::ToolTipRole).toString().endsWith("Never sent"));
}
