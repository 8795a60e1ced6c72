#include "zeft_ScheduleFile.h"

#include "THeatingLocations.h"
#include "TScheduleFileError.h"
#include "zeft_AtomicFile.h"
#include "zeft_Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

namespace zeft {

namespace {

// --- writing -------------------------------------------------------------------------------

std::string FormatTemperature(double value) {
    // Values on the hundredths, which is all the program makes, are written digit by digit;
    // anything else, as a file may carry it, goes through to_chars, which rounds exactly.
    const double hundredths = value * 100.0;
    const double whole = std::nearbyint(hundredths);
    if (std::fabs(hundredths - whole) < 1e-6 && whole >= 0.0 && whole < 1e6) {
        const auto n = static_cast<unsigned>(whole);
        std::string text = std::to_string(n / 100);
        text += '.';
        text += static_cast<char>('0' + n / 10 % 10);
        text += static_cast<char>('0' + n % 10);
        return text;
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

std::string FormatTimeOfDay(TTime t) {
    int minutes = MinutesOf(t) % 1440;
    if (minutes < 0)
        minutes += 1440;
    const int hours = minutes / 60;
    minutes %= 60;
    const char text[] = {static_cast<char>('0' + hours / 10),
                         static_cast<char>('0' + hours % 10),
                         ':',
                         static_cast<char>('0' + minutes / 10),
                         static_cast<char>('0' + minutes % 10),
                         ':',
                         '0',
                         '0'};
    return std::string(text, sizeof text);
}

void AppendText(pugi::xml_node parent, const char* name, const std::string& text) {
    pugi::xml_node child = parent.append_child(name);
    if (!text.empty())
        child.text().set(text.c_str());
}

// The end of the run of bytes from i on that are ASCII but neither LF nor CR; eight at a time.
size_t PlainRunEnd(std::string_view text, size_t i) {
    constexpr std::uint64_t Ones = 0x0101010101010101u;
    constexpr std::uint64_t Highs = 0x8080808080808080u;
    const auto hasByte = [](std::uint64_t word, unsigned char c) {
        const std::uint64_t x = word ^ (Ones * c);
        return ((x - Ones) & ~x & Highs) != 0;
    };
    while (i + 8 <= text.size()) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if ((word & Highs) != 0 || hasByte(word, '\n') || hasByte(word, '\r'))
            break;
        i += 8;
    }
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80 || c == '\n' || c == '\r')
            break;
        ++i;
    }
    return i;
}

// Appends the Latin-1 form of text; unless final, stops before a sequence the text cuts off
// and returns how many bytes it used.
size_t AppendLatin1(std::string& out, std::string_view text, bool final) {
    size_t i = 0;
    while (i < text.size()) {
        // copy plain ASCII runs in one go
        const size_t run = PlainRunEnd(text, i);
        out.append(text.data() + i, run - i);
        i = run;
        if (i == text.size())
            break;
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == '\n') { // every line ends here
            out += "\r\n";
            ++i;
            continue;
        }
        if (!final && lead >= 0x80 && i + Utf8ClaimedLength(lead) > text.size())
            return i;
        // Bytes that are not well-formed UTF-8 become U+FFFD, written as a reference: taken
        // as they stand they could be an overlong "<" or NUL, or make the file unreadable.
        const char32_t cp = NextUtf8CodePoint(text, i);
        if (cp == '\n')
            out += "\r\n";
        else if (cp == '\r')
            out += "&#13;"; // a bare CR in a text would read back as a line feed
        else if (cp <= 0xFF)
            out += static_cast<char>(cp);
        else
            out.append("&#").append(std::to_string(static_cast<std::uint32_t>(cp))).append(";");
    }
    return i;
}

