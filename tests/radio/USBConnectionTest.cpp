// The connection thread: its state sequences with the virtual stick and a clock that does not
// wait, the transmission requests, and stopping. Notifications are delivered through a
// standard C++ stand-in for the user-interface loop, so that ThreadSanitizer sees every
// synchronisation involved.

#include "RadioTestLocations.h"
#include "RadioTestSupport.h"
#include "TOwnerLoop.h"
#include "VirtualStick.h"
#include "VirtualStickReports.h"
#include "zeft_StickLock.h"
#include "zeft_USBConnection.h"

#include <condition_variable>
#include <csignal>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;
namespace vs = zeft::virtualstick;
using namespace std::chrono_literals;
using zeft::TUSBConnection;

namespace {

constexpr int NoAccess = static_cast<int>(zeft::TNoStickReason::NoAccess);
constexpr int InUse = static_cast<int>(zeft::TNoStickReason::InUse);
constexpr int NoLock = static_cast<int>(zeft::TNoStickReason::NoLockDirectory);
constexpr auto Owned = zeft::TStickLock::TResult::Owned;
constexpr auto Unavailable = zeft::TStickLock::TResult::Unavailable;
using enum zeft::TDirectoryFault;

struct TNote {
    int State;
    int Value;
    int Reason = 0; // TNoStickReason; NotFound unless given
    bool operator==(const TNote&) const = default;
};

void PrintTo(const TNote& note, std::ostream* out) {
    *out << "(" << note.State << ", " << note.Value;
    if (note.Reason != 0)
        *out << ", reason " << note.Reason;
    *out << ")";
}

using TNotes = std::vector<TNote>;

TNotes Percentages(int first, int last) {
    static const int all[] = {0,  1,  15, 16, 19, 21, 24, 26, 29, 30, 34, 35,
                              39, 40, 43, 45, 48, 50, 51, 65, 66, 69, 71, 74,
                              76, 79, 80, 84, 85, 89, 90, 93, 95, 98, 100};
    TNotes notes;
    for (int p : all)
        if (p >= first && p <= last)
            notes.push_back({2, p});
    return notes;
}

TNotes Join(std::initializer_list<TNotes> parts) {
    TNotes all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A successful transmission of the uniform location: (2, 0) up to (2, 100), then (1, 0).
TNotes SuccessfulTransmission() {
    return Join({Percentages(0, 100), {{1, 0}}});
}

// The failure display: (3, -400), then one step of 50 a second up to 100.
TNotes FailureDisplay() {
    TNotes notes;
    for (int value = -400; value <= 100; value += 50)
        notes.push_back({3, value});
    return notes;
}

class Connection : public testing::Test {
protected:
    void SetUp() override { vs::Reset(); }
    void TearDown() override {
        if (Conn)
            Conn->Stop();
        Conn.reset();
        EXPECT_EQ(vs::OpenHandles(), 0) << "the stick was not released";
        vs::Reset();
    }

    void Create(std::unique_ptr<zeft::TuTrxLoader> driver = {}) {
        auto clock = std::make_unique<zeft::test::TTestClock>();
        Clock = clock.get();
        if (!driver)
            driver = zeft::test::VirtualDriverLoader(Scratch.Path() / "zeft");
        Conn = std::make_unique<TUSBConnection>(std::move(driver), std::move(clock));
        Conn->SetOwnerThreadPoster(Loop.Poster());
        Conn->OnStateChange = [this](std::uint8_t state, std::int32_t value) {
            EXPECT_EQ(std::this_thread::get_id(), OwnerThread);
            Notes.push_back({state, value, static_cast<int>(Conn->NoStickReason())});
        };
        Conn->OnRequestFinished = [this](std::uint64_t id, zeft::TRequestOutcome outcome) {
            EXPECT_EQ(std::this_thread::get_id(), OwnerThread);
            Outcomes.emplace_back(id, outcome);
            OutcomeAt.push_back(Notes.size());
        };
    }

    // Stops the thread at the given pause, counted from 1 over every pause it makes.
    void StopAtPause(int stopAt, std::function<void(int)> atPause = {}) {
        Clock->OnPause = [this, stopAt, atPause](int number, std::chrono::milliseconds) {
            if (atPause)
                atPause(number);
            if (number == stopAt)
                Conn->RequestStop();
        };
    }

    void RunUntilStopped() {
        Conn->start();
        ASSERT_TRUE(Loop.PumpUntil([this] { return Conn->isFinished(); }));
        Conn->Stop();
    }

    zeft::test::TScratchDirectory Scratch;
    zeft::test::TOwnerLoop Loop;
    const std::thread::id OwnerThread = std::this_thread::get_id();
    std::unique_ptr<TUSBConnection> Conn;
    zeft::test::TTestClock* Clock = nullptr;
    TNotes Notes;
    std::vector<std::pair<std::uint64_t, zeft::TRequestOutcome>> Outcomes;
    // How many state reports had arrived when each outcome did.
    std::vector<std::size_t> OutcomeAt;
};

using enum zeft::TRequestOutcome;
using TOutcomes = std::vector<std::pair<std::uint64_t, zeft::TRequestOutcome>>;

TEST_F(Connection, WithoutStickCountsUpAndTriesEveryTwoSeconds) {
    Create();
    StopAtPause(5);
    RunUntilStopped();
    EXPECT_EQ(Notes, (TNotes{{0, 0}, {0, 50}, {0, 100}, {0, 0}, {0, 50}, {0, 100}, {0, 0}}));
    EXPECT_EQ(Clock->Pauses(), std::vector<std::chrono::milliseconds>(5, 1000ms));
}

TEST_F(Connection, LibraryThatCannotBeWrittenCountsAsAFailedAttempt) {
    zeft::test::WriteFileBytes(Scratch.Path() / "file", {});
    vs::PlugIn();
    Create(zeft::test::VirtualDriverLoader(Scratch.Path() / "file" / "zeft"));
    StopAtPause(3);
    RunUntilStopped();
    // Nor can the lock be taken there.
    EXPECT_EQ(Notes, (TNotes{{0, 0, NoLock}, {0, 50, NoLock}, {0, 100, NoLock}, {0, 0, NoLock}}));
}

TEST_F(Connection, WithoutTheLockTheStickIsLeftAloneAndTheDirectoryNamed) {
    // The library would load there, but another copy could not tell that this one drives it.
    fs::create_directory(Scratch.Path() / "zeft");
    fs::create_symlink(Scratch.Path() / "elsewhere", Scratch.Path() / "zeft" / "stick.lock");
    vs::PlugIn();
    Create();
    StopAtPause(3);
    RunUntilStopped();
    EXPECT_EQ(Notes, (TNotes{{0, 0, NoLock}, {0, 50, NoLock}, {0, 100, NoLock}, {0, 0, NoLock}}));
    EXPECT_EQ(Conn->NoStickCause().Directory,
              (zeft::TDirectoryProblem{Scratch.Path() / "zeft", LockFileUnusable}));
    EXPECT_TRUE(vs::Reports().empty()) << "the stick was driven without the lock";
}

// Of two places, the lock takes the first it can; when it can take none, the first is named
// with what is wrong with it.
struct TLockPlaceCase {
    std::string Name;
    std::function<void(const fs::path& scratch)> Spoil; // the places: scratch/run, scratch/cache
    zeft::TStickLock::TResult Result;
    zeft::TDirectoryProblem Problem; // its directory below scratch
};

class StickLockPlace : public testing::TestWithParam<TLockPlaceCase> {};

TEST(StickLock, WithoutAnyPlaceIsUnavailableAndSaysNoneIsKnown) {
    zeft::TStickLock lock({});
    EXPECT_EQ(lock.TryAcquire(), Unavailable);
    EXPECT_EQ(lock.Problem().Fault, zeft::TDirectoryFault::NoneKnown);
}

TEST_P(StickLockPlace, TakesTheLockOrNamesTheFirstPlaceAndWhy) {
    zeft::test::TScratchDirectory scratch;
    GetParam().Spoil(scratch.Path());
    zeft::TStickLock lock({scratch.Path() / "run", scratch.Path() / "cache"});
    EXPECT_EQ(lock.TryAcquire(), GetParam().Result);
    zeft::TDirectoryProblem expected = GetParam().Problem;
    if (!expected.Directory.empty())
        expected.Directory = scratch.Path() / expected.Directory;
    EXPECT_EQ(lock.Problem(), expected);
}

void Link(const fs::path& scratch) {
    fs::create_directory_symlink(scratch, scratch / "run");
}
void File(const fs::path& path) {
    zeft::test::WriteFileBytes(path, {});
}

INSTANTIATE_TEST_SUITE_P(
    Places, StickLockPlace,
    testing::Values(TLockPlaceCase{"SecondServesWhenTheFirstIsALink", Link, Owned, {}},
                    TLockPlaceCase{"LinkInPlaceOfTheDirectory",
                                   [](const fs::path& s) {
                                       Link(s);
                                       File(s / "cache");
                                   },
                                   Unavailable,
                                   {"run", SymbolicLink}},
                    TLockPlaceCase{"FileInPlaceOfTheDirectory",
                                   [](const fs::path& s) {
                                       File(s / "run");
                                       File(s / "cache");
                                   },
                                   Unavailable,
                                   {"run", NotADirectory}}),
    [](const auto& info) { return info.param.Name; });

TEST_F(Connection, StickPluggedInIsReadyAtTheNextAttempt) {
    Create();
    StopAtPause(4, [](int number) {
        if (number == 2)
            vs::PlugIn();
    });
    RunUntilStopped();
    // After (1, 0) the stick is searched and set up again every second without a report.
    EXPECT_EQ(Notes, (TNotes{{0, 0}, {0, 50}, {0, 100}, {1, 0}}));
    EXPECT_EQ(zeft::test::SetReports(0xF0).size(), 2 * 41u);
}

TEST_F(Connection, StickThatCannotBeOpenedSaysSoUntilAccessIsGranted) {
    vs::PlugIn();
    vs::RefuseOpen(true, EACCES); // listed, but the hidraw node is root's
    Create();
    StopAtPause(6, [](int number) {
        if (number == 2) // a different failure: the reason follows it
            vs::RefuseOpen(true, EIO);
        if (number == 4) // the udev rule is installed and the node re-triggered
            vs::RefuseOpen(false);
    });
    RunUntilStopped();
    EXPECT_EQ(Notes, (TNotes{{0, 0, NoAccess},
                             {0, 50, NoAccess},
                             {0, 100, NoAccess},
                             {0, 0},
                             {0, 50},
                             {0, 100},
                             {1, 0}}));
    // The set-up went out at the two polls after access was granted, never before.
    EXPECT_EQ(zeft::test::SetReports(0xF0).size(), 2 * 41u);
}

// Pauses that last until the thread is stopped: a first copy that sits in its ready state.
class TIdleClock final : public zeft::TRadioClock {
public:
    bool Pause(std::chrono::milliseconds, std::stop_token stop) override {
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        wake.wait(lock, stop, [] { return false; });
        return false;
    }
    zeft::TLocalDateTime LocalTime() override { return {2009, 11, 23, 14, 5, 33}; }
};

TEST_F(Connection, SecondCopyLeavesTheStickAloneUntilTheFirstEnds) {
    vs::PlugIn();
    // The first copy: same user, same private directory, its own lock file descriptor.
    TNotes firstNotes;
    auto first = std::make_unique<TUSBConnection>(
        zeft::test::VirtualDriverLoader(Scratch.Path() / "zeft"), std::make_unique<TIdleClock>());
    first->SetOwnerThreadPoster(Loop.Poster());
    first->OnStateChange = [&](std::uint8_t state, std::int32_t value) {
        firstNotes.push_back({state, value});
    };
    first->start();
    ASSERT_TRUE(Loop.PumpUntil([&] { return !firstNotes.empty(); }));
    ASSERT_EQ(firstNotes, (TNotes{{1, 0}}));
    vs::ClearReports();

    Create();
    std::size_t reportsWhileInUse = 99;
    StopAtPause(6, [&](int number) {
        if (number == 4) {
            reportsWhileInUse = vs::Reports().size();
            first->Stop(); // the first copy is closed
        }
    });
    RunUntilStopped();
    EXPECT_EQ(reportsWhileInUse, 0u) << "the second copy touched the stick";
    EXPECT_EQ(Notes, (TNotes{{0, 0, InUse},
                             {0, 50, InUse},
                             {0, 100, InUse},
                             {0, 0, InUse},
                             {0, 50, InUse},
                             {0, 100, InUse},
                             {1, 0}}));
    EXPECT_EQ(zeft::test::SetReports(0xF0).size(), 2 * 41u);
}

TEST_F(Connection, LockOfACopyThatDiedIsReleasedByTheKernel) {
    vs::PlugIn();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t other = fork(); // before any thread of this process exists
    if (other == 0) {
        zeft::TStickLock lock({Scratch.Path() / "zeft"});
        const char owned = lock.TryAcquire() == zeft::TStickLock::TResult::Owned ? 'y' : 'n';
        if (write(ready[1], &owned, 1) != 1)
            _exit(1); // the parent's read then ends instead of waiting for ever
        for (;;)
            pause();
    }
    close(ready[1]);
    char owned = 0;
    ASSERT_EQ(read(ready[0], &owned, 1), 1);
    close(ready[0]);
    ASSERT_EQ(owned, 'y');

    Create();
    StopAtPause(3, [&](int number) {
        if (number == 2) { // the other copy crashes
            kill(other, SIGKILL);
            waitpid(other, nullptr, 0);
        }
    });
    RunUntilStopped();
    EXPECT_EQ(Notes, (TNotes{{0, 0, InUse}, {0, 50, InUse}, {0, 100, InUse}, {1, 0}}));
}

TEST_F(Connection, TheLockIsKeptWhileRunningAndReleasedAtTheEnd) {
    Create(); // no stick: the lock is taken all the same, the stick may come later
    zeft::TStickLock other({Scratch.Path() / "zeft"});
    StopAtPause(2, [&](int number) {
        if (number == 1) {
            EXPECT_EQ(other.TryAcquire(), zeft::TStickLock::TResult::InUse);
        }
    });
    RunUntilStopped();
    EXPECT_EQ(other.TryAcquire(), zeft::TStickLock::TResult::Owned);
}

TEST_F(Connection, StickPulledOutIsNoticedAtTheNextCycle) {
    vs::PlugIn();
    Create();
    StopAtPause(3, [](int number) {
        if (number == 1)
            vs::PullOut();
    });
    RunUntilStopped();
    EXPECT_EQ(Notes, (TNotes{{1, 0}, {0, 0}, {0, 50}}));
}

TEST_F(Connection, SuccessfulRequestReportsEveryPercentageAndIsCleared) {
    vs::PlugIn();
    Create();
    Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    EXPECT_TRUE(Conn->TransmitPending());
    StopAtPause(17); // 16 pauses of the transmission, then the next cycle
    RunUntilStopped();
    EXPECT_EQ(Notes, Join({{{1, 0}}, SuccessfulTransmission()}));
    EXPECT_FALSE(Conn->TransmitPending());
    EXPECT_EQ(zeft::test::SentFrames().size(), 18u);
    // Sent comes after (2, 100) and before the return to (1, 0).
    EXPECT_EQ(Outcomes, (TOutcomes{{1, Sent}}));
    EXPECT_EQ(OutcomeAt, std::vector<std::size_t>{Notes.size() - 1});
}

TEST_F(Connection, FailedRequestIsShownAndSentAgainOnceTheStickIsBack) {
    vs::PlugIn();
    vs::RefuseAllFrames(true);
    Create();
    Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    StopAtPause(27, [](int number) {
        if (number == 10)
            vs::RefuseAllFrames(false);
    });
    RunUntilStopped();
    EXPECT_EQ(Notes,
              Join({{{1, 0}, {2, 0}}, FailureDisplay(), {{1, 0}}, SuccessfulTransmission()}));
    EXPECT_FALSE(Conn->TransmitPending());
    EXPECT_EQ(Outcomes, (TOutcomes{{1, Sent}})); // once, not for the failed attempt
    const auto frames = zeft::test::SentFrames();
    ASSERT_EQ(frames.size(), 2 + 18u);
    EXPECT_TRUE(frames[0].Refused && frames[1].Refused);
}

TEST_F(Connection, FailedRequestStaysPendingWhileTheStickIsGone) {
    vs::PlugIn();
    vs::RefuseAllFrames(true);
    Create();
    Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    StopAtPause(11, [](int number) {
        if (number == 10)
            vs::PullOut();
    });
    RunUntilStopped();
    EXPECT_EQ(Notes, Join({{{1, 0}, {2, 0}}, FailureDisplay(), {{0, 0}}}));
    EXPECT_TRUE(Conn->TransmitPending());
}

TEST_F(Connection, RequestFromTheOwnerWhileTheThreadRunsIsTakenUp) {
    vs::PlugIn();
    Create();
    Conn->start();
    ASSERT_TRUE(Loop.PumpUntil([this] { return !Notes.empty(); }));
    // The thread keeps cycling in the ready state while the owner hands over the request.
    Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    const TNotes expected = Join({{{1, 0}}, SuccessfulTransmission()});
    ASSERT_TRUE(Loop.PumpUntil([&] { return Notes.size() >= expected.size(); }));
    Conn->Stop();
    EXPECT_EQ(Notes, expected);
    EXPECT_FALSE(Conn->TransmitPending());
}

TEST_F(Connection, TransmitsTheProgramAsItWasWhenRequested) {
    vs::PlugIn();
    Create();
    auto location = zeft::test::MakeUniformLocation(20.0);
    Conn->RequestTransmission(*location);
    // The user goes on editing and then removes the location.
    location->Days(0).Items(0).Temperature().SetValue(25.0);
    location.reset();
    StopAtPause(17);
    RunUntilStopped();
    const auto frames = zeft::test::SentFrames();
    ASSERT_EQ(frames.size(), 18u);
    EXPECT_EQ(frames[2].Bytes,
              (std::vector<std::uint8_t>{0x00, 0x31, 0xFF, 0x00, 0x00, 0x02, 144, 40}));
}

TEST_F(Connection, RequestMadeDuringATransmissionIsSentAfterIt) {
    vs::PlugIn();
    Create();
    Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    StopAtPause(33, [this](int number) {
        if (number == 3)
            Conn->RequestTransmission(zeft::test::MakeUniformLocation(21.0));
    });
    RunUntilStopped();
    EXPECT_EQ(Notes, Join({{{1, 0}}, SuccessfulTransmission(), SuccessfulTransmission()}));
    // The one on its way when the second came went out, and says so.
    EXPECT_EQ(Outcomes, (TOutcomes{{1, Sent}, {2, Sent}}));
    const auto frames = zeft::test::SentFrames();
    ASSERT_EQ(frames.size(), 36u);
    EXPECT_EQ(frames[2].Bytes.back(), 40);
    EXPECT_EQ(frames[20].Bytes.back(), 42);
    EXPECT_FALSE(Conn->TransmitPending());
}

TEST_F(Connection, OwnerStoppingInsideANotificationEndsTheTransmissionAtOnce) {
    vs::PlugIn();
    Create();
    Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    Conn->OnStateChange = [this](std::uint8_t state, std::int32_t value) {
        Notes.push_back({state, value});
        if (state == TUSBConnection::Transmitting && value == 21)
            Conn->Stop(); // as a window closing: must neither deadlock nor wait long
    };
    Conn->start();
    ASSERT_TRUE(Loop.PumpUntil([this] { return Conn->isFinished(); }));
    EXPECT_EQ(Notes, Join({{{1, 0}}, Percentages(0, 21)}));
    // Start, clock and the first period; nothing after the stop.
    EXPECT_EQ(zeft::test::SentFrames().size(), 3u);
    Loop.RunPending();
    EXPECT_EQ(Notes.size(), 1 + Percentages(0, 21).size());
}

TEST_F(Connection, StopWithANotificationWaitingForTheOwnerNeverDeadlocks) {
    Create();
    Conn->start();
    ASSERT_TRUE(Loop.WaitForPosted()); // the thread now waits for its first notification
    Conn->Stop();
    EXPECT_TRUE(Conn->isFinished());
    Loop.RunPending();
    EXPECT_TRUE(Notes.empty()) << "a notification reached the owner after Stop()";
}

TEST_F(Connection, DestroyingTheConnectionWithANotificationQueuedIsSafe) {
    Create();
    Conn->start();
    ASSERT_TRUE(Loop.WaitForPosted());
    Conn.reset();
    Loop.RunPending(); // the queued call finds itself withdrawn and touches nothing
    EXPECT_TRUE(Notes.empty());
}

TEST_F(Connection, NoOutcomeReachesTheOwnerAfterStop) {
    Create();
    Conn->start();
    Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    Conn->Stop();
    Conn->RequestTransmission(*zeft::test::MakeUniformLocation(21.0)); // replaces the first
    Conn->CancelTransmission();                                        // withdraws the second
    Loop.RunPending();
    EXPECT_TRUE(Outcomes.empty());
    EXPECT_FALSE(Conn->TransmitPending());
}

TEST(ConnectionRealPauses, StopDuringATransmissionDoesNotWaitForIt) {
    vs::Reset();
    vs::PlugIn();
    zeft::test::TScratchDirectory scratch;
    zeft::test::TOwnerLoop loop;
    TNotes notes;
    TUSBConnection connection(zeft::test::VirtualDriverLoader(scratch.Path()),
                              std::make_unique<zeft::TSystemRadioClock>());
    connection.SetOwnerThreadPoster(loop.Poster());
    connection.OnStateChange = [&](std::uint8_t state, std::int32_t value) {
        notes.push_back({state, value});
    };
    connection.RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    connection.start();
    // Past the one-second pause: the rest of the transmission needs 3.5 s more.
    ASSERT_TRUE(loop.PumpUntil([&] { return !notes.empty() && notes.back() == TNote{2, 16}; }));
    const auto before = std::chrono::steady_clock::now();
    connection.Stop();
    const auto took = std::chrono::steady_clock::now() - before;
    EXPECT_LT(took, 1s) << "Stop() waited for the transmission";
    EXPECT_LT(zeft::test::SentFrames().size(), 18u);
    EXPECT_EQ(vs::OpenHandles(), 0);
    vs::Reset();
}

} // namespace

TEST_F(Connection, AWaitingRequestReplacedByANewerOneIsWithdrawn) {
    vs::PlugIn();
    Create();
    const std::uint64_t first = Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    const std::uint64_t second = Conn->RequestTransmission(*zeft::test::MakeUniformLocation(21.0));
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(Outcomes, (TOutcomes{{first, Withdrawn}}));
    StopAtPause(17);
    RunUntilStopped();
    EXPECT_EQ(Outcomes, (TOutcomes{{first, Withdrawn}, {second, Sent}}));
    const auto frames = zeft::test::SentFrames();
    ASSERT_EQ(frames.size(), 18u);
    EXPECT_EQ(frames[2].Bytes.back(), 42);
}

TEST_F(Connection, ThreeFailedAttemptsInARowGiveTheRequestUp) {
    vs::PlugIn();
    vs::RefuseAllFrames(true);
    Create();
    const std::uint64_t id = Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    std::vector<int> attempts; // as the status bar would show them with each failure
    Conn->OnStateChange = [this, &attempts, notify = Conn->OnStateChange](std::uint8_t state,
                                                                          std::int32_t value) {
        notify(state, value);
        if (state == TUSBConnection::TransmissionFailed && value == TUSBConnection::FailureValue)
            attempts.push_back(Conn->FailedAttempts());
    };
    StopAtPause(40); // three failure displays of 10 pauses, then the ready state goes on
    RunUntilStopped();
    const TNotes attempt = Join({{{1, 0}, {2, 0}}, FailureDisplay()});
    EXPECT_EQ(Notes, Join({attempt, attempt, attempt, {{1, 0}}}));
    EXPECT_EQ(Outcomes, (TOutcomes{{id, Failed}}));
    // Failed comes with the third failure, before its display.
    EXPECT_EQ(OutcomeAt, std::vector<std::size_t>{2 * attempt.size() + 2});
    EXPECT_EQ(attempts, (std::vector<int>{1, 2, 0}));
    EXPECT_FALSE(Conn->TransmitPending());
    EXPECT_EQ(zeft::test::SentFrames().size(), 3 * 2u); // each attempt's two start frames
}

TEST_F(Connection, ACancelDuringATransmissionSendsNoFrameAfterIt) {
    vs::PlugIn();
    Create();
    const std::uint64_t id = Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    std::atomic<bool> paused{false}, cancelled{false};
    Clock->OnPause = [&](int number, std::chrono::milliseconds) {
        if (number == 3) { // after the start, clock and first period frames
            paused = true;
            while (!cancelled)
                std::this_thread::yield();
        }
        if (number == 8)
            Conn->RequestStop();
    };
    Conn->start();
    ASSERT_TRUE(Loop.PumpUntil([&] { return paused.load(); }));
    const std::size_t framesBefore = zeft::test::SentFrames().size();
    Conn->CancelTransmission();
    EXPECT_FALSE(Conn->TransmitPending());
    cancelled = true;
    ASSERT_TRUE(Loop.PumpUntil([this] { return Conn->isFinished(); }));
    Conn->Stop();
    EXPECT_EQ(framesBefore, 3u);
    EXPECT_EQ(zeft::test::SentFrames().size(), framesBefore);
    EXPECT_EQ(Outcomes, (TOutcomes{{id, Withdrawn}}));
    ASSERT_FALSE(Notes.empty());
    EXPECT_EQ(Notes.back(), (TNote{1, 0})); // back to ready: not a failure of the link
}

// The owner cancels while a percentage is being reported: the frame after it stays back, also
// when it is the first of the second pass.
struct TCancelCase {
    int AtPercentage;
    std::size_t FramesSent;
};

class CancelInAReport : public Connection, public testing::WithParamInterface<TCancelCase> {};

TEST_P(CancelInAReport, SendsNoFrameAfterItAndReturnsToReady) {
    const auto [percentage, framesSent] = GetParam();
    vs::PlugIn();
    Create();
    const std::uint64_t id = Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    std::size_t framesAtCancel = 0;
    Conn->OnStateChange = [&, notify = Conn->OnStateChange](std::uint8_t state,
                                                            std::int32_t value) {
        notify(state, value);
        if (state == TUSBConnection::Transmitting && value == percentage) {
            framesAtCancel = zeft::test::SentFrames().size();
            Conn->CancelTransmission();
        }
    };
    Conn->start();
    const TNotes expected = Join({{{1, 0}}, Percentages(0, percentage), {{1, 0}}});
    ASSERT_TRUE(Loop.PumpUntil([&] { return Notes.size() >= expected.size(); }));
    const std::size_t until = Clock->Pauses().size() + 5; // a few cycles in the ready state
    ASSERT_TRUE(Loop.PumpUntil([&] { return Clock->Pauses().size() >= until; }));
    Conn->Stop();
    EXPECT_EQ(framesAtCancel, framesSent);
    EXPECT_EQ(zeft::test::SentFrames().size(), framesSent);
    EXPECT_EQ(Outcomes, (TOutcomes{{id, Withdrawn}}));
    EXPECT_EQ(Notes, expected);
    EXPECT_FALSE(Conn->TransmitPending());
}

// 1: start frame; 16: clock frame; 50: end of the first pass; 98: before the last frame.
INSTANTIATE_TEST_SUITE_P(Percentages, CancelInAReport,
                         testing::Values(TCancelCase{1, 1}, TCancelCase{16, 2}, TCancelCase{50, 9},
                                         TCancelCase{98, 17}),
                         [](const auto& info) {
                             return "At" + std::to_string(info.param.AtPercentage);
                         });

// A request pending when the stick went away waits for the owner's word once one is back:
// another controller may be in receive mode by then. The owner answers before the question
// reaches it, inside it, or a while after it.
enum class TAnswer { Confirm, Cancel, Replace };
enum class TMoment { BeforeAsk, InHandler, Later };

class HeldRequest : public Connection,
                    public testing::WithParamInterface<std::tuple<TAnswer, TMoment>> {
protected:
    void Answer(TAnswer answer) {
        if (answer == TAnswer::Confirm) {
            Conn->ConfirmTransmission();
            EXPECT_EQ(Conn->FailedAttempts(), 0); // the confirmed request starts afresh
        } else if (answer == TAnswer::Cancel) {
            Conn->CancelTransmission();
        } else {
            Conn->RequestTransmission(*zeft::test::MakeUniformLocation(21.0));
            EXPECT_FALSE(Conn->TransmitHeld());
        }
    }
    // Lets the thread cycle in the ready state for a few more pauses.
    void PumpPauses(std::size_t count) {
        const std::size_t until = Clock->Pauses().size() + count;
        ASSERT_TRUE(Loop.PumpUntil([&] { return Clock->Pauses().size() >= until; }));
    }
};

TEST_P(HeldRequest, IsSentOnlyWhenTheOwnerConfirms) {
    const auto [answer, moment] = GetParam();
    vs::PlugIn();
    vs::RefuseAllFrames(true);
    Create();
    const std::uint64_t id = Conn->RequestTransmission(*zeft::test::MakeUniformLocation(20.0));
    std::vector<std::uint64_t> asked;
    Conn->OnRequestHeld = [&, answer, moment](std::uint64_t heldId) {
        asked.push_back(heldId);
        EXPECT_TRUE(Conn->TransmitHeld());
        EXPECT_EQ(Conn->FailedAttempts(), 1);
        if (moment == TMoment::InHandler)
            Answer(answer);
    };
    Clock->OnPause = [](int number, std::chrono::milliseconds) {
        if (number == 10)
            vs::PullOut(); // the attempt at 100 finds no stick
        if (number == 11) {
            vs::RefuseAllFrames(false);
            vs::ClearReports();
            vs::PlugIn();
        }
    };
    Conn->start();
    if (moment == TMoment::BeforeAsk) {
        // The stick is ready again; the question is posted next and waits in the queue.
        ASSERT_TRUE(Loop.PumpUntil([&] {
            return std::count(Notes.begin(), Notes.end(), TNote{1, 0}) == 2;
        }));
        ASSERT_TRUE(Loop.WaitForPosted());
        Answer(answer);
    } else {
        ASSERT_TRUE(Loop.PumpUntil([&] { return !asked.empty(); }));
    }
    if (moment == TMoment::Later) {
        PumpPauses(5);
        EXPECT_TRUE(Conn->TransmitHeld());
        EXPECT_TRUE(Conn->TransmitPending());
        EXPECT_TRUE(zeft::test::SentFrames().empty()) << "sent without the owner's word";
        Answer(answer);
    }
    const TOutcomes expected = answer == TAnswer::Confirm ? TOutcomes{{id, Sent}}
                               : answer == TAnswer::Cancel
                                   ? TOutcomes{{id, Withdrawn}}
                                   : TOutcomes{{id, Withdrawn}, {id + 1, Sent}};
    ASSERT_TRUE(Loop.PumpUntil([&] { return Outcomes.size() >= expected.size(); }));
    PumpPauses(5); // nothing more goes out
    Conn->Stop();
    EXPECT_EQ(asked, moment == TMoment::BeforeAsk ? std::vector<std::uint64_t>{}
                                                  : std::vector<std::uint64_t>{id});
    EXPECT_EQ(Outcomes, expected);
    const auto frames = zeft::test::SentFrames();
    ASSERT_EQ(frames.size(), answer == TAnswer::Cancel ? 0u : 18u);
    if (!frames.empty()) {
        EXPECT_EQ(frames[2].Bytes.back(), answer == TAnswer::Replace ? 42 : 40);
    }
    EXPECT_FALSE(Conn->TransmitPending());
}

std::string HeldCaseName(const testing::TestParamInfo<HeldRequest::ParamType>& info) {
    static const char* const answers[] = {"Confirmed", "Cancelled", "Replaced"};
    static const char* const moments[] = {"BeforeTheQuestion", "InTheHandler", "Later"};
    return std::string(answers[static_cast<int>(std::get<0>(info.param))]) +
           moments[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(
    Answers, HeldRequest,
    testing::Combine(testing::Values(TAnswer::Confirm, TAnswer::Cancel, TAnswer::Replace),
                     testing::Values(TMoment::BeforeAsk, TMoment::InHandler, TMoment::Later)),
    HeldCaseName);
