#include "cli/help.h"

#include <algorithm>
#include <vector>

namespace quorran::cli {
namespace {

constexpr std::size_t WIDTH = 80;

bool is_flag(const Param& p) { return p.kind == ParamKind::Flag; }
bool is_valued_option(const Param& p) { return !p.positional && !is_flag(p); }

std::string option_name(const Param& p) { return entry_name(p, Audience::CommandLine); }

// What an option's value is called: its choices, or its metavar.
std::string value_name(const Param& p) {
    if (p.kind != ParamKind::Choice) return std::string(p.metavar);
    std::string names;
    for (const Choice& c : p.choices) names.append(names.empty() ? "" : "|").append(c.value);
    return names;
}

// Words joined into lines of at most width characters, each begun with indent.
std::string wrapped(std::string_view text, std::size_t indent, std::size_t first_indent = 0) {
    std::string out(first_indent, ' '), line_start_pad(indent, ' ');
    std::size_t column = first_indent;
    bool line_empty = true;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        if (word.empty()) continue;
        if (!line_empty && column + 1 + word.size() > WIDTH) {
            out += "\n" + line_start_pad;
            column = indent;
            line_empty = true;
        }
        if (!line_empty) out += ' ', ++column;
        out += word;
        column += word.size();
        line_empty = false;
    }
    return out + "\n";
}

// Two columns: names, and what they mean wrapped beside them.
std::string listing(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::size_t width = 0;
    for (const auto& [name, _] : rows) width = std::max(width, name.size());
    width = std::min<std::size_t>(width, 24);
    std::string out;
    for (const auto& [name, text] : rows) {
        const std::size_t indent = 2 + width + 2;
        if (name.size() > width) out += "  " + name + "\n" + wrapped(text, indent, indent);
        else out += "  " + name + std::string(width - name.size() + 2, ' ') + wrapped(text, indent, indent).substr(indent);
    }
    return out;
}

std::string joined(const std::vector<std::string>& words, std::string_view between) {
    std::string out;
    for (const auto& w : words) out.append(out.empty() ? "" : between).append(w);
    return out;
}

}  // namespace

std::string option_usage(const Param& p) {
    std::string usage = option_name(p);
    if (!is_flag(p)) usage.append(" ").append(value_name(p));
    return usage;
}

std::string purpose_and_details(const Tool& tool) {
    std::string text(tool.purpose);
    if (!tool.details.empty()) text.append(" ").append(tool.details);
    return text;
}

std::string param_description(const Param& p, std::span<const Param> params) {
    std::string text = forms_text(p, params, Audience::CommandLine);
    if (!p.fallback.empty()) text += " (default " + std::string(p.fallback) + ")";
    return text;
}

std::string synopsis(const Tool& tool, bool dialog_fields) {
    const std::span<const Param> params = dialog_fields ? tool.dialog->params : tool.params;
    std::string text(tool.name), optional_tail;
    if (dialog_fields) text.append(" ").append(DIALOG_OPTION);
    for (const Param& p : params)
        if (is_flag(p)) text.append(" [").append(option_name(p)).append("]");
    for (const Param& p : params) {
        if (!p.positional) continue;
        text.append(p.required ? " " : " [").append(p.metavar);
        if (!p.required) optional_tail.append("]");
    }
    text.append(optional_tail);
    for (const Param& p : params)
        if (is_valued_option(p)) text.append(" [").append(option_usage(p)).append("]");
    return text;
}

std::string tool_help(const Tool& tool) {
    std::string out = "Usage: quorran-cli " + synopsis(tool) + " [--json]\n";
    if (tool.dialog) out += "       quorran-cli " + synopsis(tool, true) + " [--json]\n";
    out += "\n" + wrapped(purpose_and_details(tool), 0);
    std::vector<std::pair<std::string, std::string>> entries, options, fields;
    for (const Param& p : tool.params) {
        if (p.positional) entries.emplace_back(p.metavar, param_description(p, tool.params));
        else options.emplace_back(option_usage(p), param_description(p, tool.params));
    }
    if (tool.dialog) {
        options.emplace_back(DIALOG_OPTION, DIALOG_FIELDS_TEXT);
        for (const Param& p : tool.dialog->params)
            if (p.positional) fields.emplace_back(p.metavar, param_description(p, tool.dialog->params));
    }
    options.emplace_back("--json", "print one JSON object instead of text");
    options.emplace_back("-h, --help", "print this help");
    out += "\nEntries:\n" + listing(entries);
    if (!fields.empty()) out += "\nThe dialog's fields:\n" + listing(fields);
    out += "\nOptions:\n" + listing(options) + "\nExamples:\n";
    for (const std::string_view example : tool.examples) out += "  quorran-cli " + std::string(tool.name) + " " + std::string(example) + "\n";
    return out;
}

