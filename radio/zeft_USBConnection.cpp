#include "zeft_USBConnection.h"

#include <algorithm>

namespace zeft {

TUSBConnection::TUSBConnection(QObject* parent)
    : TUSBConnection(CreateDriverLoader(), std::make_unique<TSystemRadioClock>(), parent) {}

TUSBConnection::TUSBConnection(std::unique_ptr<TuTrxLoader> driver,
                               std::unique_ptr<TRadioClock> clock, QObject* parent)
    : QThread(parent), FDriver(std::move(driver)), FClock(std::move(clock)), FRadio(*FDriver),
      FLock(FDriver->Directories()), FTransmitter(FRadio, *FClock),
      FQtPoster(std::make_unique<TQtOwnerThreadPoster>()),
      FOwnerCall(
          [poster = FQtPoster.get()](std::function<void()> fn) { poster->Post(std::move(fn)); }) {}

TUSBConnection::~TUSBConnection() {
    Stop();
}

void TUSBConnection::SetOwnerThreadPoster(TOwnerThreadCall::TPoster poster) {
    FOwnerCall.SetPoster(std::move(poster));
}

void TUSBConnection::RequestTransmission(const THeatingLocation& location) {
    RequestTransmission(location.Clone());
}

void TUSBConnection::RequestTransmission(std::unique_ptr<THeatingLocation> snapshot) {
    if (!snapshot)
        return;
    {
        std::lock_guard lock(FRequestMutex);
        FPendingLocation = std::move(snapshot);
    }
    FTransmitPending.store(true, std::memory_order_release);
}

void TUSBConnection::Stop() {
    RequestStop();
    if (QThread::currentThread() != this)
        wait();
}

void TUSBConnection::run() {
    const std::stop_token stop = FStop.get_token();
    FLinkState = NoStick;
    FLinkValue = AttemptValue;
    while (!stop.stop_requested())
        RunCycle(stop);
    FRadio.UnloadDriver();
    // Only now may another copy take the stick over.
    FLock.Release();
}

void TUSBConnection::RunCycle(const std::stop_token& stop) {
    if (FLinkState == StickReady) {
        if (TransmitPending()) {
            if (auto snapshot = PendingLocation()) {
                Transmit(snapshot, stop);
                return;
            }
        }
        if (FClock->Pause(CyclePause, stop))
            Reconnect();
        return;
    }
    // No stick, or a failed transmission being shown: count up to the next attempt.
    if (FLinkValue >= AttemptValue)
        Reconnect();
    else if (FClock->Pause(CyclePause, stop))
        SetStateAndNotify(FLinkState, std::min(FLinkValue + ValueStep, AttemptValue));
}

void TUSBConnection::Reconnect() {
    bool connected = false;
    TNoStickReason reason = TNoStickReason::NotFound;
    try {
        FRadio.UnloadDriver();
        // A second copy leaves the stick alone: no search, no set-up, no frame.
        if (FLock.TryAcquire() == TStickLock::TResult::InUse) {
            reason = TNoStickReason::InUse;
        } else {
            connected = FRadio.LoadAndConnectStick();
            if (!connected && FRadio.StickAccessDenied())
                reason = TNoStickReason::NoAccess;
        }
    } catch (...) {
        // Whatever went wrong while loading counts as a failed attempt.
        connected = false;
    }
    FLinkReason = connected ? TNoStickReason::NotFound : reason;
    SetStateAndNotify(connected ? StickReady : NoStick, 0);
}

void TUSBConnection::Transmit(const std::shared_ptr<const THeatingLocation>& snapshot,
                              const std::stop_token& stop) {
    SetStateAndNotify(Transmitting, 0);
    bool transmitted = false;
    try {
        transmitted = FTransmitter.TransmitWeeklyProgram(
            *snapshot, [this](int percent) { SetStateAndNotify(Transmitting, percent); }, stop);
    } catch (...) {
        transmitted = false;
    }
    if (stop.stop_requested())
        return;
    if (transmitted) {
        ClearRequest(snapshot);
        SetStateAndNotify(StickReady, 0);
    } else {
        SetStateAndNotify(TransmissionFailed, FailureValue);
    }
}

void TUSBConnection::SetStateAndNotify(std::uint8_t state, std::int32_t value) {
    const TNoStickReason reason = state == NoStick ? FLinkReason : TNoStickReason::NotFound;
    if (state == FLinkState && value == FLinkValue && reason == FNotifiedReason)
        return;
    FLinkState = state;
    FLinkValue = value;
    FNotifiedReason = reason;
    FOwnerCall.Run([this, state, value, reason] { NotifyOwner(state, value, reason); },
                   FStop.get_token());
}

void TUSBConnection::NotifyOwner(std::uint8_t state, std::int32_t value, TNoStickReason reason) {
    FReportedReason = reason;
    // A copy, so that the handler may even destroy this object.
    if (TStateChangeEvent handler = OnStateChange)
        handler(state, value);
}

std::shared_ptr<const THeatingLocation> TUSBConnection::PendingLocation() const {
    std::lock_guard lock(FRequestMutex);
    return FPendingLocation;
}

void TUSBConnection::ClearRequest(const std::shared_ptr<const THeatingLocation>& transmitted) {
    std::lock_guard lock(FRequestMutex);
    // A request made during the transmission stays pending.
    if (FPendingLocation == transmitted) {
        FPendingLocation.reset();
        FTransmitPending.store(false, std::memory_order_release);
    }
}

} // namespace zeft
