#include "ui/web/page_runs.h"

#include <emscripten.h>

#include <vector>

#include "core/recorded/last_reading.h"
#include "core/recorded/xml_run_reader.h"

namespace quorran {
namespace {

// The file the runner opened, as the page keeps it (Module.runs in app.js): its bytes if
// its name is the one asked for (a length of -1 if not), the number of its opening, and
// the XML events the page wrote down for it.
EM_JS(int, opened_length, (const char* name, int length), {
    return Module.runs.opened(UTF8ToString(name, length)) ? Module.runs.bytes().length : -1;
});
EM_JS(int, opened_number, (), { return Module.runs.number(); });
EM_JS(void, opened_bytes, (char* buffer), { HEAPU8.set(Module.runs.bytes(), buffer); });
EM_JS(int, events_length, (), { return Module.runs.events().length; });
EM_JS(void, events_bytes, (char* buffer), { HEAPU8.set(Module.runs.events(), buffer); });

// The text up to the next zero byte, which it passes.
std::string_view field(std::string_view& records) {
    const auto end = records.find('\0');
    const std::string_view text = records.substr(0, end);
    records.remove_prefix(end == std::string_view::npos ? records.size() : end + 1);
    return text;
}

std::size_t count(std::string_view digits) {
    std::size_t n = 0;
    for (char c : digits) n = n * 10 + static_cast<std::size_t>(c - '0');
    return n;
}

class PageXml final : public XmlParser {
public:
    std::optional<XmlStop> parse(std::string_view, XmlHandler& handler) override {
        std::string records(static_cast<std::size_t>(events_length()), '\0');
        events_bytes(records.data());
        return replay_xml_events(records, handler);
    }
};

PageXml page_xml;

// The bytes of the file opened, by the number of its opening: they cross from the page
// once, and the run tool is handed the same bytes each time it asks.
struct OpenedFile {
    int number = 0;
    FileBytes bytes;
};
OpenedFile opened_file;

}  // namespace

std::optional<XmlStop> replay_xml_events(std::string_view records, XmlHandler& handler) {
    return XmlRecords{}.replay(records, handler);
}

std::optional<XmlStop> XmlRecords::replay(std::string_view records, XmlHandler& handler) {
    std::vector<XmlAttribute> attributes;
    // A namespace by its number; one never given is a fault of the page, read as none.
    const auto space = [this](std::string_view number) {
        const std::size_t n = count(number);
        return n < spaces_.size() ? std::string_view(spaces_[n]) : std::string_view{};
    };
    while (!records.empty()) {
        const char kind = records.front();
        records.remove_prefix(1);
        bool go_on = true;
        switch (kind) {
            case 'D': go_on = handler.document_type(); break;
            case 'N': spaces_.emplace_back(field(records)); break;
            case 'S': {
                const std::string_view ns = space(field(records)), local = field(records);
                attributes.resize(count(field(records)));
                for (XmlAttribute& a : attributes) {
                    a.ns = space(field(records));
                    a.local = field(records);
                    a.value = field(records);
                }
                go_on = handler.start_element(ns, local, attributes);
                break;
            }
            case 'T': go_on = handler.text(field(records)); break;
            case 'E': go_on = handler.end_element(); break;
            default: {  // X: the document is not well-formed, and ends here
                const std::size_t line = count(field(records));
                return XmlStop{false, std::string(field(records)), line};
            }
        }
        if (!go_on) return XmlStop{true, {}, 0};
    }
    return std::nullopt;
}

FileBytes PageRunFiles::read(std::string_view name, std::string& why_not) {
    const int length = opened_length(name.data(), static_cast<int>(name.size()));
    if (length < 0) {
        why_not = "is not open on this page: choose it again";
        return nullptr;
    }
    if (const int number = opened_number(); !opened_file.bytes || opened_file.number != number) {
        std::string bytes(static_cast<std::size_t>(length), '\0');
        opened_bytes(bytes.data());
        opened_file = {number, std::make_shared<const std::string>(std::move(bytes))};
    }
    return opened_file.bytes;
}

XmlParser* PageRunFiles::xml() { return &page_xml; }

namespace {

// The run being read as the page walks its document (run_xml.js, feed), kept for the run
// tool once the page says the walk is over; so the reading is spread over the page's
// slices instead of coming all at once when the tool asks.
class PartRead {
public:
    explicit PartRead(std::size_t bytes) : reader_(RunLimits{}, bytes) {}
    // The records written down since the last part.
    void part(std::string_view records) {
        if (!stop_) stop_ = records_.replay(records, reader_);
    }
    // The walk is over: room for the file's bytes, which the page writes there itself (a
    // day's GPX is tens of megabytes, and a copy of them takes a while).
    char* bytes(std::size_t length) {
        bytes_.assign(length, '\0');
        return bytes_.data();
    }
    // The bytes written: the run tool will ask about them once the page has opened them
    // as its opening of that number.
    void end(int number) {
        auto bytes = std::make_shared<const std::string>(std::move(bytes_));
        if (!read_as_xml(*bytes)) return;
        last_reading().keep(bytes, &page_xml, reader_.finish(stop_));
        opened_file = {number, std::move(bytes)};
    }

private:
    RunXmlReader reader_;
    XmlRecords records_;
    std::optional<XmlStop> stop_;
    std::string bytes_;
};
std::optional<PartRead> part_read;

}  // namespace

}  // namespace quorran

using quorran::part_read;

// A walk begins (afresh, when the page parses the document again whole), for a file of bytes.
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_run_read_begin(int bytes) { part_read.emplace(static_cast<std::size_t>(bytes)); }

extern "C" EMSCRIPTEN_KEEPALIVE void quorran_run_read_part(const char* records, int length) {
    if (part_read) part_read->part({records, static_cast<std::size_t>(length)});
}

// Where the page writes the file's bytes once its walk is over; null when no walk began.
extern "C" EMSCRIPTEN_KEEPALIVE char* quorran_run_read_bytes(int length) {
    return part_read ? part_read->bytes(static_cast<std::size_t>(length)) : nullptr;
}

extern "C" EMSCRIPTEN_KEEPALIVE void quorran_run_read_end(int number) {
    if (part_read) part_read->end(number);
    part_read.reset();
}
