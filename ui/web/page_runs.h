#pragma once

#include <deque>
#include <string>
#include <string_view>

#include "core/recorded/run_files.h"

// The run tool's files on the page: the one file the runner opened (picked, dropped, shared
// or opened from the system), whose bytes the page script read on the device, and the
// browser's own XML parser. The page parses a GPX or TCX with DOMParser and walks the
// document in slices, between which the page stays responsive, writing the core's XML
// events down as it goes (app.js, xmlEvents); parse() then replays them to the core's
// reader, in one go and quickly.
//
// The events cross as UTF-8, a record each, every text ended by a zero byte (which no XML
// text can hold):
//   D                          the document has a document type declaration
//   N address 0                a namespace's address, numbered from 0 in order
//   S ns 0 local 0 n 0         an element starts, with n attributes (n in decimal,
//     (ns 0 local 0 value 0)*  and ns the number of a namespace given before), and each
//                              attribute
//   T text 0                   text
//   E                          an element ends
//   X line 0 detail 0          the document is not well-formed (line 0: unknown); last
namespace quorran {

class PageRunFiles final : public RunFiles {
public:
    FileBytes read(std::string_view name, std::string& why_not) override;
    XmlParser* xml() override;
};

// Replays the records above to handler, a part at a time as the page writes them down:
// the namespaces numbered in one part hold in the parts after it. Nothing while the
// records go on; why the parse stopped once they say.
class XmlRecords {
public:
    std::optional<XmlStop> replay(std::string_view records, XmlHandler& handler);

private:
    std::deque<std::string> spaces_;  // a deque: a handler may keep a view of one
};

// Replays all the records above to handler; nothing when they end with the document.
std::optional<XmlStop> replay_xml_events(std::string_view records, XmlHandler& handler);

}  // namespace quorran
