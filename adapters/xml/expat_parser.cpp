#include "adapters/xml/expat_parser.h"

#include <expat.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace quorran {
namespace {

// Between a name's namespace address and its local name in expat's names: no namespace
// address holds it, as XML forbids the character.
constexpr char SEPARATOR = '\x01';

struct Session {
    XML_Parser parser;
    XmlHandler& handler;
    std::vector<XmlAttribute> attributes;
    bool refused = false;
    std::size_t line = 0;  // where the event refused begins: once stopped, expat is past it

    void stop_unless(bool carry_on) {
        if (!carry_on && !refused) {
            refused = true;
            line = static_cast<std::size_t>(XML_GetCurrentLineNumber(parser));
            XML_StopParser(parser, XML_FALSE);
        }
    }
};

// "address\x01local", or "local" when the name has no namespace.
void split(const XML_Char* name, std::string_view& ns, std::string_view& local) {
    const std::string_view whole(name);
    const auto at = whole.rfind(SEPARATOR);
    ns = at == std::string_view::npos ? std::string_view() : whole.substr(0, at);
    local = at == std::string_view::npos ? whole : whole.substr(at + 1);
}

void XMLCALL on_start(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto& s = *static_cast<Session*>(data);
    if (s.refused) return;
    s.attributes.clear();
    for (const XML_Char** a = attributes; *a; a += 2) {
        XmlAttribute attribute;
        split(a[0], attribute.ns, attribute.local);
        attribute.value = a[1];
        s.attributes.push_back(attribute);
    }
    std::string_view ns, local;
    split(name, ns, local);
    s.stop_unless(s.handler.start_element(ns, local, s.attributes));
}

void XMLCALL on_end(void* data, const XML_Char*) {
    auto& s = *static_cast<Session*>(data);
    if (!s.refused) s.stop_unless(s.handler.end_element());
}

void XMLCALL on_text(void* data, const XML_Char* text, int length) {
    auto& s = *static_cast<Session*>(data);
    if (!s.refused) s.stop_unless(s.handler.text({text, static_cast<std::size_t>(length)}));
}

void XMLCALL on_doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    auto& s = *static_cast<Session*>(data);
    if (!s.refused) s.stop_unless(s.handler.document_type());
}

// Any entity declaration ends the parse too, should a document type ever get past.
void XMLCALL on_entity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                       const XML_Char*, const XML_Char*) {
    auto& s = *static_cast<Session*>(data);
    if (!s.refused) s.stop_unless(s.handler.document_type());
}

}  // namespace

std::optional<XmlStop> ExpatParser::parse(std::string_view document, XmlHandler& handler) {
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreateNS(nullptr, SEPARATOR),
                                                                              &XML_ParserFree);
    if (!parser) return XmlStop{false, "expat could not start", 0};
    Session session{parser.get(), handler, {}};
    XML_SetUserData(parser.get(), &session);
    XML_SetElementHandler(parser.get(), on_start, on_end);
    XML_SetCharacterDataHandler(parser.get(), on_text);
    XML_SetStartDoctypeDeclHandler(parser.get(), on_doctype);
    XML_SetEntityDeclHandler(parser.get(), on_entity);
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

    for (std::size_t at = 0;;) {
        const std::size_t length = std::min(PIECE, document.size() - at);
        const bool last = at + length == document.size();
        if (XML_Parse(parser.get(), document.data() + at, static_cast<int>(length), last) != XML_STATUS_OK) {
            if (session.refused) return XmlStop{true, {}, session.line};
            return XmlStop{false, XML_ErrorString(XML_GetErrorCode(parser.get())),
                           static_cast<std::size_t>(XML_GetCurrentLineNumber(parser.get()))};
        }
        if (last) return std::nullopt;
        at += length;
    }
}

}  // namespace quorran
