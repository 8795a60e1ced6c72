// The connection thread with its default delivery through the Qt event loop, as the main
// window uses it.

#include "RadioTestSupport.h"
#include "VirtualStick.h"
#include "zeft_USBConnection.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

namespace vs = zeft::virtualstick;
using zeft::TUSBConnection;

namespace {

struct TNote {
    int State;
    int Value;
    bool operator==(const TNote&) const = default;
};

class QtConnection : public testing::Test {
protected:
    void SetUp() override { vs::Reset(); }
    void TearDown() override { vs::Reset(); }

    std::unique_ptr<TUSBConnection> Create() {
        auto clock = std::make_unique<zeft::test::TTestClock>();
        Clock = clock.get();
        auto connection = std::make_unique<TUSBConnection>(
            zeft::test::VirtualDriverLoader(Scratch.Path()), std::move(clock));
        connection->OnStateChange = [this](std::uint8_t state, std::int32_t value) {
            EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
            Notes.push_back({state, value});
        };
        return connection;
    }

    zeft::test::TScratchDirectory Scratch;
    zeft::test::TTestClock* Clock = nullptr;
    std::vector<TNote> Notes;
};

TEST_F(QtConnection, NotificationsRunOnTheUserInterfaceThread) {
    vs::PlugIn();
    auto connection = Create();
    TUSBConnection* raw = connection.get();
    Clock->OnPause = [raw](int number, std::chrono::milliseconds) {
        if (number == 1)
            vs::PullOut();
        if (number == 2)
            raw->RequestStop();
    };
    connection->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return connection->isFinished(); }, 20000));
    connection->Stop();
    EXPECT_EQ(Notes, (std::vector<TNote>{{1, 0}, {0, 0}}));
}

TEST_F(QtConnection, DestroyedWhileANotificationIsQueuedNothingArrives) {
    auto connection = Create();
    connection->start();
    // The event loop does not run: the first notification stays queued.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    connection.reset();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(Notes.empty());
}

} // namespace
