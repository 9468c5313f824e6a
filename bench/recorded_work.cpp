#include "bench/recorded_work.h"

#include <expat.h>

#include <algorithm>
#include <span>

#include "adapters/xml/expat_parser.h"
#include "core/recorded/analysis.h"
#include "core/recorded/read_run.h"

namespace quorran::bench {
namespace {

class IgnoringHandler final : public XmlHandler {
public:
    bool document_type() override { return false; }
    bool start_element(std::string_view, std::string_view local, std::span<const XmlAttribute>) override {
        sink += static_cast<double>(local.size());
        return true;
    }
    bool text(std::string_view text) override {
        sink += static_cast<double>(text.size());
        return true;
    }
    bool end_element() override { return true; }
    double sink = 0;
};

}  // namespace

std::optional<double> do_work(Work work, std::string_view bytes) {
    switch (work) {
    case Work::ExpatAlone: {
        const XML_Parser parser = XML_ParserCreate(nullptr);
        bool ok = parser != nullptr;
        for (std::size_t at = 0; ok && at < bytes.size(); at += ExpatParser::PIECE) {
            const std::size_t length = std::min(ExpatParser::PIECE, bytes.size() - at);
            ok = XML_Parse(parser, bytes.data() + at, static_cast<int>(length), at + length == bytes.size()) ==
                 XML_STATUS_OK;
        }
        const double line = ok ? static_cast<double>(XML_GetCurrentLineNumber(parser)) : 0;
        XML_ParserFree(parser);
        if (!ok) return std::nullopt;
        return line;
    }
    case Work::EventsIgnored: {
        IgnoringHandler handler;
        if (ExpatParser().parse(bytes, handler)) return std::nullopt;
        return handler.sink;
    }
    case Work::Read:
    case Work::ReadAndAnalyse: {
        ExpatParser parser;
        const RunReading reading = read_run(bytes, &parser);
        if (!reading.run) return std::nullopt;
        if (work == Work::Read) return static_cast<double>(reading.run->points.size());
        return analyse_run(*reading.run).moving;
    }
    }
    return std::nullopt;
}

}  // namespace quorran::bench
