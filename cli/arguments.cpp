#include "cli/arguments.h"

#include "cli/help.h"
#include "core/toolbox/tool_panel.h"

#include <algorithm>
#include <vector>

#include "core/numbers/text_limit.h"
#include "core/toolbox/entry_forms.h"
#include "core/toolbox/entry_reading.h"
#include "core/toolbox/param_kinds.h"

namespace quorran::cli {
namespace {

constexpr std::string_view HELP_WORD = "help";

bool is_help(std::string_view arg) { return arg == "-h" || arg == "--help"; }
bool is_version(std::string_view arg) { return arg == "-v" || arg == "--version"; }

// "--" and more: an option. "-5" is an entry (a negative number, which its range then
// refuses), "-h" asks for help, "-k" is an option no subcommand has.
bool is_option(std::string_view arg) { return arg.size() > 2 && arg.starts_with("--"); }
bool is_short_option(std::string_view arg) {
    return arg.size() >= 2 && arg[0] == '-' && ((arg[1] >= 'a' && arg[1] <= 'z') || (arg[1] >= 'A' && arg[1] <= 'Z'));
}

std::string_view option_word(std::string_view arg) { return arg.substr(2, arg.find('=') - 2); }

// The param of a tool's form that an option names: --per-km is the param per_km.
const Param* option_param(std::span<const Param> params, std::string_view word) {
    std::string name(word);
    std::replace(name.begin(), name.end(), '-', '_');
    const auto at = std::find_if(params.begin(), params.end(), [&](const Param& p) { return p.name == name && !p.positional; });
    return at == params.end() ? nullptr : &*at;
}

// Whether some tool's option of this name takes a value: before the subcommand is
// known, that decides whether the next argument belongs to the option.
bool takes_value_somewhere(std::string_view word) {
    for (const Tool& tool : tools()) {
        const Param* p = option_param(tool.params, word);
        if (p && p->kind != ParamKind::Flag) return true;
    }
    return false;
}

// The index of the subcommand: the first argument that is neither an option nor an
// option's value (after a "--" the next argument is the subcommand); args.size() when
// there is none.
std::size_t subcommand_index(std::span<const std::string_view> args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--") return i + 1 < args.size() ? i + 1 : args.size();
        if (is_option(arg)) {
            if (arg.find('=') == std::string_view::npos && takes_value_somewhere(option_word(arg))) ++i;
            continue;
        }
        if (!is_help(arg) && !is_version(arg) && !is_short_option(arg)) return i;
    }
    return args.size();
}

CommandLine usage(const Tool* tool, std::string error) {
    CommandLine c;
    c.tool = tool;
    c.error = std::move(error);
    return c;
}

std::string see_help(const Tool* tool) {
    std::string text = " (see quorran-cli help";
    if (tool) text.append(" ").append(tool->name);
    return text.append(")");
}

// How many single-letter edits turn one word into the other (Levenshtein).
std::size_t edits(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same_letters(a.substr(i - 1, 1), b.substr(j - 1, 1)) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The subcommand of that name, in any letter case.
const Tool* tool_named(std::string_view name) {
    for (const Tool& tool : tools())
        if (same_letters(tool.name, name)) return &tool;
    return nullptr;
}

// "unknown subcommand 'predcit': did you mean predict?"
std::string unknown_subcommand(std::string_view name) {
    std::string text = "unknown subcommand '" + std::string(name) + "'";
    const Tool* nearest = nullptr;
    std::size_t fewest = 3;  // at most two letters wrong, or it is no misspelling
    for (const Tool& tool : tools()) {
        const std::size_t n = edits(name, tool.name);
        if (n < fewest) fewest = n, nearest = &tool;
    }
    return nearest ? text + ": did you mean " + std::string(nearest->name) + "?" : text + see_help(nullptr);
}

// Runners write a number and its unit as words apart (10 km, 7:30 per mile, half
// marathon, 1 h 30 min): each entry takes the most words, up to four, that read together
// as it.
std::vector<std::string> joined_entries(std::span<const Param> params, const std::vector<std::string_view>& words) {
    constexpr std::size_t MOST_WORDS = 4;
    std::vector<const Param*> positional;
    for (const Param& p : params)
        if (p.positional) positional.push_back(&p);
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < words.size();) {
        std::size_t taken = 1;
        if (entries.size() < positional.size()) {
            const Param& p = *positional[entries.size()];
            for (std::size_t n = std::min(MOST_WORDS, words.size() - i); n > 1; --n) {
                std::string together(words[i]);
                for (std::size_t k = 1; k < n; ++k) together.append(" ").append(words[i + k]);
                // Words that read as the entry belong together, and so do a number and the
                // words of its unit that the entry refuses for a reason of its own ("4,500 km").
                Value value;
                std::string why;
                const bool words_only = together.find_first_of("0123456789", words[i].size()) == std::string::npos;
                if (kind_description(p.kind).read(p, trimmed(together), false, value, why) || (!why.empty() && words_only)) {
                    taken = n;
                    break;
                }
            }
        }
        std::string entry(words[i]);
        for (std::size_t k = 1; k < taken; ++k) entry.append(" ").append(words[i + k]);
        entries.push_back(std::move(entry));
        i += taken;
    }
    return entries;
}

// The positional entries given to the params, by position; an error when there are too
// many or one that must be given is not.
std::string place_entries(std::span<const Param> params, const std::vector<std::string>& entries, Entries& placed,
                          const Tool& tool) {
    std::size_t next = 0;
    for (const Param& p : params) {
        if (!p.positional) continue;
        if (next < entries.size()) placed.emplace_back(p.name, entries[next++]);
        else if (p.required) return "missing " + std::string(p.metavar) + see_help(&tool);
    }
    if (next < entries.size()) return "unexpected '" + entries[next] + "': too many entries" + see_help(&tool);
    return {};
}

// The first field the dialog would read only in part, if any.
std::optional<std::size_t> first_partial(const DialogFields& dialog, const std::vector<std::string_view>& words) {
    for (std::size_t i = 0; i < words.size(); ++i)
        if (!dialog.partial_reading(i, words[i]).empty()) return i;
    return std::nullopt;
}

// The arguments other than the subcommand, read by the tool's params, or by the dialog's
// fields for pace and finish when --dialog asks for them or every field is one the dialog
// reads in full.
CommandLine read_tool_arguments(const Tool& tool, std::span<const std::string_view> args, std::size_t skip) {
    CommandLine c;
    c.tool = &tool;
    c.action = Action::Run;
    std::vector<std::string_view> positional;
    std::vector<std::pair<std::string, std::string>> options;  // the option's param name, its value
    bool options_ended = false, dialog = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (i == skip || (arg == "--" && i < skip)) continue;  // a -- before the subcommand only marks it
        if (options_ended || (!is_option(arg) && arg != "--" && !is_short_option(arg))) {
            positional.push_back(arg);
        } else if (arg == "--") {
            options_ended = true;
        } else if (is_short_option(arg)) {
            if (is_version(arg)) c.action = Action::Version;
            else if (!is_help(arg)) return usage(&tool, "unknown option " + std::string(arg) + see_help(&tool));
        } else if (arg == "--json") {
        } else if (arg == "--version") {
            c.action = Action::Version;
        } else if (arg == DIALOG_OPTION && tool.dialog) {
            dialog = true;
        } else {
            const std::string_view word = option_word(arg);
            const Param* p = option_param(tool.params, word);
            if (!p && tool.dialog) p = option_param(tool.dialog->params, word);
            if (!p) return usage(&tool, "unknown option --" + std::string(word) + see_help(&tool));
            const bool inline_value = arg.find('=') != std::string_view::npos;
            std::string value;
            if (p->kind == ParamKind::Flag) {
                if (inline_value) return usage(&tool, "--" + std::string(word) + " takes no value" + see_help(&tool));
            } else if (inline_value) {
                value = std::string(arg.substr(arg.find('=') + 1));
            } else if (i + 1 < args.size() && i + 1 != skip) {
                value = std::string(args[++i]);
            } else {
                return usage(&tool, "--" + std::string(word) + " needs a value: " + forms_text(*p, tool.params, Audience::CommandLine));
            }
            const bool repeated = std::any_of(options.begin(), options.end(), [&](const auto& o) { return o.first == p->name; });
            if (repeated) return usage(&tool, "--" + std::string(word) + " is given twice");
            options.emplace_back(p->name, std::move(value));
        }
    }
    if (c.action != Action::Run) return c;

