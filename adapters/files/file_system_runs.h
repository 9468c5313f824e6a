#pragma once

#include <memory>

#include "core/recorded/run_files.h"

// The files a desktop program opens: by their names in the file system, "-" for standard
// input, with the platform's XML parser (expat on Linux, XmlLite on Windows).
namespace quorran {

class FileSystemRuns final : public RunFiles {
public:
    FileSystemRuns();
    ~FileSystemRuns() override;
    FileBytes read(std::string_view name, std::string& why_not) override;
    XmlParser* xml() override { return xml_.get(); }

private:
    std::unique_ptr<XmlParser> xml_;
};

}  // namespace quorran
