#pragma once

// Reading back what the virtual stick recorded.

#include "VirtualStick.h"

#include <cstdint>
#include <vector>

namespace zeft::test {

/// One frame the stick was given (report 0xD5), decoded, with the number of transmit commands
/// (report 0xD1) that followed it before the next frame.
struct TSentFrame {
    std::vector<std::uint8_t> Bytes;
    bool Refused = false;
    int TransmitCommands = 0;
};
std::vector<TSentFrame> SentFrames(const std::vector<virtualstick::TRecordedReport>& reports);
std::vector<TSentFrame> SentFrames();

/// The set-feature reports with this identifier.
std::vector<virtualstick::TRecordedReport> SetReports(std::uint8_t reportId);

} // namespace zeft::test
