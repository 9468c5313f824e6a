// quorran_bench: the calculator's number texts and whole commands beside the C
// library doing the same work on the same inputs, in the same run.
//
// Every benchmark comes in a pair named "<subject>:quorran" and "<subject>:C library";
// after the usual table the program prints, per subject, both median CPU times per
// operation (CPU time, so that other work on a shared machine counts less) and their
// ratio (quorran / C library).
//   scan ...         scan_number vs strtod on entry texts
//   format ...       format_text vs snprintf (both giving a std::string) per result format
//   Find ...         a whole command through a view that does nothing, vs strtod, the
//                    same calculator arithmetic and snprintf into the same view calls
// Then reading and analysing a recorded run, each beside expat parsing the same GPX alone
// (bench/recorded_bench.h), in a table of their own.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench/recorded_bench.h"
#include "core/dialog/calc_types.h"
#include "core/dialog/calculator_commands.h"
#include "core/dialog/calculator_view.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/entry_parser.h"
#include "core/dialog/finish_time_calculator.h"
#include "core/dialog/messages.h"
#include "core/numbers/number_text.h"
#include "core/dialog/pace_calculator.h"
#include "core/dialog/split_schedule.h"

namespace {

using quorran::ClockTime;
using quorran::PaceTime;

constexpr std::string_view QUORRAN = ":quorran";
constexpr std::string_view C_LIBRARY = ":C library";

// ---------------------------------------------------------------------------------
// Inputs

// Entries as people type them.
const std::array<std::string, 16> TYPICAL_ENTRIES{"26.2", "42.195", "13.1", "3",  "30",      "0",  "59.9", "1.5",
                                                  "10",   "21.0975", "8",   "45", "4", "7.5", "100", "0.5"};
// Entries with more digits than a double holds, where a scanner needs its slow path.
const std::array<std::string, 4> LONG_ENTRIES{"26.218750000000000000000001", "3.14159265358979323846264338",
                                              "0.000000000000000000012345678901234567890",
                                              "123456789012345678901234567890"};

// Paces, speeds and times of sixteen real races: what the result formats print.
struct Sample {
    PaceTime per_mile, per_km, per_400m;
    double q = 0, decimal = 0, kmh = 0, mph = 0, mps = 0, mpm = 0, fps = 0, fpm = 0;
    ClockTime finish;  // with hours
    ClockTime short_finish;  // below an hour
    ClockTime split_long;  // with hours
    ClockTime split_mid;   // 10 to 59 minutes
    ClockTime split_short; // below 10 minutes
};

std::vector<Sample> make_samples() {
    const std::array<double, 4> distances{3.1068559611866697, 6.2137119223733395, 13.109375, 26.21875};
    const std::array<double, 4> minutes{17.5, 41.2, 95.0, 211.3};
    std::vector<Sample> samples;
    for (const double d : distances) {
        for (const double m : minutes) {
            Sample s;
            quorran::compute_pace(0.0, m * d / 10.0, 7.3, d, s.per_mile);
            s.per_km = quorran::pace_per_km(s.per_mile);
            s.per_400m = quorran::pace_per_400m(s.per_km);
            s.q = s.per_400m.minutes * 60.0 + s.per_400m.seconds;
            s.decimal = quorran::decimal_minutes(s.per_mile);
            s.kmh = quorran::speed_kmh(s.per_mile);
            s.mph = quorran::speed_mph(s.per_mile);
            s.mps = quorran::speed_mps(s.per_mile);
            s.mpm = s.mps * 60.0;
            s.fps = quorran::speed_fps(s.per_mile);
            s.fpm = s.fps * 60.0;
            quorran::compute_finish_time(s.per_mile.minutes, s.per_mile.seconds, 26.21875, s.finish);
            quorran::compute_finish_time(s.per_mile.minutes, s.per_mile.seconds, 3.1, s.short_finish);
            quorran::compute_finish_time(s.per_mile.minutes, s.per_mile.seconds, 20.0, s.split_long);
            quorran::compute_finish_time(s.per_mile.minutes, s.per_mile.seconds, 2.0, s.split_mid);
            quorran::compute_finish_time(s.per_mile.minutes, s.per_mile.seconds, 0.9, s.split_short);
            samples.push_back(s);
        }
    }
    return samples;
}

const std::vector<Sample>& samples() {
    static const std::vector<Sample> all = make_samples();
    return all;
}

// ---------------------------------------------------------------------------------
// Scanning

template <std::size_t N>
void register_scan(const std::string& subject, const std::array<std::string, N>& entries) {
    benchmark::RegisterBenchmark((subject + std::string(QUORRAN)).c_str(), [&entries](benchmark::State& state) {
        std::size_t i = 0;
        for (auto _ : state) {
            const double value = quorran::scan_number(entries[i++ % N]);
            benchmark::DoNotOptimize(value);
        }
    });
    benchmark::RegisterBenchmark((subject + std::string(C_LIBRARY)).c_str(), [&entries](benchmark::State& state) {
        std::size_t i = 0;
        for (auto _ : state) {
            const double value = std::strtod(entries[i++ % N].c_str(), nullptr);
            benchmark::DoNotOptimize(value);
        }
    });
}

// ---------------------------------------------------------------------------------
// Formatting: each format of the result texts, quorran's against snprintf's, both
// ending in a std::string as the commands need it.

std::string c_format(const char* format, auto... args) {
    char buffer[quorran::TEXT_LIMIT + 1];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

template <typename Quorran, typename CLibrary>
void register_format(const std::string& format, Quorran quorran_text, CLibrary c_text) {
    const std::string subject = "format \"" + format + "\"";
    benchmark::RegisterBenchmark((subject + std::string(QUORRAN)).c_str(), [quorran_text](benchmark::State& state) {
        const auto& all = samples();
        std::size_t i = 0;
        for (auto _ : state) {
            std::string text = quorran_text(all[i++ % all.size()]);
            benchmark::DoNotOptimize(text.data());
        }
    });
    benchmark::RegisterBenchmark((subject + std::string(C_LIBRARY)).c_str(), [c_text](benchmark::State& state) {
        const auto& all = samples();
        std::size_t i = 0;
        for (auto _ : state) {
            std::string text = c_text(all[i++ % all.size()]);
            benchmark::DoNotOptimize(text.data());
        }
    });
}

// Registers format with the arguments that args picks from a sample.
#define QUORRAN_FORMAT(format, ...)                                                                         \
    register_format(                                                                                        \
        format, [](const Sample& s) { return quorran::format_text(format, {__VA_ARGS__}); },               \
        [](const Sample& s) { return c_format(format, __VA_ARGS__); })

void register_formats() {
    QUORRAN_FORMAT("%2.0f:%04.1f per mile", s.per_mile.minutes, s.per_mile.seconds);
    QUORRAN_FORMAT(" %2.0f:%04.1f per km", s.per_km.minutes, s.per_km.seconds);
    QUORRAN_FORMAT(" %3.1f secs or %2.0f:%04.1f per 400m", s.q, s.per_400m.minutes, s.per_400m.seconds);
    QUORRAN_FORMAT(" %4.2f mins/mile", s.decimal);
    QUORRAN_FORMAT(" %4.2f km/h", s.kmh);
    QUORRAN_FORMAT(" %4.2f MPH", s.mph);
    QUORRAN_FORMAT(" %4.2f meters/sec", s.mps);
    QUORRAN_FORMAT(" %4.1f meters/min", s.mpm);
    QUORRAN_FORMAT(" %4.2f feet/sec", s.fps);
    QUORRAN_FORMAT(" %4.1f feet/min", s.fpm);
    QUORRAN_FORMAT(" %3.1f", s.q);
    QUORRAN_FORMAT("%2.0f %s, %2.0f %s, %3.1f %s", s.finish.hours, "hours", s.finish.minutes, "mins",
                   s.finish.seconds, "secs");
    QUORRAN_FORMAT("%2.0f %s, %3.1f %s", s.short_finish.minutes, "mins", s.short_finish.seconds, "secs");
    QUORRAN_FORMAT("%s      %2.0f:%02.0f:%04.1f", "20 m  ", s.split_long.hours, s.split_long.minutes,
                   s.split_long.seconds);
    QUORRAN_FORMAT("%s           %2.0f:%04.1f", " 2 m   ", s.split_mid.minutes, s.split_mid.seconds);
    QUORRAN_FORMAT("%s             %2.0f:%04.1f", "Finish ", s.split_short.minutes, s.split_short.seconds);
}

// ---------------------------------------------------------------------------------
// Whole commands

// A view with fixed entries that throws every result away (after touching it).
class NullView final : public quorran::CalculatorView {
public:
    std::array<std::string, 7> entries;  // pace distance, h, m, s; finish distance, pace m, s
    mutable std::size_t sink = 0;

    bool is_checked(int) const override { return true; }  // Miles, Miles, per mile
    void check_radio(int, int, int) override { ++sink; }
    std::string get_text(int control) const override {
        switch (control) {
            case quorran::IDC_PACE_DISTANCE: return entries[0];
            case quorran::IDC_PACE_HOURS: return entries[1];
            case quorran::IDC_PACE_MINUTES: return entries[2];
            case quorran::IDC_PACE_SECONDS: return entries[3];
            case quorran::IDC_FINISH_DISTANCE: return entries[4];
            case quorran::IDC_FINISH_PACE_MINUTES: return entries[5];
            case quorran::IDC_FINISH_PACE_SECONDS: return entries[6];
            default: return {};
        }
    }
    void set_text(int, std::string_view text) override { sink += text.size(); }
    void list_clear(int) override { ++sink; }
    void list_add(int, std::string_view text) override { sink += text.size(); }
    void list_select_prefix(int, int, std::string_view prefix) override { sink += prefix.size(); }
    void set_focus(int) override { ++sink; }
    void warn(std::string_view text) override { sink += text.size(); }
    void inform(std::string_view text) override { sink += text.size(); }
    void close(int) override {}
};

NullView marathon_view() {
    NullView view;
    // A marathon in 3:30:00; a marathon at 8:00 per mile (36 split rows).
    view.entries = {"m", "3", "30", "0", "m", "8", "0"};
    return view;
}

double c_number(const quorran::CalculatorView& view, int control) {
    return std::strtod(view.get_text(control).c_str(), nullptr);
}

double c_distance(const quorran::CalculatorView& view, int control, double factor) {
    const std::string text = view.get_text(control);
    double d = std::strtod(text.c_str(), nullptr);
    const char first = text.empty() ? '\0' : text.front();
    if (first == 'm' || first == 'M') d = factor * quorran::MILES_PER_MARATHON;
    if (first == 'h' || first == 'H') d = factor * quorran::MILES_PER_HALF;
    if (factor != 1.0) d = d * quorran::KM_TO_MILES;
    return d;
}

// Find Pace with strtod and snprintf around the same calculator arithmetic.
void c_find_pace(quorran::CalculatorView& view) {
    const double f = quorran::unit_factor(view.is_checked(quorran::IDC_PACE_MILES));
    const double distance = c_distance(view, quorran::IDC_PACE_DISTANCE, f);
    const double hours = c_number(view, quorran::IDC_PACE_HOURS);
    const double minutes = c_number(view, quorran::IDC_PACE_MINUTES);
    const double seconds = c_number(view, quorran::IDC_PACE_SECONDS);
    PaceTime pace;
    switch (quorran::compute_pace(hours, minutes, seconds, distance, pace)) {
        case quorran::CalcStatus::ZeroDistance: view.warn(quorran::DISTANCE_ZERO_WARNING); return;
        case quorran::CalcStatus::ZeroTime: view.warn(quorran::TIME_ZERO_WARNING); return;
        case quorran::CalcStatus::Ok: break;
    }
    char text[quorran::TEXT_LIMIT + 1];
    std::snprintf(text, sizeof text, "%2.0f:%04.1f per mile", pace.minutes, pace.seconds);
    view.set_text(quorran::IDC_PACE_RESULT, text);
    const PaceTime per_km = quorran::pace_per_km(pace);
    const PaceTime per_400m = quorran::pace_per_400m(per_km);
    const double q = per_400m.minutes * 60.0 + per_400m.seconds;
    const double mps = quorran::speed_mps(pace);
    const double fps = quorran::speed_fps(pace);
    const int list = quorran::IDC_OTHER_FORMATS;
    view.list_clear(list);
    std::snprintf(text, sizeof text, " %2.0f:%04.1f per km", per_km.minutes, per_km.seconds);
    view.list_add(list, text);
    std::snprintf(text, sizeof text, " %3.1f secs or %2.0f:%04.1f per 400m", q, per_400m.minutes, per_400m.seconds);
    view.list_add(list, text);
    std::snprintf(text, sizeof text, " %4.2f mins/mile", quorran::decimal_minutes(pace));
    view.list_add(list, text);
    std::snprintf(text, sizeof text, " %4.2f km/h", quorran::speed_kmh(pace));
    view.list_add(list, text);
    std::snprintf(text, sizeof text, " %4.2f MPH", quorran::speed_mph(pace));
    view.list_add(list, text);
    std::snprintf(text, sizeof text, " %4.2f meters/sec", mps);
    view.list_add(list, text);
    std::snprintf(text, sizeof text, " %4.1f meters/min", mps * 60.0);
    view.list_add(list, text);
    std::snprintf(text, sizeof text, " %4.2f feet/sec", fps);
    view.list_add(list, text);
    std::snprintf(text, sizeof text, " %4.1f feet/min", fps * 60.0);
    view.list_add(list, text);
    char prefix[quorran::SELECT_PREFIX_LIMIT + 1];
    std::snprintf(prefix, sizeof prefix, " %3.1f", q);
    view.list_select_prefix(list, 0, prefix);
    view.set_focus(quorran::IDC_PACE_DISTANCE);
}

void c_split_row(char (&text)[quorran::TEXT_LIMIT + 1], std::string_view label, const ClockTime& t) {
    const int n = static_cast<int>(label.size());
    if (t.hours != 0.0) {
        std::snprintf(text, sizeof text, "%.*s      %2.0f:%02.0f:%04.1f", n, label.data(), t.hours, t.minutes,
                      t.seconds);
    } else if (t.minutes >= 10.0) {
        std::snprintf(text, sizeof text, "%.*s           %2.0f:%04.1f", n, label.data(), t.minutes, t.seconds);
    } else {
        std::snprintf(text, sizeof text, "%.*s             %2.0f:%04.1f", n, label.data(), t.minutes, t.seconds);
    }
}

// Find Finish Time with strtod and snprintf around the same calculator arithmetic.
void c_find_finish_time(quorran::CalculatorView& view) {
    const double f = quorran::unit_factor(view.is_checked(quorran::IDC_FINISH_MILES));
    const double g = quorran::unit_factor(view.is_checked(quorran::IDC_PER_MILE));
    const double distance = c_distance(view, quorran::IDC_FINISH_DISTANCE, f);
    const double pace_minutes = c_number(view, quorran::IDC_FINISH_PACE_MINUTES) * g;
    const double pace_seconds = c_number(view, quorran::IDC_FINISH_PACE_SECONDS) * g;
    ClockTime time;
    switch (quorran::compute_finish_time(pace_minutes, pace_seconds, distance, time)) {
        case quorran::CalcStatus::ZeroDistance: view.warn(quorran::DISTANCE_ZERO_WARNING); return;
        case quorran::CalcStatus::ZeroTime: view.warn(quorran::TIME_ZERO_WARNING); return;
        case quorran::CalcStatus::Ok: break;
    }
    char text[quorran::TEXT_LIMIT + 1];
    const char* hour_word = time.hours == 1.0 ? "hour" : "hours";
    const char* minute_word = time.minutes == 1.0 ? "min" : "mins";
    const char* second_word = time.seconds == 1.0 ? "sec" : "secs";
    if (time.hours != 0.0) {
        std::snprintf(text, sizeof text, "%2.0f %s, %2.0f %s, %3.1f %s", time.hours, hour_word, time.minutes,
                      minute_word, time.seconds, second_word);
    } else {
        std::snprintf(text, sizeof text, "%2.0f %s, %3.1f %s", time.minutes, minute_word, time.seconds, second_word);
    }
    view.set_text(quorran::IDC_FINISH_RESULT, text);
    view.list_clear(quorran::IDC_SPLITS);
    bool any = false;
    if (distance > 2.0) {
        const auto marks = quorran::split_marks();
        std::size_t i = 0;
        double mark = marks[0].miles;
        std::string_view label = marks[0].label;
        for (;;) {
            ClockTime split;
            quorran::compute_finish_time(pace_minutes, pace_seconds, mark, split);
            c_split_row(text, label, split);
            view.list_add(quorran::IDC_SPLITS, text);
            any = true;
            if (!(distance > mark) || mark >= quorran::MILES_PER_MARATHON) break;
            ++i;
            mark = marks[i].miles;
            label = marks[i].label;
            if (!(mark < distance)) {
                mark = distance;
                label = quorran::FINISH_LABEL;
            }
        }
    }
    if (any) view.list_select_prefix(quorran::IDC_SPLITS, 0, quorran::first_split_label());
    view.set_focus(quorran::IDC_FINISH_DISTANCE);
}

void register_command(const std::string& subject, int control, void (*c_command)(quorran::CalculatorView&)) {
    benchmark::RegisterBenchmark((subject + std::string(QUORRAN)).c_str(), [control](benchmark::State& state) {
        NullView view = marathon_view();
        quorran::CalculatorCommands commands(view);
        for (auto _ : state) commands.on_command(control);
        benchmark::DoNotOptimize(view.sink);
    });
    benchmark::RegisterBenchmark((subject + std::string(C_LIBRARY)).c_str(), [c_command](benchmark::State& state) {
        NullView view = marathon_view();
        for (auto _ : state) c_command(view);
        benchmark::DoNotOptimize(view.sink);
    });
}

// Both commands must write the same amount of text as their C twins, or the pairs
// would not measure the same work.
void check_twins() {
    for (const int control : {quorran::IDC_PACE_CALCULATE, quorran::IDC_FINISH_CALCULATE}) {
        NullView ours = marathon_view();
        NullView theirs = marathon_view();
        quorran::CalculatorCommands(ours).on_command(control);
        if (control == quorran::IDC_PACE_CALCULATE) c_find_pace(theirs);
        else c_find_finish_time(theirs);
        if (ours.sink != theirs.sink) {
            std::cerr << "quorran_bench: command " << control << " writes " << ours.sink
                      << " characters, its C twin " << theirs.sink << "\n";
            std::exit(1);
        }
    }
}

// ---------------------------------------------------------------------------------
// Reporting: the console table, then the ratio of each pair.

class RatioReporter final : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that a saved report stays plain text.
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (median || single) times_[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        auto& out = GetOutputStream();
        out << "\n| what | quorran (ns) | C library (ns) | ratio |\n|---|---:|---:|---:|\n";
        for (const auto& [name, time] : times_) {
            if (!name.ends_with(QUORRAN)) continue;
            const std::string subject = name.substr(0, name.size() - QUORRAN.size());
            const auto twin = times_.find(subject + std::string(C_LIBRARY));
            if (twin == times_.end()) continue;
            std::ostringstream row;
            row << std::fixed << std::setprecision(1) << "| " << subject << " | " << time << " | "
                << twin->second << " | " << std::setprecision(2) << time / twin->second << " |\n";
            out << row.str();
        }
        quorran::bench::report_recorded_runs(out, times_);
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    check_twins();
    register_scan("scan typical entries", TYPICAL_ENTRIES);
    register_scan("scan long entries (over 17 digits)", LONG_ENTRIES);
    register_formats();
    register_command("Find Pace, marathon", quorran::IDC_PACE_CALCULATE, c_find_pace);
    register_command("Find Finish Time, marathon, 36 splits", quorran::IDC_FINISH_CALCULATE, c_find_finish_time);
    if (!quorran::bench::register_recorded_runs()) return 1;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
