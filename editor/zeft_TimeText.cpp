#include "zeft_TimeText.h"

#include "zeft_Routines.h"

#include <QLocale>
#include <QTime>
#include <cmath>

namespace zeft {

QString FormatShortTime(TTime t) {
    return FormatShortTime(t, UserShortTimeFormat());
}

QString FormatShortTime(TTime t, const QString& format) {
    constexpr long long msPerDay = 86400000;
    long long ms = std::isfinite(t) ? std::llround(t * MSecsPerDay) % msPerDay : 0;
    if (ms < 0)
        ms += msPerDay;
    // 24:00 has no QTime of its own; it reads as the midnight it is.
    return QLocale().toString(QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)), format);
}

} // namespace zeft
