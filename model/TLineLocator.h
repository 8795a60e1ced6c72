#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zeft {

/// Turns an offset into the parser's UTF-8 form of a file into a 1-based line number. It keeps
/// the file's bytes and counts only when asked, which is only when a file is reported as faulty:
/// reading a good file costs nothing beyond holding its bytes.
class TLineLocator {
public:
    /// How the bytes are encoded; the parser's offsets count their UTF-8 form.
    enum class TEncoding { Utf8, Latin1, Utf16LE, Utf16BE };

    TLineLocator() = default;
    explicit TLineLocator(std::string bytes, TEncoding encoding = TEncoding::Utf8);
    /// 0 when the offset is unknown (negative).
    int LineOf(std::ptrdiff_t offset) const;

private:
    std::string FBytes;
    TEncoding FEncoding = TEncoding::Utf8;
};

} // namespace zeft
