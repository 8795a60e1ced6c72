#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zeft {

/// The replacement character U+FFFD, which stands in for every byte that is not well-formed.
inline constexpr char32_t ReplacementCharacter = 0xFFFD;

/// The number of bytes a sequence starting with this lead byte claims (1 to 4); 1 for a byte
/// that cannot start one.
std::size_t Utf8ClaimedLength(unsigned char lead);

/// Decodes the well-formed UTF-8 sequence at text[i] and moves i past it. Overlong forms,
/// surrogates, values beyond U+10FFFF, stray continuation bytes and cut-off sequences are not
/// well-formed: each of their bytes gives ReplacementCharacter and i moves by one byte.
char32_t NextUtf8CodePoint(std::string_view text, std::size_t& i);

/// The text with every byte that is not part of a well-formed sequence replaced by U+FFFD.
std::string WellFormedUtf8(std::string_view text);

} // namespace zeft
