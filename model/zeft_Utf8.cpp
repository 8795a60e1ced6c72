#include "zeft_Utf8.h"

namespace zeft {

namespace {

// The range the second byte must lie in after this lead byte; the later bytes are always
// continuation bytes 80..BF. This is what excludes overlong forms and surrogates.
bool SecondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return (second & 0xC0) == 0x80;
    }
}

// 0 for a byte that never starts a sequence: continuation bytes, C0, C1 (overlong) and F5..FF.
std::size_t LeadLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

std::size_t Utf8ClaimedLength(unsigned char lead) {
    const std::size_t length = LeadLength(lead);
    return length == 0 ? 1 : length;
}

char32_t NextUtf8CodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t length = LeadLength(lead);
    if (length == 1) {
        ++i;
        return lead;
    }
    if (length == 0 || i + length > text.size() || !SecondByteFits(lead, byte(i + 1))) {
        ++i;
        return ReplacementCharacter;
    }
    char32_t cp = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char c = byte(i + k);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return ReplacementCharacter;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += length;
    return cp;
}

std::string WellFormedUtf8(std::string_view text) {
    std::string out;
    std::size_t kept = 0; // text[0, kept) is already known to be well-formed
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t at = i;
        const char32_t cp = NextUtf8CodePoint(text, i);
        // One byte of 80 or above is a byte that was replaced.
        if (i - at == 1 && cp >= 0x80) {
            out.append(text.substr(kept, at - kept));
            out.append("\xEF\xBF\xBD"); // U+FFFD
            kept = i;
        }
    }
    if (kept == 0)
        return std::string(text);
    out.append(text.substr(kept));
    return out;
}

} // namespace zeft