std::string program_help() {
    std::string out =
        "Usage: quorran-cli SUBCOMMAND [ENTRY...] [OPTION...] [--json]\n"
        "       quorran-cli help [SUBCOMMAND] | -h | --help | --version\n\n"
        "Pace, finish time and the runner's toolbox from a terminal.\n\nSubcommands:\n";
    std::vector<std::pair<std::string, std::string>> rows;
    for (const Tool& tool : tools()) rows.emplace_back(tool.name, tool.purpose);
    out += listing(rows) + "\n";
    out += wrapped(
        "Options go before or after the subcommand, as --option VALUE or --option=VALUE; -- ends them. Every "
        "subcommand takes --json for one JSON object and -h or --help for its entries. A bare distance, pace or "
        "speed is in miles unless QUORRAN_UNITS=km in the environment (or --km, --per-km). Exit status: 0 when "
        "answered, 1 when pace or finish has no answer (a zero distance or time) or standard output cannot be "
        "written, 2 for a usage error or a refused entry, with one line on standard error.", 0);
    return out;
}

std::string bash_completion() {
    std::vector<std::string> names;
    for (const Tool& tool : tools()) names.emplace_back(tool.name);
    std::string out =
        "# bash completion for quorran-cli, made from its tool table when it is built\n"
        "_quorran_cli() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} sub= word options= words= files=\n"
        "    for word in \"${COMP_WORDS[@]:1:COMP_CWORD-1}\"; do\n"
        "        case $word in\n"
        "            " + joined(names, " | ") + " | help) sub=$word; break ;;\n"
        "        esac\n"
        "    done\n"
        "    case $sub in\n"
        "        \"\") options=\"--help --version --json\" words=\"help " + joined(names, " ") + "\" ;;\n"
        "        help) words=\"" + joined(names, " ") + "\" ;;\n";
    for (const Tool& tool : tools()) {
        std::vector<std::string> options{"--json", "--help"}, words, free_values;
        std::string choice_cases;
        bool files = false;  // a file it reads: the names of files complete
        if (tool.dialog) options.emplace_back(DIALOG_OPTION);
        for (const Param& p : tool.params) {
            if (p.command_line_only) continue;
            if (!p.positional) options.push_back(option_name(p));
            std::vector<std::string> values;
            for (const Choice& c : p.choices) values.emplace_back(c.value);
            if (p.positional) words.insert(words.end(), values.begin(), values.end());
            if (p.positional && p.kind == ParamKind::File) files = true;
            else if (p.kind == ParamKind::Choice) choice_cases += "                " + option_name(p) + ") COMPREPLY=($(compgen -W \"" + joined(values, " ") + "\" -- \"$cur\")); return ;;\n";
            else if (!is_flag(p)) free_values.push_back(option_name(p));
        }
        out += "        " + std::string(tool.name) + ")\n            case $prev in\n" + choice_cases;
        if (!free_values.empty()) out += "                " + joined(free_values, " | ") + ") return ;;\n";
        out += "            esac\n            options=\"" + joined(options, " ") + "\" words=\"" + joined(words, " ") + "\"" + (files ? " files=1" : "") + " ;;\n";
    }
    out +=
        "    esac\n"
        "    if [[ $cur == -* ]]; then\n"
        "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
        "    elif [[ -n $files ]]; then\n"
        "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
        "    else\n"
        "        COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
        "    fi\n"
        "}\n"
        "complete -F _quorran_cli quorran-cli\n";
    return out;
}

}  // namespace quorran::cli
