#pragma once

// Times of day are day fractions: 0.0 is 00:00, 1.0 is 24:00.

namespace zeft {

using TTime = double;

inline constexpr double MinutesPerDay = 1440.0;
inline constexpr double MSecsPerDay = 86400000.0;
inline constexpr TTime OneMinute = 1.0 / MinutesPerDay;
inline constexpr TTime TenMinutes = 10.0 / MinutesPerDay;
inline constexpr TTime OneMillisecond = 1.0 / MSecsPerDay;
inline constexpr TTime Midnight = 0.0;
inline constexpr TTime EndOfDay = 1.0;

/// Two times less than one millisecond apart count as equal.
bool SameTime(TTime a, TTime b);
/// a lies later than b by at least one millisecond.
bool LaterThan(TTime a, TTime b);
/// The time of hours:minutes, exact on the minute grid the model uses.
TTime TimeOf(int hours, int minutes);
/// Whole minutes since 00:00 (1440 for 24:00), rounded to the nearest minute.
int MinutesOf(TTime t);

} // namespace zeft
