#pragma once

#include "core/recorded/xml_events.h"

// The XML parser of Linux builds: expat, with namespace processing. A document type
// declaration is reported at its "<!DOCTYPE" and the parse stops there, before expat reads
// any declaration inside it; expat is fed in small pieces, so its buffer stays small
// whatever the document's size.
namespace quorran {

class ExpatParser final : public XmlParser {
public:
    std::optional<XmlStop> parse(std::string_view document, XmlHandler& handler) override;
};

}  // namespace quorran
