#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace zeft {

/// Turns an offset into the parsed text into a 1-based line number.
class TLineLocator {
public:
    explicit TLineLocator(std::string_view parsedText);
    /// 0 when the offset is unknown (negative).
    int LineOf(std::ptrdiff_t offset) const;

private:
    std::vector<std::size_t> FLineStarts;
};

} // namespace zeft
