// The reader conformance suite on expat, the XML parser of Linux builds.
#include <gtest/gtest.h>

#include "adapters/xml/expat_parser.h"
#include "tests/reader_conformance.h"

namespace quorran {
namespace {

TEST(ExpatParser, ReadsEveryRunAsTheConformanceSuiteWants) {
    ExpatParser parser;
    for (const std::string& failure : testing::check_reader_conformance(parser)) ADD_FAILURE() << failure;
}

}  // namespace
}  // namespace quorran
