#pragma once

#include <memory>

#include "core/recorded/xml_events.h"

// The XML parser of the platform built for: expat on Linux, XmlLite on Windows.
namespace quorran {

std::unique_ptr<XmlParser> platform_xml_parser();

}  // namespace quorran
