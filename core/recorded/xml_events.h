#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The few events a recorded run's XML is read from, so that what GPX and TCX mean is
// written once, in the core, whichever parser reads the document: expat on Linux,
// XmlLite on Windows, the browser's DOMParser on the page.
//
// An adapter reports, in document order:
//   - document_type() when the document has a document type declaration, as soon as it
//     meets "<!DOCTYPE" and before anything inside it is read. The handler refuses it, and
//     the adapter stops there: no entity a DTD declares is ever expanded and no external
//     one is fetched, so entity bombs and external entities never get a chance;
//   - start_element() with the element's namespace address ("" for none) and local name,
//     its prefix resolved away, and its attributes (namespace declarations left out);
//   - text() for character data and CDATA sections, with character references and the
//     five predefined entities resolved. Text may come in pieces;
//   - end_element() for each element's end, an empty element's too.
// Comments, processing instructions and the XML declaration are not reported. Every text
// is UTF-8, whatever the document's encoding. Once an event answers false the adapter
// reports nothing more and returns an XmlStop with `refused` set.
//
// A page script can drive the same handler from a DOMParser document: document_type() if
// document.doctype is set, then a walk of the tree calling start_element() with each
// element's namespaceURI (null as "") and localName and its attributes other than xmlns
// ones, text() with each Text and CDATASection node's data, and end_element() after an
// element's children. A DOM keeps no lines, so such a driver gives 0 for the line.
namespace quorran {

struct XmlAttribute {
    std::string_view ns;     // namespace address, "" for an unprefixed attribute
    std::string_view local;
    std::string_view value;  // UTF-8, references resolved
};

class XmlHandler {
public:
    // Each answers false to stop the parse at once.
    virtual bool document_type() = 0;
    virtual bool start_element(std::string_view ns, std::string_view local, std::span<const XmlAttribute> attributes) = 0;
    virtual bool text(std::string_view text) = 0;
    virtual bool end_element() = 0;

protected:
    ~XmlHandler() = default;
};

// Why a parse ended before the document's end, and where.
struct XmlStop {
    bool refused = false;  // an event answered false; otherwise the document is not well-formed
    std::string detail;    // the parser's own words, when it found the fault
    std::size_t line = 0;  // of the event refused or of the fault, from 1; 0 when the parser cannot say
};

class XmlParser {
public:
    virtual ~XmlParser() = default;
    // Parses a whole document given as the file's bytes, in the encoding its byte-order
    // mark or declaration names (UTF-8 and UTF-16 at least), reporting to handler. Nothing
    // when the document was read to its end.
    virtual std::optional<XmlStop> parse(std::string_view document, XmlHandler& handler) = 0;
};

}  // namespace quorran
