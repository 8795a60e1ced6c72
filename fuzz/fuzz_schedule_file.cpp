// Feeds arbitrary bytes to the schedule file reader. Besides not crashing or hanging: whatever
// it reads, it writes so that it reads back the same locations, days, periods, times and
// temperatures (to the two decimals a file holds), and writing that again gives the same bytes.
// The reader that takes a file in parts, fed the bytes in blocks, reads only what the
// whole-document reader reads, and reads it the same.
#include "THeatingLocations.h"
#include "TScheduleFileError.h"
#include "zeft_ScheduleFile.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool Read(std::string_view bytes, zeft::THeatingLocations& locations) {
    try {
        zeft::TParsedScheduleFile parsed;
        zeft::ParseScheduleDocument(bytes, parsed);
        locations.LoadFromXML(parsed.Document, &parsed.Lines);
        return true;
    } catch (const zeft::TScheduleFileError&) {
        return false;
    }
}

// Everything a file keeps: names, and per day each period's minutes and temperature.
std::string Describe(const zeft::THeatingLocations& locations) {
    std::string text;
    for (int l = 0; l < locations.Count(); ++l) {
        const zeft::THeatingLocation& location = locations.Items(l);
        text += "[" + location.DisplayText + "]";
        for (int d = 0; d < zeft::THeatingLocation::DaysPerWeek; ++d) {
            const zeft::TDailyHeatingIntervals& day = location.Days(d);
            text += "\n";
            for (int p = 0; p < day.Count(); ++p) {
                const zeft::TSingleHeatingInterval& period = day.Items(p);
                char temperature[64];
                const auto end =
                    std::to_chars(temperature, temperature + sizeof temperature,
                                  period.Temperature().Value(), std::chars_format::fixed, 2)
                        .ptr;
                text += std::to_string(zeft::MinutesOf(period.Start())) + "-" +
                        std::to_string(zeft::MinutesOf(period.Stop())) + " " +
                        std::string(temperature, end) + ", ";
            }
        }
        text += "\n";
    }
    return text;
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

// The locations the reader in parts finds, fed blocks of a size the bytes choose; false when
// it leaves them to the whole-document reader.
bool ReadInParts(std::string_view bytes, zeft::THeatingLocations& locations) {
    const std::size_t block = bytes.empty() ? 1 : 1 + static_cast<unsigned char>(bytes.back()) % 64;
    zeft::TScheduleFileStream stream;
    for (std::size_t at = 0; at < bytes.size(); at += block)
        stream.Feed(bytes.substr(at, block));
    if (!stream.Finish())
        return false;
    for (auto& location : stream.TakeLocations())
        locations.Add(std::move(location));
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zeft::THeatingLocations first;
    const bool read = Read(bytes, first);
    zeft::THeatingLocations inParts;
    if (ReadInParts(bytes, inParts) && (!read || Describe(inParts) != Describe(first)))
        Fail("the reader in parts read what the whole-document reader reads otherwise");
    if (!read)
        return 0;
    const std::string written = zeft::ScheduleFileBytes(first);
    zeft::THeatingLocations second;
    if (!Read(written, second))
        Fail("the program could not read its own file");
    if (Describe(second) != Describe(first))
        Fail("the file the program wrote reads back to another schedule");
    if (zeft::ScheduleFileBytes(second) != written)
        Fail("writing what was read back gives other bytes");
    return 0;
}
