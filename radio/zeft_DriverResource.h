#pragma once

#include <cstdint>
#include <span>

namespace zeft {

/// The raw-data resource UTRX: the bytes of libuTrx.so, compiled into the program at build
/// time (see EmbedResource.cmake).
std::span<const std::uint8_t> DriverResource();

} // namespace zeft
