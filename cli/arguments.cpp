#include "cli/arguments.h"

#include <algorithm>

namespace quorran::cli {
namespace {

constexpr std::string_view HELP_WORD = "help";

bool is_help(std::string_view arg) { return arg == "-h" || arg == "--help"; }

// "--" and more: an option. "-5" is an entry (a negative number), "-h" asks for help.
bool is_option(std::string_view arg) { return arg.size() > 2 && arg.starts_with("--"); }

std::string_view option_name(std::string_view arg) { return arg.substr(2, arg.find('=') - 2); }

// Whether some tool's option of this name takes a value: before the subcommand is
// known, that decides whether the next argument belongs to the option.
bool takes_value_somewhere(std::string_view name) {
    for (const Tool& tool : tools()) {
        const Param* p = find_param(tool, name);
        if (p && !p->positional && p->kind != ParamKind::Flag) return true;
    }
    return false;
}

// The index of the subcommand: the first argument that is neither an option nor an
// option's value, before any "--"; args.size() when there is none.
std::size_t subcommand_index(std::span<const std::string_view> args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--") break;
        if (is_option(arg)) {
            if (arg.find('=') == std::string_view::npos && takes_value_somewhere(option_name(arg))) ++i;
            continue;
        }
        if (!is_help(arg)) return i;
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

// The arguments other than the subcommand, read by the tool's params.
CommandLine read_tool_arguments(const Tool& tool, std::span<const std::string_view> args, std::size_t skip) {
    CommandLine c;
    c.tool = &tool;
    c.action = Action::Run;
    std::vector<std::string_view> positional;
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (i == skip) continue;
        if (options_ended || (!is_option(arg) && arg != "--")) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_ended = true;
        } else if (arg == "--json") {
        } else if (arg == "--version") {
            c.action = Action::Version;
        } else {
            const std::string_view name = option_name(arg);
            const Param* p = find_param(tool, name);
            if (!p || p->positional) return usage(&tool, "unknown option --" + std::string(name) + see_help(&tool));
            const bool inline_value = arg.find('=') != std::string_view::npos;
            std::string value;
            if (p->kind == ParamKind::Flag) {
                if (inline_value) return usage(&tool, "--" + std::string(name) + " takes no value" + see_help(&tool));
            } else if (inline_value) {
                value = std::string(arg.substr(arg.find('=') + 1));
            } else if (i + 1 < args.size() && i + 1 != skip) {
                value = std::string(args[++i]);
            } else {
                return usage(&tool, "--" + std::string(name) + " needs a value: " + std::string(p->forms));
            }
            const bool repeated = std::any_of(c.entries.begin(), c.entries.end(), [&](const auto& e) { return e.first == p->name; });
            if (repeated) return usage(&tool, "--" + std::string(name) + " is given twice");
            c.entries.emplace_back(p->name, std::move(value));
        }
    }
    if (c.action != Action::Run) return c;
    std::size_t next = 0;
    for (const Param& p : tool.params) {
        if (!p.positional) continue;
        if (next < positional.size()) {
            c.entries.emplace_back(p.name, std::string(positional[next++]));
        } else if (p.required) {
            return usage(&tool, "missing " + std::string(p.metavar) + see_help(&tool));
        }
    }
    if (next < positional.size())
        return usage(&tool, "unexpected '" + std::string(positional[next]) + "': too many entries" + see_help(&tool));
    return c;
}

// The command line without --json, which any command line may carry (an error too).
CommandLine read_words(std::span<const std::string_view> args, bool asks_help) {
    const std::size_t at = subcommand_index(args);
    if (at == args.size()) {
        if (asks_help) return {.action = Action::Help};
        if (std::find(args.begin(), args.end(), "--version") != args.end()) return {.action = Action::Version};
        return usage(nullptr, "no subcommand" + see_help(nullptr));
    }
    const std::string_view name = args[at];
    if (name == HELP_WORD) {
        const auto rest = args.subspan(at + 1);
        const std::size_t topic = subcommand_index(rest);
        if (topic == rest.size()) return {.action = Action::Help};
        const Tool* tool = find_tool(rest[topic]);
        if (!tool) return usage(nullptr, "unknown subcommand '" + std::string(rest[topic]) + "'" + see_help(nullptr));
        return {.action = Action::Help, .tool = tool};
    }
    const Tool* tool = find_tool(name);
    if (!tool) return usage(nullptr, "unknown subcommand '" + std::string(name) + "'" + see_help(nullptr));
    if (asks_help) return {.action = Action::Help, .tool = tool};
    return read_tool_arguments(*tool, args, at);
}

}  // namespace

CommandLine read_command_line(std::span<const std::string_view> args) {
    const auto options_end = std::find(args.begin(), args.end(), "--");
    CommandLine c = read_words(args, std::any_of(args.begin(), options_end, is_help));
    c.json = std::find(args.begin(), options_end, "--json") != options_end;
    return c;
}

}  // namespace quorran::cli
