// Fuzzes quorran-cli's whole run, from its argument list to what it prints and its exit
// status, in one process.
//
// Input: a list of arguments, each ended by a 0xff byte. Each begins with a byte: below
// 0x80 it picks a word of the tool table (a subcommand, an option with or without "=", a
// choice, an example entry, help's words), to which the bytes after it are appended;
// 0xfe stands for nothing, so the argument is the bytes after it alone; any other byte
// begins the argument itself.
//
// Whatever the arguments: the exit status is 0, 1 or 2; every line of standard error
// begins "quorran-cli: "; status 2 ends standard error with one line that is no note and
// prints nothing, or with --json one JSON object of status "refused" or "usage"; status 1
// ends it with the dialog's warning, standard output empty or a JSON "warning"; status 0
// prints something and standard error holds notes at most.
#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/program.h"
#include "core/dialog/messages.h"
#include "core/toolbox/tool_list.h"
#include "core/toolbox/tool_runner.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace quorran;

// Every word the table gives the command line, and the command line's own.
std::vector<std::string> table_words() {
    std::vector<std::string> words{"--", "-h", "--help", "help", "--json", "--version", "-5", ""};
    for (const Tool& tool : tools()) {
        words.emplace_back(tool.name);
        for (const Param& p : tool.params) {
            if (!p.positional) words.push_back("--" + std::string(p.name)), words.push_back("--" + std::string(p.name) + "=");
            for (const Choice& c : p.choices) words.emplace_back(c.value);
            if (!p.example.empty()) words.emplace_back(p.example);
            if (!p.fallback.empty()) words.emplace_back(p.fallback);
        }
        for (std::string_view example : tool.examples)
            for (std::size_t end; !example.empty(); example.remove_prefix(end == example.npos ? example.size() : end + 1))
                words.emplace_back(example.substr(0, end = example.find(' ')));
    }
    return words;
}

std::vector<std::string> arguments(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> WORDS = table_words();
    std::vector<std::string> args;
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t tag = data[i++];
        std::string arg = tag < 0x80 ? WORDS[tag % WORDS.size()] : tag == 0xfe ? "" : std::string(1, static_cast<char>(tag));
        while (i < size && data[i] != 0xff) arg += static_cast<char>(data[i++]);
        ++i;
        args.push_back(std::move(arg));
    }
    return args;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool is_note(std::string_view line) { return line.starts_with("quorran-cli: note: "); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = arguments(data, size);
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out, err;
    const int status = cli::run_program(views, out, err);

    // --json before any -- asks for JSON. One after a -- may too: a -- before the subcommand
    // only marks it, and whether a -- comes before the subcommand depends on which options
    // before it take a value. Without --json, no JSON.
    const auto dashes = std::find(args.begin(), args.end(), "--");
    const bool json = std::find(args.begin(), dashes, "--json") != dashes;
    const bool maybe_json = json || std::find(dashes, args.end(), "--json") != args.end();
    std::string shown;
    for (const auto& arg : args) shown += " [" + fuzz::escaped(arg) + "]";
    const std::string detail = "arguments:" + shown + "\nexit " + std::to_string(status) + "\nstdout: " +
                               fuzz::escaped(out.str()) + "\nstderr: " + fuzz::escaped(err.str());

    const auto errors = lines_of(err.str());
    for (const auto& line : errors) FUZZ_CHECK(line.starts_with("quorran-cli: "), detail);
    const std::string& printed = out.str();
    const bool one_json_line = printed.starts_with("{\"tool\":") && printed.ends_with("}\n") &&
                               printed.find('\n') == printed.size() - 1;
    const bool help = printed.starts_with("Usage: quorran-cli ");
    switch (status) {
        case cli::ANSWERED:
            FUZZ_CHECK(!printed.empty(), detail);
            for (const auto& line : errors) FUZZ_CHECK(is_note(line), detail);
            FUZZ_CHECK(!json || help || one_json_line || printed.starts_with("quorran-cli "), detail);
            FUZZ_CHECK(maybe_json || !one_json_line, detail);
            break;
        case cli::NO_ANSWER:
            FUZZ_CHECK(!errors.empty() && (errors.back().ends_with(DISTANCE_ZERO_WARNING) ||
                                           errors.back().ends_with(TIME_ZERO_WARNING)), detail);
            FUZZ_CHECK(one_json_line ? maybe_json && printed.find("\"status\":\"warning\"") != std::string::npos
                                     : !json && printed.empty(), detail);
            break;
        case cli::REFUSED:
            FUZZ_CHECK(!errors.empty() && !is_note(errors.back()), detail);
            FUZZ_CHECK(one_json_line ? maybe_json && (printed.find("\"status\":\"refused\"") != std::string::npos ||
                                                      printed.find("\"status\":\"usage\"") != std::string::npos)
                                     : !json && printed.empty(), detail);
            break;
        default: FUZZ_CHECK(false, detail);
    }
    return 0;
}
