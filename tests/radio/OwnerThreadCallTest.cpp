// The blocking call into the owner's thread and its stop guard.

#include "TOwnerLoop.h"
#include "zeft_OwnerThreadCall.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

using zeft::TOwnerThreadCall;

class OwnerThreadCall : public testing::Test {
protected:
    zeft::test::TOwnerLoop Loop;
    TOwnerThreadCall Call{Loop.Poster()};
    std::stop_source Stop;
};

TEST_F(OwnerThreadCall, RunsOnTheOwnerThreadWhileTheWorkerWaits) {
    std::thread::id ranOn;
    int value = 0;
    std::atomic<bool> finished{false};
    bool result = false;
    std::thread worker([&] {
        result = Call.Run(
            [&] {
                ranOn = std::this_thread::get_id();
                value = 42;
            },
            Stop.get_token());
        // The owner's write is visible here because the call returned after it.
        EXPECT_EQ(value, 42);
        finished = true;
    });
    ASSERT_TRUE(Loop.PumpUntil([&] { return finished.load(); }));
    worker.join();
    EXPECT_TRUE(result);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(OwnerThreadCall, StopRequestedBeforehandPostsNothing) {
    Stop.request_stop();
    bool ran = false;
    EXPECT_FALSE(Call.Run([&] { ran = true; }, Stop.get_token()));
    Loop.RunPending();
    EXPECT_FALSE(ran);
}

TEST_F(OwnerThreadCall, StopWhileTheOwnerIsBusyWithdrawsTheCall) {
    bool ran = false;
    bool result = true;
    std::thread worker([&] { result = Call.Run([&] { ran = true; }, Stop.get_token()); });
    // The owner does not pump: the call stays queued until the stop.
    ASSERT_TRUE(Loop.WaitForPosted());
    Stop.request_stop();
    worker.join();
    EXPECT_FALSE(result);
    Loop.RunPending();
    EXPECT_FALSE(ran) << "a withdrawn call ran after all";
}

TEST_F(OwnerThreadCall, OwnerMayStopAndJoinTheWorkerFromInsideTheCall) {
    bool result = true;
    bool workerDone = false;
    bool joinedInside = false;
    std::thread worker;
    worker = std::thread([&] {
        result = Call.Run(
            [&] {
                // As a window closing in its handler: end the worker that waits for this call.
                Stop.request_stop();
                worker.join();
                joinedInside = true;
            },
            Stop.get_token());
        workerDone = true;
    });
    ASSERT_TRUE(Loop.PumpUntil([&] { return joinedInside; }));
    EXPECT_TRUE(workerDone);
    EXPECT_FALSE(result) << "the worker cannot know that the call completed";
}

TEST_F(OwnerThreadCall, WithoutPosterNothingRuns) {
    TOwnerThreadCall call;
    EXPECT_FALSE(call.Run([] {}, Stop.get_token()));
}

} // namespace
