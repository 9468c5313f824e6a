#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/recorded/xml_events.h"

// Where the run tool finds the bytes of a file a runner names, and the XML parser of the
// platform: only a program knows them (the command line: the file system, "-" for
// standard input, expat or XmlLite; a window: the files opened; the page: the files
// picked and the browser's parser). Each program says once, at its start.
namespace quorran {

// A file's bytes, shared: a program that keeps a file it has opened hands the same bytes
// each time they are asked for, and the run read from them is found again without
// comparing them (for a day's GPX, tens of megabytes).
using FileBytes = std::shared_ptr<const std::string>;

class RunFiles {
public:
    virtual ~RunFiles() = default;
    // The bytes of the file of that name; null, with why_not in words ("no such file"),
    // when there are none.
    virtual FileBytes read(std::string_view name, std::string& why_not) = 0;
    // The XML parser for GPX and TCX; null where there is none.
    virtual XmlParser* xml() = 0;
};

// The program's files; null until it says (then every file is refused, saying so).
void use_run_files(RunFiles* files);
RunFiles* run_files();

}  // namespace quorran
