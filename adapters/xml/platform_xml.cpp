#include "adapters/xml/platform_xml.h"

#ifdef QUORRAN_XMLLITE
#include "adapters/xml/xmllite_parser.h"
#else
#include "adapters/xml/expat_parser.h"
#endif

namespace quorran {

std::unique_ptr<XmlParser> platform_xml_parser() {
#ifdef QUORRAN_XMLLITE
    return std::make_unique<XmlLiteParser>();
#else
    return std::make_unique<ExpatParser>();
#endif
}

}  // namespace quorran
