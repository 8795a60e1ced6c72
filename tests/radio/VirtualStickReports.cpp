#include "VirtualStickReports.h"

namespace zeft::test {

std::vector<TSentFrame> SentFrames(const std::vector<virtualstick::TRecordedReport>& reports) {
    std::vector<TSentFrame> frames;
    for (const auto& report : reports) {
        if (report.Transfer != virtualstick::TTransfer::SetFeature || report.Bytes.empty())
            continue;
        if (report.Bytes[0] == 0xD5 && report.Bytes.size() >= 3) {
            const std::size_t length = ((report.Bytes[1] & 1u) << 8) | report.Bytes[2];
            const auto begin = report.Bytes.begin() + 3;
            frames.push_back({std::vector<std::uint8_t>(begin, begin + static_cast<long>(length)),
                              report.Refused, 0});
        } else if (report.Bytes[0] == 0xD1 && !frames.empty()) {
            ++frames.back().TransmitCommands;
        }
    }
    return frames;
}

std::vector<TSentFrame> SentFrames() {
    return SentFrames(virtualstick::Reports());
}

std::vector<virtualstick::TRecordedReport> SetReports(std::uint8_t reportId) {
    std::vector<virtualstick::TRecordedReport> result;
    for (auto& report : virtualstick::Reports())
        if (report.Transfer == virtualstick::TTransfer::SetFeature && !report.Bytes.empty() &&
            report.Bytes[0] == reportId)
            result.push_back(std::move(report));
    return result;
}

} // namespace zeft::test
