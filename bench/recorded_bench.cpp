#include "bench/recorded_bench.h"

#include <benchmark/benchmark.h>

#include <array>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <vector>

#include "bench/recorded_work.h"

namespace quorran::bench {
namespace {

struct File {
    std::string_view format;  // "GPX", "TCX" or "FIT"
    const char* path;
    bool xml;
    std::string bytes;
    double points = 0;
};

// The same run in each format; FIT's times are set beside expat alone on the GPX.
File gpx{"GPX", QUORRAN_RUN_GPX, true, {}}, tcx{"TCX", QUORRAN_RUN_TCX, true, {}}, fit{"FIT", QUORRAN_RUN_FIT, false, {}};
const std::array<File*, 3> FILES{&gpx, &tcx, &fit};

bool load(File& file) {
    std::ifstream in(file.path, std::ios::binary | std::ios::ate);
    file.bytes.resize(in ? static_cast<std::size_t>(in.tellg()) : 0);
    if (!in.seekg(0) || !in.read(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size())) ||
        file.bytes.empty()) {
        std::cerr << "quorran_bench: cannot read " << file.path << " (the bench preset's build writes it)\n";
        return false;
    }
    const auto points = do_work(Work::Read, file.bytes);
    if (!points) std::cerr << "quorran_bench: " << file.path << " is not read as a run\n";
    file.points = points.value_or(0);
    return points.has_value();
}

std::string name(const File& file, const WorkName& work) { return std::string(file.format) + ": " + std::string(work.what); }

void measure(benchmark::State& state, const File& file, Work work) {
    for (auto _ : state) {
        const auto result = do_work(work, file.bytes);
        if (!result) {
            state.SkipWithError("the file was not read");
            break;
        }
        benchmark::DoNotOptimize(*result);
    }
}

// The rows of the table: every work on the XML files, the reader's on the FIT.
std::vector<std::pair<const File*, WorkName>> rows() {
    std::vector<std::pair<const File*, WorkName>> all;
    for (const File* file : FILES)
        for (const WorkName& work : WORKS)
            if (file->xml || work.work == Work::Read || work.work == Work::ReadAndAnalyse) all.emplace_back(file, work);
    return all;
}

// Expat alone on the file itself, or on the GPX for the FIT.
const File& baseline(const File& file) { return file.xml ? file : gpx; }

}  // namespace

bool register_recorded_runs() {
    for (File* file : FILES)
        if (!load(*file)) return false;
    for (const auto& row : rows()) {
        const File* file = row.first;
        const Work work = row.second.work;
        benchmark::RegisterBenchmark(name(*file, row.second).c_str(),
                                     [file, work](benchmark::State& state) { measure(state, *file, work); })
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}

void report_recorded_runs(std::ostream& out, const std::map<std::string, double>& times) {
    std::ostringstream table;
    table << std::fixed << std::setprecision(1) << "\nThe made-up day on the trails, in one process:";
    for (const File* file : FILES)
        table << " " << file->format << " of " << std::setprecision(0) << file->points << " points, "
              << std::setprecision(1) << static_cast<double>(file->bytes.size()) / 1e6 << " MB;";
    table << " ratios to expat alone on the same file (the FIT's to the GPX's)\n\n"
             "| what | CPU (ms) | ratio to expat alone |\n|---|---:|---:|\n";
    for (const auto& [file, work] : rows()) {
        const auto time = times.find(name(*file, work));
        const auto expat = times.find(name(baseline(*file), WORKS[0]));
        if (time == times.end() || expat == times.end()) continue;
        table << "| " << time->first << " | " << std::setprecision(1) << time->second << " | " << std::setprecision(2)
              << time->second / expat->second << " |\n";
    }
    out << table.str();
}

}  // namespace quorran::bench
