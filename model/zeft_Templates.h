#pragma once

#include "THeatingLocation.h"

#include <functional>
#include <memory>
#include <string>

namespace zeft {

inline constexpr int TemplateCount = 10;
inline constexpr int TemplateNameStringId = 5000;

/// Looks a text up by string id in the current language (UTF-8).
using TTextLookup = std::function<std::string(int stringId)>;

/// A new location with the weekly program of template 0..9, named by
/// lookup(TemplateNameStringId + templateIndex). The name is not made unique here.
std::unique_ptr<THeatingLocation> CreateTemplateLocation(int templateIndex,
                                                         const TTextLookup& lookup);

} // namespace zeft
