// quorran_run_once: one measurement of reading a recorded run's file, in a process of its
// own, as a program that reads one file pays for it: memory first touched, the allocator
// fresh (bench/reading starts one a measurement, taking turns).
//
//   quorran_run_once WORK FILE      WORK: expat, events, read or analyse (bench/recorded_work.h)
//
// Reads the whole file into memory first; then notes the process's CPU time (user and
// system: the kernel's work of giving the process new memory counts) and its peak
// resident memory (VmHWM); does the work; and notes both again. Prints
// "CPU_NANOSECONDS GROWTH FILE_SIZE": the growth of the peak leaves out the file's own
// bytes (held before the first note) and counts everything the work adds: expat's
// buffers, the run's points, the analysis's arrays, and any of them the allocator holds
// at once.
#include <time.h>

#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "bench/recorded_work.h"

namespace {

// The peak resident memory of this process so far, in bytes, or 0 when Linux does not say.
std::size_t peak_memory() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) return std::stoull(line.substr(6)) * 1024;  // in kB
    return 0;
}

long long cpu_nanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

}  // namespace

int main(int argc, char** argv) {
    const quorran::bench::WorkName* work = nullptr;
    for (const auto& w : quorran::bench::WORKS)
        if (argc == 3 && w.word == argv[1]) work = &w;
    if (!work) {
        std::cerr << "usage: quorran_run_once expat|events|read|analyse FILE\n";
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary | std::ios::ate);
    std::string bytes(in ? static_cast<std::size_t>(in.tellg()) : 0, '\0');
    if (!in.seekg(0) || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())) || bytes.empty()) {
        std::cerr << "quorran_run_once: cannot read " << argv[2] << "\n";
        return 1;
    }

    const std::size_t memory_before = peak_memory();
    const long long cpu_before = cpu_nanoseconds();
    const auto result = quorran::bench::do_work(work->work, bytes);
    const long long cpu = cpu_nanoseconds() - cpu_before;
    const std::size_t memory_after = peak_memory();
    if (!result || memory_before == 0) {
        std::cerr << "quorran_run_once: " << argv[2] << " was not read (" << work->what << ")\n";
        return 1;
    }
    std::cout << cpu << " " << memory_after - memory_before << " " << bytes.size() << "\n";
    return 0;
}
