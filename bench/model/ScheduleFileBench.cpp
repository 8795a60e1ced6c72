// Load and save of a schedule file with 1,000 locations (seven days of five periods each),
// each compared in the same run with pugixml's bare work on the same bytes or an equal document.
#include "BenchTiming.h"
#include "THeatingLocations.h"
#include "zeft_AtomicFile.h"
#include "zeft_ScheduleFile.h"
#include "zeft_Templates.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace zeft;

namespace {

constexpr int LocationCount = 1000;
constexpr int Repetitions = 15;

void FillCollection(THeatingLocations& locations) {
    for (int l = 0; l < LocationCount; ++l) {
        auto location = CreateTemplateLocation(0, nullptr);
        location->DisplayText = "Room " + std::to_string(l);
        for (int d = 0; d < 7; ++d) {
            TDailyHeatingIntervals& day = location->Days(d);
            for (int split = 1; split < 5; ++split)
                day.SplitPeriod(&day.Items(day.Count() - 1),
                                TimeOf(4 * split + d % 3, 10 * (l % 6)));
            for (int p = 0; p < day.Count(); ++p)
                day.Items(p).Temperature().SetValue(15.0 + 0.5 * ((l + d + p) % 20));
        }
        locations.Add(std::move(location));
    }
}

void WritePlain(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main() {
    THeatingLocations locations;
    FillCollection(locations);
    const std::string bytes = ScheduleFileBytes(locations);
    const auto dir =
        std::filesystem::temp_directory_path() / ("zeft-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string ours = (dir / "ours.zeft").string();
    const std::string bare = (dir / "bare.zeft").string();

    const double bareParse = bench::MedianSeconds(Repetitions, [&] {
        pugi::xml_document document;
        document.load_buffer(bytes.data(), bytes.size());
    });
    const double load = bench::MedianSeconds(Repetitions, [&] {
        TScheduleDocument parsed;
        ParseScheduleDocument(bytes, parsed);
        THeatingLocations read;
        read.LoadFromXML(parsed.Document, &parsed.Lines);
    });

    pugi::xml_document equal;
    equal.load_buffer(bytes.data(), bytes.size());
    const double bareSave = bench::MedianSeconds(Repetitions, [&] {
        equal.save_file(bare.c_str(), "  ", pugi::format_indent, pugi::encoding_latin1);
    });
    const double save =
        bench::MedianSeconds(Repetitions, [&] { WritePlain(ours, ScheduleFileBytes(locations)); });
    const double atomicSave = bench::MedianSeconds(5, [&] { locations.SaveToFile(ours); });

    std::filesystem::remove_all(dir);
    std::printf("schedule file of %d locations, %zu bytes, median of %d runs\n", LocationCount,
                bytes.size(), Repetitions);
    std::printf(
        "load:  %8.2f ms   pugixml bare parse:         %8.2f ms   ratio %.2f (target <= 3)\n",
        load * 1e3, bareParse * 1e3, load / bareParse);
    std::printf(
        "save:  %8.2f ms   pugixml bare serialisation: %8.2f ms   ratio %.2f (target <= 3)\n",
        save * 1e3, bareSave * 1e3, save / bareSave);
    std::printf("save with flush to disk and rename: %.2f ms (flush: %.2f ms)\n", atomicSave * 1e3,
                (atomicSave - save) * 1e3);
    return 0;
}
