#pragma once

// The resources the packer generated from the manifest under resources/.

#include "zeft_ResourceModule.h"

#include <cstddef>

namespace zeft {

extern const TResourceData ProgramResources[];
extern const std::size_t ProgramResourceCount;

} // namespace zeft