// Converts pugixml's UTF-8 output to ISO-8859-1 as it is written; see ToLatin1Xml.
class TLatin1Writer : public pugi::xml_writer {
public:
    std::string Text;
    void write(const void* data, size_t size) override {
        const std::string_view chunk(static_cast<const char*>(data), size);
        if (FPending.empty()) {
            FPending.assign(chunk.substr(AppendLatin1(Text, chunk, false)));
        } else {
            // a character cut in two by the previous chunk
            FPending.append(chunk);
            FPending.erase(0, AppendLatin1(Text, FPending, false));
        }
    }
    void Finish() {
        AppendLatin1(Text, FPending, true);
        FPending.clear();
    }

private:
    std::string FPending;
};

// --- reading -------------------------------------------------------------------------------

class TReader {
public:
    explicit TReader(const TLineLocator* lines) : FLines(lines) {}

    [[noreturn]] void Fail(pugi::xml_node node, const std::string& problem) const {
        std::string message;
        const int line = FLines && node ? FLines->LineOf(node.offset_debug()) : 0;
        if (line > 0)
            message = "Line " + std::to_string(line) + ", ";
        message += "element " + PathOf(node) + ": " + problem;
        throw TScheduleFileError(message);
    }

    pugi::xml_node Required(pugi::xml_node parent, const char* name) const {
        return Present(parent, parent.child(name), name);
    }

    // The child of parent looked up by name, which must have been found.
    pugi::xml_node Present(pugi::xml_node parent, pugi::xml_node child, const char* name) const {
        if (!child)
            Fail(parent, std::string("the element \"") + name + "\" is missing.");
        return child;
    }

    double Temperature(pugi::xml_node node) const {
        const std::string_view text = Trimmed(node.text().get());
        const std::optional<double> value = ParseNumber(text);
        if (!value)
            Fail(node, "\"" + std::string(text) +
                           "\" is not a number with \".\" as the decimal separator.");
        return *value;
    }

    TTime TimeOfDay(pugi::xml_node node) const {
        const std::string_view text = Trimmed(node.text().get());
        const std::optional<TTime> value = ParseTime(text);
        if (!value)
            Fail(node, "\"" + std::string(text) +
                           "\" is not a time of day (hh:mm:ss, 00:00:00 to 23:59:59).");
        return *value;
    }

    // An XPath-like path; an element that shares its name with siblings gets its number.
    static std::string PathOf(pugi::xml_node node) {
        std::vector<std::string> steps;
        for (; node && node.type() == pugi::node_element; node = node.parent()) {
            int position = 1;
            for (pugi::xml_node s = node.previous_sibling(node.name()); s;
                 s = s.previous_sibling(node.name()))
                ++position;
            std::string step = node.name();
            if (position > 1 || node.next_sibling(node.name()))
                step.append("[").append(std::to_string(position)).append("]");
            steps.push_back(std::move(step));
        }
        std::string path;
        for (auto it = steps.rbegin(); it != steps.rend(); ++it)
            path.append("/").append(*it);
        return path.empty() ? "/" : path;
    }

private:
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    static std::string_view Trimmed(std::string_view text) {
        while (!text.empty() && IsSpace(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && IsSpace(text.back()))
            text.remove_suffix(1);
        return text;
    }

    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    // A decimal number with "." as separator: [+-]digits[.digits][e[+-]digits].
    static std::optional<double> ParseNumber(std::string_view text) {
        size_t i = 0;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        size_t digits = 0;
        size_t decimals = 0;
        std::uint64_t mantissa = 0; // the digits as an integer, valid while digits <= 15
        while (i < text.size() && IsDigit(text[i]))
            mantissa = mantissa * 10 + static_cast<unsigned>(text[i++] - '0'), ++digits;
        if (i < text.size() && text[i] == '.') {
            ++i;
            while (i < text.size() && IsDigit(text[i]))
                mantissa = mantissa * 10 + static_cast<unsigned>(text[i++] - '0'), ++digits,
                ++decimals;
        }
        if (digits == 0)
            return std::nullopt;
        if (i == text.size() && digits <= 15) {
            // Both numbers are exact doubles and the division rounds correctly, so this is
            // the value from_chars gives, without its cost: files hold numbers like 20.50.
            static constexpr double Powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
            const double value = static_cast<double>(mantissa) / Powers[decimals];
            return text[0] == '-' ? -value : value;
        }
        if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
            ++i;
            if (i < text.size() && (text[i] == '+' || text[i] == '-'))
                ++i;
            const size_t start = i;
            while (i < text.size() && IsDigit(text[i]))
                ++i;
            if (i == start)
                return std::nullopt;
        }
        if (i != text.size())
            return std::nullopt;
        const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
        double value = 0;
        const auto result = std::from_chars(begin, text.data() + text.size(), value);
        if (result.ec == std::errc::result_out_of_range)
            return text[0] == '-' ? -1e308 : 1e308;
        if (result.ec != std::errc())
            return std::nullopt;
        return value;
    }

