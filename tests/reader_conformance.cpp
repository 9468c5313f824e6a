#include "tests/reader_conformance.h"

#include <algorithm>
#include <chrono>
#include <sstream>
#include <utility>

#include "core/recorded/read_run.h"
#include "core/recorded/run_text.h"
#include "tests/embedded_files.h"

namespace quorran::testing {
namespace {

using Texts = std::vector<std::string>;

// The events as lines, texts run together as a DOM holds them.
class EventLog final : public XmlHandler {
public:
    Texts lines;
    int refuse_at = -1;  // the event (from 0) answered false
    int events = 0;

    bool document_type() override { return add("doctype"); }
    bool start_element(std::string_view ns, std::string_view local, std::span<const XmlAttribute> attributes) override {
        std::string line = "start {" + std::string(ns) + "}" + std::string(local);
        for (const XmlAttribute& a : attributes)
            line += " {" + std::string(a.ns) + "}" + std::string(a.local) + "=" + std::string(a.value);
        return add(line);
    }
    bool text(std::string_view text) override {
        if (!lines.empty() && lines.back().starts_with("text ")) {
            lines.back() += text;
            return ++events != refuse_at + 1;
        }
        return add("text " + std::string(text));
    }
    bool end_element() override { return add("end"); }

private:
    bool add(std::string line) {
        lines.push_back(std::move(line));
        return ++events != refuse_at + 1;
    }
};

// Where two texts first differ, line by line.
std::string first_difference(const std::string& got, const std::string& expected) {
    std::istringstream a(got), b(expected);
    std::string x, y;
    for (int line = 1;; ++line) {
        const bool more_a = static_cast<bool>(std::getline(a, x)), more_b = static_cast<bool>(std::getline(b, y));
        if (!more_a && !more_b) return "the same";
        if (!more_a || !more_b || x != y)
            return "line " + std::to_string(line) + "\n    got:      " + (more_a ? x : "(nothing)") +
                   "\n    expected: " + (more_b ? y : "(nothing)");
    }
}

std::string gpx_with_point(const std::string& inside, int points = 1) {
    std::string text = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n<trk><trkseg>\n";
    for (int i = 0; i < points; ++i)
        text += "<trkpt lat=\"1\" lon=\"2\"><time>2024-05-01T07:00:0" + std::to_string(i) + "Z</time>" + inside + "</trkpt>\n";
    return text + "</trkseg></trk>\n</gpx>\n";
}

}  // namespace

Texts check_reader_conformance(XmlParser& parser) {
    Texts failures;
    const auto check = [&failures](bool ok, const std::string& what) { if (!ok) failures.push_back(what); };

    // The events, as the interface defines them: namespaces resolved whatever the prefix,
    // namespace declarations left out, references and CDATA as text, no comments or
    // processing instructions, an empty element's end.
    EventLog log;
    const char* document =
        "<?xml version=\"1.0\"?>\n<?note data?>\n<r xmlns=\"urn:a\" xmlns:b=\"urn:b\" b:x=\"1\" y=\"2&amp;3\">"
        "<!-- a comment --><b:e/><e>t&#x41;&lt;<![CDATA[<c>]]></e><f xmlns=\"\">u</f></r>";
    check(!parser.parse(document, log) &&
              log.lines == Texts{"start {urn:a}r {urn:b}x=1 {}y=2&3", "start {urn:b}e", "end", "start {urn:a}e", "text tA<<c>",
                                 "end", "start {}f", "text u", "end", "end"},
          "events of a document");
    // After an event answers false, nothing more, and the stop says so with the line where
    // that event's node begins (the lines are broken inside tags, so there is no text
    // between the elements).
    for (const auto& [refused, line] : {std::pair{0, 1u}, {1, 2u}, {3, 3u}, {4, 4u}}) {
        EventLog stopping;
        stopping.refuse_at = refused;
        const auto stop = parser.parse("<r\n><a\n/><b\n>text</b></r>", stopping);
        check(stop && stop->refused && stopping.events == refused + 1 && stop->line == line,
              "stop at event " + std::to_string(refused));
    }
    EventLog doctype;
    doctype.refuse_at = 0;
    const auto stop = parser.parse("<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY e \"x\">]>\n<r>&e;</r>", doctype);
    check(stop && stop->refused && stop->line == 2 && doctype.lines == Texts{"doctype"}, "a document type, reported and refused");

    // Every sample gives its expected run or refusal.
    int samples = 0;
    for (const EmbeddedFile& file : embedded_files()) {
        if (!file.name.starts_with("xml/")) continue;
        ++samples;
        const std::string name(file.name.substr(4));
        const std::string_view expected = embedded_file("expected/" + name + ".txt");
        const std::string got = reading_text(read_run(file.bytes, &parser));
        check(!expected.empty(), name + ": no expected run in tests/runs/expected");
        if (!expected.empty() && got != expected)
            failures.push_back(name + " differs from its expected run at " + first_difference(got, std::string(expected)));
    }
    check(samples >= 20, "only " + std::to_string(samples) + " XML samples embedded");

    // An entity bomb is refused at once: the fastest of five readings, so that a busy
    // machine's pause does not count.
    const std::string_view bomb = embedded_file("xml/entity-bomb.gpx");
    auto fastest = std::chrono::steady_clock::duration::max();
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const bool refused = !read_run(bomb, &parser).run;
        fastest = std::min(fastest, std::chrono::steady_clock::now() - start);
        check(refused, "entity bomb refused");
    }
    check(fastest < std::chrono::milliseconds(10),
          "entity bomb refused in " + std::to_string(std::chrono::duration<double, std::milli>(fastest).count()) + " ms");

    // The limits, each just beside it.
    std::string nested = "<extensions>", closing = "</extensions>";
    for (int depth = 6; depth <= 64; ++depth) nested += "<x>", closing = "</x>" + closing;  // trkpt is at depth 4
    RunLimits limits;
    check(read_run(gpx_with_point(nested + closing), &parser, limits).run.has_value(), "64 elements deep");
    const RunReading deep = read_run(gpx_with_point(nested + "<x/>" + closing), &parser, limits);
    check(!deep.run && deep.refusal.message() == "line 4: the elements are nested more than 64 deep", "65 elements deep");
    const std::string value = "<ele>1" + std::string(limits.max_value - 1, ' ');
    check(read_run(gpx_with_point(value + "</ele>"), &parser, limits).run.has_value(), "a value of 256 characters");
    const RunReading long_value = read_run(gpx_with_point(value + " </ele>"), &parser, limits);
    check(!long_value.run && long_value.refusal.message() == "line 4: ele holds more than 256 characters",
          "a value of 257 characters");
    limits.max_points = 2;
    check(read_run(gpx_with_point("", 2), &parser, limits).run.has_value(), "2 points of at most 2");
    const RunReading many = read_run(gpx_with_point("", 3), &parser, limits);
    check(!many.run && many.refusal.message() == "line 6: the file holds more than 2 points", "3 points of at most 2");
    return failures;
}

}  // namespace quorran::testing
