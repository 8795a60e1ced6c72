#pragma once

#include "zeft_NoStickReason.h"

#include <QString>

namespace zeft {

/// The status text for "no stick" in the user's language: each cause with its own remedy, the
/// directory that cannot hold the stick's lock named with what is wrong with it.
QString NoStickText(const TNoStickCause& cause);

} // namespace zeft
