#pragma once

#include <cstddef>

#include "core/recorded/xml_events.h"

// The XML parser of Linux builds: expat, with namespace processing. A document type
// declaration is reported at its "<!DOCTYPE" and the parse stops there, before expat reads
// any declaration inside it; expat is fed in small pieces, so its buffer stays small
// whatever the document's size.
namespace quorran {

class ExpatParser final : public XmlParser {
public:
    // Expat copies what it is given into its own buffer: small pieces keep that buffer small.
    static constexpr std::size_t PIECE = 64 * 1024;

    std::optional<XmlStop> parse(std::string_view document, XmlHandler& handler) override;
};

}  // namespace quorran