    const DialogFields* fields = tool.dialog;
    const std::size_t field_count =
        fields ? static_cast<std::size_t>(std::count_if(fields->params.begin(), fields->params.end(), [](const Param& p) { return p.positional; }))
               : 0;
    const bool read_whole = fields && positional.size() <= field_count && !first_partial(*fields, positional);
    c.form = fields && (dialog || read_whole) ? Form::DialogFields : Form::Entries;
    const std::span<const Param> params = c.form == Form::DialogFields ? fields->params : tool.params;
    for (auto& option : options) {
        const std::string& name = option.first;
        const auto at = std::find_if(params.begin(), params.end(), [&name](const Param& p) { return p.name == name; });
        if (at == params.end()) {
            std::string option = "--" + name;
            std::replace(option.begin(), option.end(), '_', '-');
            return usage(&tool, option + (dialog ? " goes without --dialog" : " goes only with --dialog") + see_help(&tool));
        }
        c.entries.emplace_back(at->name, std::move(option.second));
    }
    const std::vector<std::string> entries =
        c.form == Form::DialogFields ? std::vector<std::string>(positional.begin(), positional.end()) : joined_entries(params, positional);
    std::string error = place_entries(params, entries, c.entries, tool);
    // Plain numbers, too many for the dialog's fields: too many for them, as the dialog counts.
    if (!error.empty() && fields && c.form == Form::Entries && !first_partial(*fields, positional)) {
        Entries unused;
        error = place_entries(fields->params, std::vector<std::string>(positional.begin(), positional.end()), unused, tool);
    }
    // Fields the dialog reads only in part are no runner's entries either: say how the
    // dialog would read the first, and what to type instead.
    if (!error.empty() && fields && c.form == Form::Entries) {
        if (const auto at = first_partial(*fields, positional)) {
            const Param& field = fields->params[*at];
            const std::string_view typed = positional[*at];
            c.refusal = Refusal{&field, fields->params,
                                typed.size() > TEXT_LIMIT ? std::string(typed.substr(0, TEXT_LIMIT)) + "..." : std::string(typed),
                                "is read by the dialog as " + escaped(fields->partial_reading(*at, positional[*at])) +
                                    ", the rest ignored: type the race as runners write it, as in " + std::string(tool.name) +
                                    " " + std::string(tool.examples.front()) + ", or add --dialog to read the fields as the dialog does"};
            return c;
        }
    }
    if (!error.empty()) return usage(&tool, std::move(error));
    return c;
}

