#include "TLineLocator.h"

#include <algorithm>

namespace zeft {

TLineLocator::TLineLocator(std::string bytes, TEncoding encoding)
    : FBytes(std::move(bytes)), FEncoding(encoding) {}

int TLineLocator::LineOf(std::ptrdiff_t offset) const {
    if (offset < 0)
        return 0;
    const auto target = static_cast<std::size_t>(offset);
    const auto* bytes = reinterpret_cast<const unsigned char*>(FBytes.data());
    const std::size_t size = FBytes.size();
    int line = 1;
    switch (FEncoding) {
    case TEncoding::Utf8:
        line += static_cast<int>(
            std::count(FBytes.begin(),
                       FBytes.begin() + static_cast<std::ptrdiff_t>(std::min(target, size)), '\n'));
        break;
    case TEncoding::Latin1: {
        // Bytes from 80 on take two bytes in UTF-8.
        std::size_t at = 0;
        for (std::size_t i = 0; i < size && at < target; ++i) {
            line += bytes[i] == '\n';
            at += bytes[i] < 0x80 ? 1 : 2;
        }
        break;
    }
    case TEncoding::Utf16LE:
    case TEncoding::Utf16BE: {
        // Each code unit's UTF-8 length; a surrogate pair takes four bytes, two per unit.
        const bool little = FEncoding == TEncoding::Utf16LE;
        std::size_t at = 0;
        for (std::size_t i = 0; i + 1 < size && at < target; i += 2) {
            const unsigned unit =
                little ? bytes[i] | bytes[i + 1] << 8 : bytes[i] << 8 | bytes[i + 1];
            line += unit == '\n';
            at += unit < 0x80 ? 1 : unit < 0x800 ? 2 : unit >= 0xD800 && unit <= 0xDFFF ? 2 : 3;
        }
        break;
    }
    }
    return line;
}

} // namespace zeft
