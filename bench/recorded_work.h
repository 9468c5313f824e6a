#pragma once

#include <array>
#include <optional>
#include <string_view>

// The work whose speed and memory bench/ measures on a recorded run's file, from expat
// alone to the whole of quorran's reading and analysis, each the same wherever it is
// measured: in a loop (quorran_bench) or once in a process of its own (quorran_run_once).
namespace quorran::bench {

enum class Work {
    ExpatAlone,     // expat parsing the document with no handler at all, fed in the
                    // adapter's pieces: the least any reader through expat can cost
    EventsIgnored,  // the adapter's expat (with namespaces) reporting every event to a
                    // handler that takes none: what the events cost before the core reads them
    Read,           // read_run, through the adapter for GPX and TCX
    ReadAndAnalyse, // read_run, then analyse_run on its run
};

struct WorkName {
    Work work;
    std::string_view word;  // on quorran_run_once's command line
    std::string_view what;  // in the tables
};

inline constexpr std::array<WorkName, 4> WORKS{{
    {Work::ExpatAlone, "expat", "expat alone, no handlers"},
    {Work::EventsIgnored, "events", "expat adapter, events ignored"},
    {Work::Read, "read", "read_run"},
    {Work::ReadAndAnalyse, "analyse", "read_run + analyse_run"},
}};

// Does the work on a file's bytes. Something of the result, so that no compiler can
// leave the work out; nothing when the bytes were not read as a run (or, for expat,
// as well-formed XML).
std::optional<double> do_work(Work work, std::string_view bytes);

}  // namespace quorran::bench
