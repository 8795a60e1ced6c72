#include "zeft_RadioClock.h"

#include <condition_variable>
#include <ctime>
#include <mutex>

namespace zeft {

bool TSystemRadioClock::Pause(std::chrono::milliseconds duration, std::stop_token stop) {
    std::mutex mutex;
    std::condition_variable_any wakeUp;
    std::unique_lock lock(mutex);
    // Nothing but a stop request ends the wait early.
    wakeUp.wait_for(lock, stop, duration, [] { return false; });
    return !stop.stop_requested();
}

TLocalDateTime TSystemRadioClock::LocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

} // namespace zeft
