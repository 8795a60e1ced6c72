#pragma once

#include "zeft_Time.h"

#include <QString>

namespace zeft {

/// A time of day in the user's short time format (06:00, 6:00 or 6:00 AM), for captions.
QString FormatShortTime(TTime t);
/// The same with an explicit format in QLocale notation, in the default locale's language.
QString FormatShortTime(TTime t, const QString& format);

} // namespace zeft
