#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/toolbox/param_kinds.h"
#include "core/toolbox/report.h"
#include "core/toolbox/words.h"

// What a tool of the table is: its params (what each entry accepts, its limits and
// default), and the function that turns the entries as read into a report. The command
// line (its help, JSON, man page and completion), the toolbox windows and the page all
// read these descriptions; each tool's own lives in a file of core/tools/.
namespace quorran {

struct Choice {
    std::string_view value;  // as typed and as JSON gives it
    std::string_view label;  // as a window shows it
    std::string_view also{};  // other spellings it is read from, blank-separated: "w female woman"
};

struct Param {
    std::string_view name{};     // the JSON key; an option is --name
    std::string_view label{};    // the window's label, its &-marked letter its mnemonic
    std::string_view metavar{};  // the command line's name for the value: DISTANCE, PCT
    ParamKind kind{};
    bool positional{};
    bool required{};              // a positional that must be given
    std::string_view fallback{};  // the text read when none is given; empty: none
    std::string_view example{};   // a value as a runner types it, for a placeholder
    std::string_view forms{};     // what it accepts, for help and tooltips
    // The range of the value, in the kind's unit (metres, seconds, seconds per km, km/h)
    // or the number's own; strictly between the two when open. A value outside is refused.
    double low = 0.0;
    double high = 0.0;
    bool open = false;
    bool whole = false;     // a Number with no fraction
    Unit unit = Unit::None;  // a Number's unit: %, ml/kg/min; None for a plain count
    std::span<const Choice> choices = {};  // Choice: the values; Distance: common races
    // The Flag of the same tool that reads a bare value of this param in km (a distance,
    // km/h) or per km (a pace) rather than in miles; empty when a bare value has no unit.
    std::string_view bare_km_flag{};
    bool command_line_only = false;  // the dialog's second and third fields
    // A Choice that names one of the report's documents: the command line prints that
    // document alone, as it is, instead of the report.
    bool chooses_document = false;
};

// An entry that cannot be taken: which, what was typed and what is wrong, said to the
// command line or to a window in its own words.
struct Refusal {
    const Param* param = nullptr;     // the entry refused
    std::span<const Param> params{};  // its tool's params, which the reason may name
    std::string text{};               // as typed
    // "must be above zero", "goes without {time}": entries named as {name} (words.h).
    std::string reason{};
    bool then_forms = false;  // the reason goes on with what the entry accepts: "is not a time: give ..."

    // "TIME", "--every"; "Time", "Split every".
    std::string argument(Audience audience = Audience::CommandLine) const;
    // "must be above zero", "is not a time: give [[H:]M:]S ..."
    std::string reason_in(Audience audience = Audience::CommandLine, bool km_setting = false) const;
    // "TIME '0:00' must be above zero"
    std::string line(Audience audience = Audience::CommandLine) const;
};

// One entry as read.
struct Value {
    const Param* param = nullptr;
    std::string text{};    // as typed, or the fallback; empty when absent
    bool given = false;    // typed, not a fallback
    bool present = false;  // typed or a fallback
    double number = NO_NUMBER;  // in the kind's unit, or the number
    bool in_km = false;         // a distance in km or metres, a pace per km, a speed in km/h
    std::string_view choice{};  // the table's spelling of a Choice
    bool on = false;            // a Flag
};

// A tool's handle on one of its params: its place in the tool's params, checked against
// the name when the tool is compiled, so a misspelt name does not build.
struct Entry {
    std::size_t index;
    std::string_view name;
};

template <std::size_t N>
consteval Entry entry(const std::array<Param, N>& params, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (params[i].name == name) return {i, name};
    throw "the tool has no param of that name";  // reached only in a constant expression: no build
}

// Every entry of a tool as read, in the order of its params.
class Inputs {
public:
    Inputs(std::vector<Value> values, std::span<const Param> params) : values_(std::move(values)), params_(params) {}
    // The entry a handle names. A handle of another tool's params fails loudly
    // (std::out_of_range), in every build.
    const Value& operator[](Entry entry) const;
    // The entry of that name; std::out_of_range when the tool has none.
    const Value& named(std::string_view name) const;
    std::span<const Value> values() const { return values_; }
    // The tool's params, which a refusal's reason may name.
    std::span<const Param> params() const { return params_; }

private:
    std::vector<Value> values_;
    std::span<const Param> params_;
};

struct Outcome {
    std::span<const Param> params{};  // the params the entries were read by, which its texts may name
    std::vector<Value> read{};  // every entry as read, when all could be
    Report report{};
    std::optional<Refusal> refusal{};      // an entry the tool cannot take
    std::optional<std::string> warning{};  // a calculation that has no answer ("Time cannot be zero.")
    std::string_view warning_param{};      // the entry the warning is about
};

// The pace dialog's fields as the command line gives them, for a tool that is one of the
// dialog's questions: read exactly as the dialog reads its fields (--dialog, or fields
// all read in full), and answered by the dialog's own command.
struct DialogFields {
    std::span<const Param> params;  // the fields by position, and the unit buttons as flags
    // How the dialog reads the text of the field at that position when it does not read
    // all of it ("10", "the marathon (m)"); empty when it reads all of it.
    std::string (*partial_reading)(std::size_t field, std::string_view text);
    Outcome (*run)(const Inputs& fields);
};

struct Tool {
    std::string_view name{};     // the subcommand, and the page's address (#predict)
    std::string_view title{};    // "Race prediction"
    int menu_place{};            // menus list the tools by it, smallest first
    std::string_view purpose{};  // one line
    std::string_view details{};  // more, for help and the manual page
    std::span<const Param> params{};
    std::span<const std::string_view> examples{};  // argument lists, as a runner types them
    Outcome (*run)(const Inputs&);
    const DialogFields* dialog = nullptr;  // pace and finish: the dialog's own fields too
};

}  // namespace quorran
