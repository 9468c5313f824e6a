#pragma once

#include <optional>
#include <string>

#include "core/recorded/read_run.h"
#include "core/recorded/run_files.h"

// The run read last, kept with its file's bytes. A runner who changes the split length, the
// plan or the units asks again about the same file; its run is then not read again, which
// for a day's GPX is most of the work. Other bytes, or another parser, are read afresh. A
// program that reads a file as it arrives (the page, a part at a time) keeps its reading
// here, for the run tool to find. The very bytes kept, handed again, are not compared.
namespace quorran {

class LastReading {
public:
    // The reading of bytes through xml, as read_run() gives it; valid until the next call.
    const RunReading& read(FileBytes bytes, XmlParser* xml);
    // Keeps the reading of bytes through xml, as read() would have given it.
    void keep(FileBytes bytes, XmlParser* xml, RunReading reading);

private:
    FileBytes bytes_;
    XmlParser* xml_ = nullptr;
    std::optional<RunReading> reading_;
};

// The program's one: the run tool's.
LastReading& last_reading();

}  // namespace quorran
