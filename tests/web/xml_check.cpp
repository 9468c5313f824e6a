// The page's XML driver (ui/web/run_xml.js: the browser's DOMParser, its document walked
// into the core's XML events) reading every GPX and TCX sample of tests/runs/xml as the
// run or refusal of tests/runs/expected. A DOM keeps no lines, so a refusal's line is
// left out where the driver cannot give one. The browser test (app_test.mjs) runs this
// in a page and reads window.xmlChecks.
#include <emscripten.h>

#include <regex>
#include <string>
#include <vector>

#include "core/recorded/read_run.h"
#include "core/recorded/run_text.h"
#include "tests/embedded_files.h"
#include "ui/web/page_runs.h"

namespace {

using namespace quorran;

EM_JS(int, driven_length, (const char* bytes, int length), {
    const reader = Module.xmlEvents(HEAPU8.slice(bytes, bytes + length));
    while (!reader.step(1e9)) {}
    Module.driven = reader.events();
    return Module.driven.length;
});
EM_JS(void, driven_events, (char* buffer), { HEAPU8.set(Module.driven, buffer); });
EM_JS(void, report, (const char* json), { window.xmlChecks = JSON.parse(UTF8ToString(json)); });

class BrowserXml final : public XmlParser {
public:
    std::optional<XmlStop> parse(std::string_view document, XmlHandler& handler) override {
        std::string records(static_cast<std::size_t>(driven_length(document.data(), static_cast<int>(document.size()))), '\0');
        driven_events(records.data());
        return replay_xml_events(records, handler);
    }
};

std::string json_string(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        if (c == '\n') quoted += "\\n";
        else quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

int main() {
    BrowserXml parser;
    const std::regex line("line [0-9]+: ");
    std::vector<std::string> failures;
    int samples = 0;
    for (const testing::EmbeddedFile& file : testing::embedded_files()) {
        if (!file.name.starts_with("xml/")) continue;
        ++samples;
        const std::string name(file.name.substr(4));
        std::string expected(testing::embedded_file("expected/" + name + ".txt"));
        const std::string got = reading_text(read_run(file.bytes, &parser));
        if (got.find("line ") == std::string::npos) expected = std::regex_replace(expected, line, "");
        if (got != expected) failures.push_back(name + ": got\n" + got + "\nnot\n" + expected);
    }
    if (samples < 20) failures.push_back("only " + std::to_string(samples) + " XML samples");
    std::string json = "[";
    for (const std::string& f : failures) json += (json.size() > 1 ? "," : "") + json_string(f);
    report((json + "]").c_str());
}
