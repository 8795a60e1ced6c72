#pragma once

#include <cstdint>

namespace zeft {

/// How a transmission request ended: its program went out (the link is one-way: sent, not
/// received), it was given up after its attempts, or it was withdrawn (cancelled, or replaced
/// by a newer request) before it went out.
enum class TRequestOutcome : std::uint8_t { Sent, Failed, Withdrawn };

} // namespace zeft