    // hours[:minutes[:seconds[.milliseconds]]], each field one or two digits.
    static std::optional<TTime> ParseTime(std::string_view text) {
        int fields[3] = {0, 0, 0};
        int limits[3] = {23, 59, 59};
        size_t i = 0;
        int count = 0;
        while (count < 3) {
            const size_t start = i;
            int value = 0;
            while (i < text.size() && IsDigit(text[i]) && i - start < 2)
                value = value * 10 + (text[i++] - '0');
            if (i == start || value > limits[count])
                return std::nullopt;
            fields[count++] = value;
            if (i < text.size() && text[i] == ':' && count < 3)
                ++i;
            else
                break;
        }
        int millis = 0;
        if (count == 3 && i < text.size() && text[i] == '.') {
            const size_t start = ++i;
            while (i < text.size() && IsDigit(text[i]) && i - start < 3)
                millis = millis * 10 + (text[i++] - '0');
            if (i == start)
                return std::nullopt;
            for (size_t k = i - start; k < 3; ++k)
                millis *= 10;
        }
        if (i != text.size())
            return std::nullopt;
        const double ms = ((fields[0] * 60.0 + fields[1]) * 60.0 + fields[2]) * 1000.0 + millis;
        return ms / MSecsPerDay;
    }

    const TLineLocator* FLines;
};

template <typename Visit> void ForEachElement(pugi::xml_node parent, Visit visit) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element)
            visit(child);
}

std::unique_ptr<TDailyHeatingIntervals> ReadDay(const TReader& reader, pugi::xml_node dayNode) {
    auto day = std::make_unique<TDailyHeatingIntervals>();
    ForEachElement(dayNode, [&](pugi::xml_node periodNode) {
        // One walk over the children finds the first of each name, as child(name) would.
        pugi::xml_node parts[3];
        static constexpr const char* Names[3] = {"temperature", "start", "stop"};
        ForEachElement(periodNode, [&](pugi::xml_node child) {
            const char* name = child.name();
            for (int k = 0; k < 3; ++k)
                if (name[0] == Names[k][0] && std::strcmp(name, Names[k]) == 0) {
                    if (!parts[k])
                        parts[k] = child;
                    break;
                }
        });
        const double temperature =
            reader.Temperature(reader.Present(periodNode, parts[0], Names[0]));
        const TTime start = reader.TimeOfDay(reader.Present(periodNode, parts[1], Names[1]));
        TTime stop = reader.TimeOfDay(reader.Present(periodNode, parts[2], Names[2]));
        if (!LaterThan(stop, start)) {
            if (!SameTime(stop, Midnight))
                return; // a period that ends before it starts is skipped
            stop = EndOfDay;
        }
        auto period = std::make_unique<TSingleHeatingInterval>(temperature, start, stop);
        // Inside one 10-minute step the period is empty once on the grid, and an empty period
        // cannot be written: 00:00 to 00:00 reads back as the whole day.
        if (!LaterThan(period->Stop(), period->Start()))
            return;
        day->Add(std::move(period)); // a full day refuses the surplus, which is dropped
    });
    return day;
}

