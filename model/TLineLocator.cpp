#include "TLineLocator.h"

#include <algorithm>

namespace zeft {

TLineLocator::TLineLocator(std::string_view parsedText) {
    FLineStarts.push_back(0);
    for (std::size_t i = 0; i < parsedText.size(); ++i)
        if (parsedText[i] == '\n')
            FLineStarts.push_back(i + 1);
}

int TLineLocator::LineOf(std::ptrdiff_t offset) const {
    if (offset < 0)
        return 0;
    const auto it =
        std::upper_bound(FLineStarts.begin(), FLineStarts.end(), static_cast<std::size_t>(offset));
    return static_cast<int>(it - FLineStarts.begin());
}

} // namespace zeft
