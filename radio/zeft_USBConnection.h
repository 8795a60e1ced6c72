#pragma once

#include "THeatingLocation.h"
#include "zeft_NoStickReason.h"
#include "zeft_OwnerThreadCall.h"
#include "zeft_QtOwnerThreadPoster.h"
#include "zeft_RadioClock.h"
#include "zeft_RequestOutcome.h"
#include "zeft_StickLock.h"
#include "zeft_Transmission.h"
#include "zeft_USBRF.h"
#include "zeft_uTrx.h"

#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>

namespace zeft {

/// The connection thread: looks for the programming stick about once a second, keeps the link
/// state, transmits a requested weekly program and reports every change of state or value to
/// its owner on the owner's thread. Create it on the user-interface thread, set
/// OnStateChange, then start(); Stop() (or destruction) ends it promptly. Of several copies of
/// the program for one user only the first drives the stick (TStickLock); the others report
/// NoStick with the reason InUse until it ends. Without a place for the lock no copy drives it
/// (NoLockDirectory).
class TUSBConnection : public QThread {
    Q_OBJECT
public:
    enum TLinkState : std::uint8_t {
        NoStick = 0,
        StickReady = 1,
        Transmitting = 2,
        TransmissionFailed = 3,
    };
    /// The value reported with TransmissionFailed; it then rises by 50 a second.
    static constexpr std::int32_t FailureValue = -400;
    /// In states 0 and 3 a connection attempt is made when the value reaches this.
    static constexpr std::int32_t AttemptValue = 100;
    static constexpr std::int32_t ValueStep = 50;
    static constexpr std::chrono::milliseconds CyclePause{1000};

    using TStateChangeEvent = std::function<void(std::uint8_t state, std::int32_t value)>;

    /// The program's own driver library in the user's private directory, and real pauses.
    explicit TUSBConnection(QObject* parent = nullptr);
    /// Another driver library (the virtual stick in tests) or another clock.
    TUSBConnection(std::unique_ptr<TuTrxLoader> driver, std::unique_ptr<TRadioClock> clock,
                   QObject* parent = nullptr);
    /// Stops and joins the thread.
    ~TUSBConnection() override;

    /// Runs on the owner's thread while the connection thread waits, only when state or value
    /// changed. Set it before start(). Never called once Stop() has returned.
    TStateChangeEvent OnStateChange;

    /// How notifications reach the owner's thread. By default they go through the Qt event
    /// loop of the thread that created this object; set another before start() to deliver
    /// them some other way.
    void SetOwnerThreadPoster(TOwnerThreadCall::TPoster poster);

    /// Failed transmissions of one request in a row before it is given up.
    static constexpr int MaxAttempts = 3;

    /// Owner thread: asks for the location's program to be sent and answers the request's id
    /// (1 for the first). A snapshot is taken now, so the user may go on editing or remove the
    /// location. A newer request replaces an older one: one waiting is withdrawn (reported from
    /// within this call), one on its way is finished and reports how it ended. A request stays
    /// pending until it was sent, failed MaxAttempts times in a row, or was withdrawn.
    std::uint64_t RequestTransmission(const THeatingLocation& location);
    /// The same with a snapshot the caller made; 0 for no snapshot.
    std::uint64_t RequestTransmission(std::unique_ptr<THeatingLocation> snapshot);
    /// A request is pending, held or not.
    bool TransmitPending() const { return FTransmitPending.load(std::memory_order_acquire); }
    /// The pending request waits for the owner's word: the stick went away while it was
    /// pending, and by the time one is back another controller may be in receive mode.
    bool TransmitHeld() const;
    /// Owner thread: failed transmissions of the pending request so far.
    int FailedAttempts() const;
    /// Owner thread: withdraws the pending request at once. A transmission of it stops before
    /// its next frame, the link returns to StickReady, and the request never goes out.
    void CancelTransmission();
    /// Owner thread: the held request may go; it is sent in the next cycle.
    void ConfirmTransmission();

