// Feeds arbitrary bytes to the schedule file reader. Besides not crashing or hanging, whatever
// it reads must be written and read again without change from the second round on.
#include "THeatingLocations.h"
#include "TScheduleFileError.h"
#include "zeft_ScheduleFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool Read(std::string_view bytes, zeft::THeatingLocations& locations) {
    try {
        zeft::TScheduleDocument parsed;
        zeft::ParseScheduleDocument(bytes, parsed);
        locations.LoadFromXML(parsed.Document, &parsed.Lines);
        return true;
    } catch (const zeft::TScheduleFileError&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zeft::THeatingLocations first;
    if (!Read(std::string_view(reinterpret_cast<const char*>(data), size), first))
        return 0;
    const std::string written = zeft::ScheduleFileBytes(first);
    zeft::THeatingLocations second;
    if (!Read(written, second))
        std::abort(); // the program could not read its own file
    const std::string again = zeft::ScheduleFileBytes(second);
    zeft::THeatingLocations third;
    if (!Read(again, third) || zeft::ScheduleFileBytes(third) != again)
        std::abort(); // a round trip changed the schedule
    return 0;
}
