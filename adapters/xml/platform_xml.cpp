#include "adapters/xml/platform_xml.h"

#if defined(QUORRAN_XMLLITE)
#include "adapters/xml/xmllite_parser.h"
#elif !defined(QUORRAN_NO_XML)
#include "adapters/xml/expat_parser.h"
#endif

namespace quorran {

std::unique_ptr<XmlParser> platform_xml_parser() {
#if defined(QUORRAN_XMLLITE)
    return std::make_unique<XmlLiteParser>();
#elif defined(QUORRAN_NO_XML)
    return nullptr;
#else
    return std::make_unique<ExpatParser>();
#endif
}

}  // namespace quorran
