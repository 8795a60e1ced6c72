#pragma once

#include <chrono>
#include <stop_token>

namespace zeft {

/// A local date and time as the clock frame carries it.
struct TLocalDateTime {
    int Year = 2000;
    int Month = 1; // 1..12
    int Day = 1;   // 1..31
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    bool operator==(const TLocalDateTime&) const = default;
};

/// The pauses and the local time of the radio protocol, replaceable so that tests need not
/// wait.
class TRadioClock {
public:
    virtual ~TRadioClock() = default;
    /// Waits for the duration. Returns false as soon as a stop is requested (at once when it
    /// already is), true when the whole pause passed.
    virtual bool Pause(std::chrono::milliseconds duration, std::stop_token stop) = 0;
    virtual TLocalDateTime LocalTime() = 0;
};

/// Real pauses and the computer's local time.
class TSystemRadioClock final : public TRadioClock {
public:
    bool Pause(std::chrono::milliseconds duration, std::stop_token stop) override;
    TLocalDateTime LocalTime() override;
};

} // namespace zeft
