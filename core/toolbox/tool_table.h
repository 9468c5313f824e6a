#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/toolbox/report.h"

// The table of tools: each tool of the program described once, with its entries, what
// they accept, their limits and defaults, and how its report is made. The command line
// (its help, JSON, man page and completion), the toolbox windows and the page all read it.
namespace quorran {

enum class ParamKind {
    Distance,  // metres: 10k, 5 mi, 400m, marathon; a bare number in miles, or km with --km
    Time,      // seconds: [[H:]M:]S
    Pace,      // seconds per km: M:SS with /km or /mi; a bare pace per mile, or per km with --per-km
    Number,    // a decimal number
    Choice,    // one of the param's choices, in any letter case
    Flag,      // on or off, an option without a value
    Text,      // any text, as typed
    Field,     // an entry of the pace dialog, read as the dialog reads its field
};

struct Choice {
    std::string_view value;  // as typed and as JSON gives it
    std::string_view label;  // as a window shows it
};

struct Param {
    std::string_view name{};     // the JSON key; an option is --name
    std::string_view label{};    // the window's label, its &-marked letter its mnemonic
    std::string_view metavar{};  // the command line's name for the value: DISTANCE, PCT
    ParamKind kind{};
    bool positional{};
    bool required{};           // a positional that must be given
    std::string_view fallback{};  // the text read when none is given; empty: none
    std::string_view example{};   // a value as a runner types it, for a placeholder
    std::string_view forms{};     // what it accepts, for help and tooltips
    // The range of the value, in metres, seconds, seconds per km or as the number;
    // strictly between the two when open. A value outside is refused.
    double low = 0.0;
    double high = 0.0;
    bool open = false;
    bool whole = false;  // a Number with no fraction
    std::span<const Choice> choices = {};  // Choice: the values; Distance: common races
    bool command_line_only = false;        // the dialog's second and third fields
    // A Choice that names one of the report's documents: the command line prints that
    // document alone, as it is, instead of the report.
    bool chooses_document = false;
};

// An entry that cannot be taken: which argument, what was typed and what is wrong.
struct Refusal {
    std::string_view param{};  // the param's name
    std::string argument{};  // "TIME", "--every"
    std::string text{};
    std::string reason{};    // "must be above zero", "is not a time: give ..."

    // "TIME '0:00' must be above zero"
    std::string line() const;
};

// One entry as read.
struct Value {
    const Param* param = nullptr;
    std::string text{};      // as typed, or the fallback; empty when absent
    bool given = false;    // typed, not a fallback
    bool present = false;  // typed or a fallback
    double number = NO_NUMBER;  // metres, seconds, seconds per km, or the number
    bool in_km = false;         // a distance given in km or metres, a pace per km
    std::string_view choice{};    // the table's spelling of a Choice
    bool on = false;            // a Flag
};

class Inputs {
public:
    explicit Inputs(std::vector<Value> values) : values_(std::move(values)) {}
    // The value of the param of that name; every param of the tool has one.
    const Value& operator[](std::string_view name) const;
    std::span<const Value> values() const { return values_; }

private:
    std::vector<Value> values_;
};

struct Outcome {
    std::vector<Value> read{};  // every entry as read, when all could be
    Report report{};
    std::optional<Refusal> refusal{};      // an entry the tool cannot take
    std::optional<std::string> warning{};  // a calculation that has no answer ("Time cannot be zero.")
    std::string_view warning_param{};      // the entry the warning is about
};

struct Tool {
    std::string_view name{};   // the subcommand, and the page's address (#predict)
    std::string_view title{};    // "Race prediction"
    std::string_view purpose{};  // one line
    std::string_view details{};  // more, for help and the manual page
    std::span<const Param> params{};
    std::span<const std::string_view> examples{};  // argument lists, as a runner types them
    Outcome (*run)(const Inputs&);
};

// Every tool, in the order menus list them.
std::span<const Tool> tools();
const Tool* find_tool(std::string_view name);
const Param* find_param(const Tool& tool, std::string_view name);

// The texts given for some of a tool's params, by name; the others take their fallback.
using Entries = std::vector<std::pair<std::string_view, std::string>>;

struct Reading {
    Value value{};
    std::optional<Refusal> refusal{};
};

// Reads the text of one param; bare_km reads a bare distance in km, or a bare pace per
// km (the tool's --km or --per-km). A refusal when the text is no such value or the
// value lies outside the param's range.
Reading read_value(const Param& param, std::string_view text, bool bare_km);

// The name a refusal gives the param: its metavar for a positional, --name for an option.
std::string argument_name(const Param& param);

// Reads every entry and runs the tool: the first refusal, or its outcome.
Outcome run_tool(const Tool& tool, const Entries& entries);

// How an entry reads back, canonically: "5 km", "20:00", "4:30 /km", "riegel".
std::string describe(const Value& value);

}  // namespace quorran
