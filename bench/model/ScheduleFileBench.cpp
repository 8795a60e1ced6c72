// Load and save of a schedule file with 1,000 locations (seven days of five periods each),
// each compared in the same run with pugixml's bare work on the same bytes or an equal document.
// The two sides of a comparison run in turns, so that a change in the machine's load between
// them does not pass for a difference; both wall and processor time are given.
#include "THeatingLocations.h"
#include "zeft_AtomicFile.h"
#include "zeft_ScheduleFile.h"
#include "zeft_Templates.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

using namespace zeft;

namespace {

constexpr int LocationCount = 1000;
constexpr int Repetitions = 21;

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

double ProcessorSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct TTimes {
    double Wall;
    double Processor;
};

template <typename Operation> TTimes TimeOnce(Operation& operation) {
    const auto wall = std::chrono::steady_clock::now();
    const double processor = ProcessorSeconds();
    operation();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count(),
            ProcessorSeconds() - processor};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct TComparison {
    TTimes Ours;
    TTimes Bare;
};

// Medians of ours and of the bare operation, run in turns (which goes first alternates).
template <typename Ours, typename Bare> TComparison Compare(Ours ours, Bare bare) {
    std::vector<double> oursWall, oursProcessor, bareWall, bareProcessor;
    for (int i = 0; i < Repetitions; ++i) {
        TTimes a{}, b{};
        if (i % 2 == 0) {
            a = TimeOnce(ours);
            b = TimeOnce(bare);
        } else {
            b = TimeOnce(bare);
            a = TimeOnce(ours);
        }
        oursWall.push_back(a.Wall);
        oursProcessor.push_back(a.Processor);
        bareWall.push_back(b.Wall);
        bareProcessor.push_back(b.Processor);
    }
    return {{Median(oursWall), Median(oursProcessor)}, {Median(bareWall), Median(bareProcessor)}};
}

void Print(const char* what, const char* bare, const char* target, const TComparison& c) {
    std::printf("%s %8.2f ms   %s %8.2f ms   ratio %.2f (target <= %s); processor time %.2f vs "
                "%.2f ms, ratio %.2f\n",
                what, c.Ours.Wall * 1e3, bare, c.Bare.Wall * 1e3, c.Ours.Wall / c.Bare.Wall, target,
                c.Ours.Processor * 1e3, c.Bare.Processor * 1e3,
                c.Ours.Processor / c.Bare.Processor);
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

    // Both read the file from disk: the program as it opens files, a part at a time.
    WritePlain(ours, bytes);
    const TComparison load = Compare([&] { (void)ReadScheduleFile(ours); },
                                     [&] {
                                         pugi::xml_document document;
                                         document.load_file(ours.c_str());
                                     });

    pugi::xml_document equal;
    equal.load_buffer(bytes.data(), bytes.size());
    const TComparison save = Compare(
        [&] { WritePlain(ours, ScheduleFileBytes(locations)); },
        [&] { equal.save_file(bare.c_str(), "  ", pugi::format_indent, pugi::encoding_latin1); });
    std::vector<double> atomic;
    for (int i = 0; i < 5; ++i) {
        auto operation = [&] { locations.SaveToFile(ours); };
        atomic.push_back(TimeOnce(operation).Wall);
    }
    const double atomicSave = Median(atomic);

    std::filesystem::remove_all(dir);
    std::printf("schedule file of %d locations, %zu bytes, medians of %d runs in turns\n",
                LocationCount, bytes.size(), Repetitions);
    Print("load: ", "pugixml bare parse:        ", "2", load);
    Print("save: ", "pugixml bare serialisation:", "3", save);
    std::printf("save with flush to disk and rename: %.2f ms (flush: %.2f ms)\n", atomicSave * 1e3,
                (atomicSave - save.Ours.Wall) * 1e3);
    return 0;
}