// The command line without --json, which any command line may carry (an error too).
CommandLine read_words(std::span<const std::string_view> args, bool asks_help, bool asks_version) {
    const std::size_t at = subcommand_index(args);
    if (at == args.size()) {
        if (asks_help) return {.action = Action::Help};
        if (asks_version) return {.action = Action::Version};
        for (const std::string_view arg : args)
            if (is_short_option(arg) && !is_help(arg) && !is_version(arg)) return usage(nullptr, "unknown option " + std::string(arg) + see_help(nullptr));
        return usage(nullptr, "no subcommand" + see_help(nullptr));
    }
    const std::string_view name = args[at];
    if (same_letters(name, HELP_WORD)) {
        const auto rest = args.subspan(at + 1);
        const std::size_t topic = subcommand_index(rest);
        if (topic == rest.size()) return {.action = Action::Help};
        const Tool* tool = tool_named(rest[topic]);
        if (!tool) return usage(nullptr, unknown_subcommand(rest[topic]));
        return {.action = Action::Help, .tool = tool};
    }
    const Tool* tool = tool_named(name);
    if (!tool) return usage(nullptr, unknown_subcommand(name));
    if (asks_help) return {.action = Action::Help, .tool = tool};
    return read_tool_arguments(*tool, args, at);
}

}  // namespace

CommandLine read_command_line(std::span<const std::string_view> args, std::string_view units) {
    if (!units.empty() && units != "km" && units != "mi")
        return usage(nullptr, "QUORRAN_UNITS is '" + std::string(units) + "': give km or mi, or leave it unset for miles");
    // Options end at "--", but one before the subcommand only marks where the subcommand is.
    const std::size_t at = subcommand_index(args);
    const auto first_end = std::find(args.begin() + static_cast<std::ptrdiff_t>(std::min(at, args.size())), args.end(), "--");
    const auto options_end = at < args.size() ? first_end : std::find(args.begin(), args.end(), "--");
    CommandLine c = read_words(args, std::any_of(args.begin(), options_end, is_help),
                               std::any_of(args.begin(), options_end, is_version));
    c.json = std::find(args.begin(), options_end, "--json") != options_end;
    // Units of km in the environment read bare values as the tool's unit flags do.
    if (units == "km" && c.action == Action::Run && c.form == Form::Entries) {
        for (auto& flag : unit_entries(*c.tool, Units::Km))
            if (std::none_of(c.entries.begin(), c.entries.end(), [&flag](const auto& e) { return e.first == flag.first; }))
                c.entries.push_back(std::move(flag));
    }
    return c;
}

}  // namespace quorran::cli
