#include "zeft_Time.h"

#include <cmath>

namespace zeft {

bool SameTime(TTime a, TTime b) {
    return std::fabs(a - b) < OneMillisecond;
}

bool LaterThan(TTime a, TTime b) {
    return a - b >= OneMillisecond;
}

TTime TimeOf(int hours, int minutes) {
    return (hours * 60 + minutes) / MinutesPerDay;
}

int MinutesOf(TTime t) {
    return static_cast<int>(std::lround(t * MinutesPerDay));
}

} // namespace zeft
