#pragma once

#include "THeatingLocation.h"

#include <memory>
#include <string>
#include <string_view>

namespace zeft {

/// The weekly program as one line of text, the form the transfer history keeps of what was sent.
///
///     00:00-06:30 17;06:30-22:00 21;22:00-24:00 17|00:00-24:00 20.5|...
///
/// Seven days, Monday first, separated by "|". Within a day its periods in order, separated by
/// ";", each "HH:MM-HH:MM T": start and stop on the minute (the last stop of a day is "24:00") and
/// the temperature in degrees Celsius in the shortest form that reads back to the same double
/// ("17", "20.5"), so that the text is exact and a stored program compares equal to the edited
/// one. No spaces other than the one before each temperature. A location without days gives "".
std::string ProgramText(const THeatingLocation& location);

/// The number of periods of the whole week.
int PeriodCount(const THeatingLocation& location);

/// The location ProgramText wrote, named `name`, or null when the text is not a well-formed
/// week: seven days of 1 to 7 periods each, on 10-minute marks, without gap or overlap from
/// 00:00 to 24:00, each at least 10 minutes long, with temperatures within the model's range.
/// The text comes from a file on disk, so nothing in it is trusted.
std::unique_ptr<THeatingLocation> ParseProgramText(std::string_view text, std::string name = {});

} // namespace zeft
