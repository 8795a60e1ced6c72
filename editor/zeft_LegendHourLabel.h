#pragma once

#include <QString>

namespace zeft {

/// The label of hour mark `hour` (0 .. 24) of the hour legend: "." for most hours, "|" every
/// 3 hours and the hour number every 6 hours, as the user's short time format writes it
/// (so a 12-hour clock labels 0, 12 and 24 as "12").
QString LegendHourLabel(int hour);
/// The same with an explicit short time format in QLocale notation.
QString LegendHourLabel(int hour, const QString& shortTimeFormat);

} // namespace zeft
