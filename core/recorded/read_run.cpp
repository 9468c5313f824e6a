#include "core/recorded/read_run.h"

#include "core/recorded/fit_reader.h"
#include "core/recorded/xml_run_reader.h"

namespace quorran {
namespace {

// An XML document starts with a byte-order mark, or with "<" after blanks, in UTF-8 or
// UTF-16 (where every other byte of "<" is zero).
bool looks_like_xml(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
    if (bytes.starts_with(std::string_view("<\0", 2)) || bytes.starts_with(std::string_view("\0<", 2))) return true;
    const auto first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '<';
}

RunReading refused(std::string what) { return {std::nullopt, RunRefusal{std::move(what), std::nullopt, std::nullopt, {}}}; }

}  // namespace

std::string RunRefusal::message() const {
    std::string text = line ? "line " + std::to_string(*line) + ": " : byte ? "byte " + std::to_string(*byte) + ": " : "";
    text += what;
    if (!detail.empty()) text += " (" + detail + ")";
    return text;
}

RunReading read_run(std::string_view bytes, XmlParser* xml, const RunLimits& limits) {
    if (bytes.empty()) return refused("the file is empty");
    if (bytes.size() > limits.max_bytes)
        return refused("the file is larger than " + std::to_string(limits.max_bytes) + " bytes, the most a run is read from");
    if (looks_like_fit(bytes)) return read_fit(bytes, limits);
    if (!looks_like_xml(bytes))
        return refused("the file is neither FIT (no \".FIT\" at its bytes 8 to 11) nor XML such as GPX or TCX");
    if (!xml) return refused("the file is XML (GPX or TCX), and this program has no XML parser to read it");
    RunXmlReader reader(limits, bytes.size());
    const auto stop = xml->parse(bytes, reader);
    return reader.finish(stop);
}

bool read_as_xml(std::string_view bytes, const RunLimits& limits) {
    return !bytes.empty() && bytes.size() <= limits.max_bytes && !looks_like_fit(bytes) && looks_like_xml(bytes);
}

}  // namespace quorran
