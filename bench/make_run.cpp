// quorran_make_run: writes the made-up day on the trails (bench/made_up_run.h) as GPX, TCX
// or FIT, for the benchmarks of reading and analysing a run (bench/run, bench/reading).
//
//   quorran_make_run [--tcx | --fit] [--seed N] [--points N] FILE
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "bench/made_up_run.h"

namespace {

int usage() {
    std::cerr << "usage: quorran_make_run [--tcx | --fit] [--seed N] [--points N] FILE\n";
    return 2;
}

// A whole number of at least 1, or 0 when the text is not one.
unsigned long long count(const char* text) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    return end != text && *end == '\0' && text[0] != '-' ? value : 0;
}

}  // namespace

int main(int argc, char** argv) {
    enum { Gpx, Tcx, Fit } format = Gpx;
    unsigned long long seed = quorran::bench::DEFAULT_SEED, points = quorran::bench::DEFAULT_POINTS;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--fit") format = Fit;
        else if (a == "--tcx") format = Tcx;
        else if (a == "--seed" && i + 1 < argc) seed = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--points" && i + 1 < argc) {
            if ((points = count(argv[++i])) == 0) return usage();
        } else if (!path && !a.starts_with("-")) path = argv[i];
        else return usage();
    }
    if (!path) return usage();

    const quorran::bench::MadeUpRun run = quorran::bench::make_up_run(seed, points);
    const std::string bytes = format == Fit   ? quorran::bench::fit_of(run)
                              : format == Tcx ? quorran::bench::tcx_of(run)
                                              : quorran::bench::gpx_of(run);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "quorran_make_run: cannot write " << path << "\n";
        return 1;
    }
    return 0;
}
