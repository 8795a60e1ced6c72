#include "TReportDescriptor.h"

#include <algorithm>
#include <array>
#include <map>

namespace zeft::driver {

namespace {

enum : std::uint8_t {
    ItemTypeMain = 0,
    ItemTypeGlobal = 1,
    TagInput = 0x8,
    TagReportSize = 0x7,
    TagReportId = 0x8,
    TagReportCount = 0x9,
    TagPush = 0xA,
    TagPop = 0xB,
    LongItemPrefix = 0xFE,
};

struct TGlobals {
    std::uint64_t ReportSize = 0;
    std::uint64_t ReportCount = 0;
    std::uint8_t ReportId = 0;
};

// Bits beyond this are no real device; the cap keeps the sums far from overflow.
constexpr std::uint64_t MaxFieldBits = 1u << 20;

std::uint32_t ItemData(const std::uint8_t* data, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    return value;
}

} // namespace

TInputReportLayout ParseInputReportLayout(const std::uint8_t* descriptor, std::size_t size) {
    TInputReportLayout layout;
    if (!descriptor)
        return layout;
    TGlobals globals;
    std::array<TGlobals, 16> stack;
    std::size_t depth = 0;
    std::map<std::uint8_t, std::uint64_t> inputBits;

    std::size_t pos = 0;
    while (pos < size) {
        const std::uint8_t prefix = descriptor[pos];
        if (prefix == LongItemPrefix) {
            if (pos + 1 >= size)
                break;
            pos += 3 + descriptor[pos + 1];
            continue;
        }
        const std::size_t dataSize = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (pos + 1 + dataSize > size)
            break;
        const std::uint32_t value = ItemData(descriptor + pos + 1, dataSize);
        const std::uint8_t type = (prefix >> 2) & 3;
        const std::uint8_t tag = prefix >> 4;
        pos += 1 + dataSize;

        if (type == ItemTypeMain && tag == TagInput) {
            auto& bits = inputBits[globals.ReportId];
            bits = std::min(MaxFieldBits, bits + globals.ReportSize * globals.ReportCount);
        } else if (type == ItemTypeGlobal) {
            switch (tag) {
            case TagReportSize:
                globals.ReportSize = std::min<std::uint64_t>(value, MaxFieldBits);
                break;
            case TagReportCount:
                globals.ReportCount = std::min<std::uint64_t>(value, MaxFieldBits);
                break;
            case TagReportId:
                globals.ReportId = static_cast<std::uint8_t>(value);
                layout.NumberedReports = true;
                break;
            case TagPush:
                if (depth < stack.size())
                    stack[depth++] = globals;
                break;
            case TagPop:
                if (depth > 0)
                    globals = stack[--depth];
                break;
            default:
                break;
            }
        }
    }

    for (const auto& [id, bits] : inputBits)
        layout.Length = std::max<std::size_t>(layout.Length, (bits + 7) / 8 + 1);
    return layout;
}

} // namespace zeft::driver
