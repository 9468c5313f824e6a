// The reader conformance suite on XmlLite, the XML parser of Windows builds, loaded from
// xmllite.dll as the program loads it.
#include <cstdio>

#include "adapters/xml/xmllite_parser.h"
#include "tests/reader_conformance.h"

int main() {
    quorran::XmlLiteParser parser;
    const auto failures = quorran::testing::check_reader_conformance(parser);
    for (const auto& failure : failures) std::printf("FAILED: %s\n", failure.c_str());
    std::printf("%s\n", failures.empty() ? "XmlLite: every check passed" : "XmlLite: some checks failed");
    return failures.empty() ? 0 : 1;
}