std::unique_ptr<THeatingLocation> ReadLocation(const TReader& reader, pugi::xml_node node) {
    auto location = std::make_unique<THeatingLocation>();
    // The text is UTF-8 only by the file's word; bytes that are not well-formed become U+FFFD.
    location->DisplayText = WellFormedUtf8(node.child("displayText").text().get());
    const pugi::xml_node week = reader.Required(node, "weeklyHeatingIntervals");
    THeatingLocation::TDays days;
    int count = 0;
    ForEachElement(week, [&](pugi::xml_node dayNode) {
        auto day = ReadDay(reader, dayNode);
        if (count < THeatingLocation::DaysPerWeek)
            days[static_cast<size_t>(count)] = std::move(day);
        ++count;
    });
    if (count < THeatingLocation::DaysPerWeek)
        reader.Fail(week, "it holds " + std::to_string(count) +
                              " day elements; a week needs seven, Monday to Sunday.");
    location->SetDays(std::move(days));
    return location;
}

} // namespace

std::string ToLatin1Xml(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 16);
    AppendLatin1(out, utf8, true);
    return out;
}

namespace {

constexpr const char* Indent = "  ";
constexpr unsigned Format = pugi::format_indent;
// Rooms are written through a document of their own this many at a time, and the text is
// handed on in blocks of about this size: neither the whole tree nor the whole text is held.
constexpr int RoomsPerPart = 4;
constexpr size_t BlockSize = size_t{1} << 15;

void AppendLocation(pugi::xml_node parent, const THeatingLocation& location) {
    pugi::xml_node locationNode = parent.append_child("heatingLocations");
    AppendText(locationNode, "displayText", location.DisplayText);
    pugi::xml_node week = locationNode.append_child("weeklyHeatingIntervals");
    for (int d = 0; d < THeatingLocation::DaysPerWeek; ++d) {
        pugi::xml_node dayNode = week.append_child("day");
        if (!location.HasDays())
            continue;
        const TDailyHeatingIntervals& day = location.Days(d);
        for (int p = 0; p < day.Count(); ++p) {
            const TSingleHeatingInterval& period = day.Items(p);
            pugi::xml_node single = dayNode.append_child("single");
            AppendText(single, "temperature", FormatTemperature(period.Temperature().Value()));
            AppendText(single, "start", FormatTimeOfDay(period.Start()));
            AppendText(single, "stop", FormatTimeOfDay(period.Stop()));
        }
    }
}

// The document's text as pugixml lays it out for the whole tree: the declaration and the
// root's tags written here, each room printed at its depth.
bool WriteScheduleText(const THeatingLocations& locations, const TByteSink& sink) {
    TLatin1Writer writer;
    const auto handOn = [&](size_t atLeast) {
        if (writer.Text.size() < atLeast)
            return true;
        const bool written = sink(writer.Text);
        writer.Text.clear();
        return written;
    };
    pugi::xml_document part;
    pugi::xml_node declaration = part.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "ISO-8859-1";
    pugi::xml_node root = part.append_child("heatingLocations");
    if (locations.Count() == 0) {
        part.save(writer, Indent, Format, pugi::encoding_utf8);
        writer.Finish();
        return handOn(0);
    }
    part.remove_child(root);
    part.save(writer, Indent, Format, pugi::encoding_utf8);
    writer.write("<heatingLocations>\n", 19);
    for (int first = 0; first < locations.Count(); first += RoomsPerPart) {
        part.reset();
        const int last = std::min(locations.Count(), first + RoomsPerPart);
        for (int l = first; l < last; ++l)
            AppendLocation(part, locations.Items(l));
        for (pugi::xml_node room = part.first_child(); room; room = room.next_sibling())
            room.print(writer, Indent, Format, pugi::encoding_utf8, 1);
        if (!handOn(BlockSize))
            return false;
    }
    writer.write("</heatingLocations>\n", 20);
    writer.Finish();
    return handOn(0);
}

} // namespace

std::string ScheduleFileBytes(const THeatingLocations& locations) {
    std::string bytes;
    WriteScheduleText(locations, [&bytes](std::string_view block) {
        bytes += block;
        return true;
    });
    return bytes;
}