    /// Runs on the owner's thread once for every request that ends, like OnStateChange and in
    /// order with it: Sent comes after the report of 100 % and before the return to
    /// StickReady; Failed before the report of TransmissionFailed that ends its last attempt;
    /// Withdrawn from within the call that cancelled or replaced the request. Never called once
    /// Stop() has returned.
    std::function<void(std::uint64_t id, TRequestOutcome outcome)> OnRequestFinished;
    /// Runs on the owner's thread when a stick is ready again with a held request: the owner
    /// answers with ConfirmTransmission() or CancelTransmission().
    std::function<void(std::uint64_t id)> OnRequestHeld;

    /// Owner thread: why the state reported last (the one OnStateChange is handling) is
    /// NoStick; NotFound with the other states. A change of it alone is reported too.
    TNoStickReason NoStickReason() const { return FReportedCause.Reason; }
    /// Owner thread: the same with the directory that could not hold the lock.
    const TNoStickCause& NoStickCause() const { return FReportedCause; }

    /// Any thread: asks the thread to end. A pause or a wait for the owner ends at once, a
    /// transmission at its next frame.
    void RequestStop() { FStop.request_stop(); }
    /// Owner thread: RequestStop() and wait until the thread has ended and released the stick
    /// and the driver library.
    void Stop();

protected:
    void run() override;

private:
    void RunCycle(const std::stop_token& stop);
    void Reconnect();
    void Transmit(const std::shared_ptr<const THeatingLocation>& snapshot, std::uint64_t id,
                  const std::stop_token& stop);
    void SetStateAndNotify(std::uint8_t state, std::int32_t value);
    void NotifyOwner(std::uint8_t state, std::int32_t value, TNoStickCause cause);
    /// The snapshot to send now: pending, not held; with its id.
    std::shared_ptr<const THeatingLocation> PendingLocation(std::uint64_t* id) const;
    /// With FRequestMutex held: no request is pending any more.
    void ClearPendingLocked();
    /// Reports a request's outcome from the connection thread, in order with the states.
    void PostFinished(std::uint64_t id, TRequestOutcome outcome);
    /// The stick is gone: a pending request waits for the owner's word.
    void HoldRequest();
    /// The stick is ready: a held request asks the owner once.
    void AskForHeldRequest();
    void NotifyFinished(std::uint64_t id, TRequestOutcome outcome);
    /// Owner thread: reports a withdrawn request at once, unless the thread was stopped.
    void ReportWithdrawn(std::uint64_t id);

    std::unique_ptr<TuTrxLoader> FDriver;
    std::unique_ptr<TRadioClock> FClock;
    TUSBRF FRadio;
    // In the driver library's first directory; held from the first attempt on until the
    // thread ends.
    TStickLock FLock;
    TProgramTransmitter FTransmitter;
    std::unique_ptr<TQtOwnerThreadPoster> FQtPoster;
    TOwnerThreadCall FOwnerCall;
    std::stop_source FStop;

    // Connection thread only.
    std::uint8_t FLinkState = NoStick;
    std::int32_t FLinkValue = 0;
    // Set by each connection attempt; the one last reported beside it.
    TNoStickCause FLinkCause;
    TNoStickCause FNotifiedCause;

    // Owner thread only: the cause that came with the last report.
    TNoStickCause FReportedCause;

    // The request: the snapshot under the mutex, the flag published after it (release) and
    // read before it (acquire).
    mutable std::mutex FRequestMutex;
    std::shared_ptr<const THeatingLocation> FPendingLocation;
    std::uint64_t FPendingId = 0;
    std::uint64_t FLastId = 0;
    int FFailedAttempts = 0;
    bool FHeld = false;
    bool FHeldAsked = false;
    /// Stops the transmission under way (its request withdrawn), not the thread.
    std::stop_source FTransmissionStop;
    std::uint64_t FTransmittingId = 0;
    std::atomic<bool> FTransmitPending{false};
};

} // namespace zeft
