#pragma once

#include "core/recorded/xml_events.h"

// The XML parser of Windows builds: XmlLite, part of Windows, loaded from xmllite.dll when
// the first parser is made, so the program imports nothing more. Document types are
// prohibited (DtdProcessing_Prohibit): XmlLite stops at "<!DOCTYPE" and this adapter
// reports it as document_type().
namespace quorran {

class XmlLiteParser final : public XmlParser {
public:
    std::optional<XmlStop> parse(std::string_view document, XmlHandler& handler) override;
};

}  // namespace quorran