void THeatingLocations::SaveToFile(
    const std::string& fileName, const std::function<void(std::string_view block)>& written) const {
    WriteFileAtomically(fileName, [this, &written](const TByteSink& sink) {
        return WriteScheduleText(*this, [&](std::string_view block) {
            if (!sink(block))
                return false;
            if (written)
                written(block);
            return true;
        });
    });
}

void ReadLocationElements(pugi::xml_node parent, const TLineLocator* lines, TLocationSet& into) {
    const TReader reader(lines);
    ForEachElement(parent,
                   [&](pugi::xml_node node) { into.push_back(ReadLocation(reader, node)); });
}

namespace {

// Hands the document's rooms to take in file order; a fault throws after the rooms before it.
void ForEachLocation(const pugi::xml_document& document, const TLineLocator* lines,
                     const std::function<void(std::unique_ptr<THeatingLocation>)>& take) {
    const TReader reader(lines);
    const pugi::xml_node root = document.document_element();
    if (!root)
        reader.Fail(document, "the document has no root element.");
    bool any = false;
    ForEachElement(root, [&](pugi::xml_node node) {
        any = true;
        take(ReadLocation(reader, node));
    });
    if (!any)
        reader.Fail(root, "the file holds no location.");
}

} // namespace

TLocationSet ReadScheduleDocument(const pugi::xml_document& document, const TLineLocator* lines) {
    TLocationSet read;
    ForEachLocation(document, lines, [&read](std::unique_ptr<THeatingLocation> location) {
        read.push_back(std::move(location));
    });
    return read;
}

void THeatingLocations::LoadFromXML(const pugi::xml_document& document, const TLineLocator* lines) {
    Clear();
    ForEachLocation(document, lines, [this](std::unique_ptr<THeatingLocation> location) {
        Add(std::move(location));
    });
}

namespace {

TLineLocator::TEncoding LocatorEncoding(pugi::xml_encoding encoding) {
    switch (encoding) {
    case pugi::encoding_latin1:
        return TLineLocator::TEncoding::Latin1;
    case pugi::encoding_utf16_le:
        return TLineLocator::TEncoding::Utf16LE;
    case pugi::encoding_utf16_be:
        return TLineLocator::TEncoding::Utf16BE;
    default:
        return TLineLocator::TEncoding::Utf8;
    }
}

void Parse(std::string bytes, TParsedScheduleFile& parsed) {
    const pugi::xml_parse_result result =
        parsed.Document.load_buffer(bytes.data(), bytes.size(), ScheduleParseOptions);
    // pugixml reports offsets in its UTF-8 form of the text; the locator counts in that form.
    parsed.Lines = TLineLocator(std::move(bytes), LocatorEncoding(result.encoding));
    if (!result) {
        std::ostringstream message;
        const int line = parsed.Lines.LineOf(result.offset);
        if (line > 0)
            message << "Line " << line << ": ";
        message << "the file is not well-formed XML (" << result.description() << ").";
        throw TScheduleFileError(message.str());
    }
}

} // namespace

void ParseScheduleDocument(std::string_view bytes, TParsedScheduleFile& parsed) {
    Parse(std::string(bytes), parsed);
}

void ParseScheduleFile(const std::string& fileName, TParsedScheduleFile& parsed) {
    Parse(ReadRegularFile(fileName), parsed);
}

TLocationSet ReadScheduleFile(const std::string& fileName) {
    TScheduleFileStream stream;
    bool streaming = true;
    try {
        ReadRegularFileInBlocks(fileName, MaxScheduleFileSize, [&](std::string_view block) {
            return streaming = stream.Feed(block);
        });
    } catch (const TScheduleFileError&) {
        streaming = false; // the whole read meets the same and says so
    }
    if (streaming && stream.Finish())
        return stream.TakeLocations();
    TParsedScheduleFile parsed;
    ParseScheduleFile(fileName, parsed);
    return ReadScheduleDocument(parsed.Document, &parsed.Lines);
}

} // namespace zeft
