#include "adapters/files/file_system_runs.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>
#include <utility>

#include "adapters/xml/platform_xml.h"
#include "core/recorded/read_run.h"

namespace quorran {
namespace {

// A file larger than a run can be is refused before it is read, not after.
FileBytes too_big(std::string& why_not) {
    why_not = "is larger than a run can be (" + std::to_string(RunLimits{}.max_bytes >> 20) + " MB)";
    return nullptr;
}

FileBytes read_all(std::istream& in, std::string& why_not) {
    const std::size_t most = RunLimits{}.max_bytes;
    std::string bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > most) return too_big(why_not);
    }
    if (in.bad()) {
        why_not = "cannot be read";
        return nullptr;
    }
    return std::make_shared<const std::string>(std::move(bytes));
}

}  // namespace

FileSystemRuns::FileSystemRuns() : xml_(platform_xml_parser()) {}
FileSystemRuns::~FileSystemRuns() = default;

FileBytes FileSystemRuns::read(std::string_view name, std::string& why_not) {
    if (name == "-") {
        std::cin.tie(nullptr);
        return read_all(std::cin, why_not);
    }
    const std::filesystem::path path{std::u8string(name.begin(), name.end())};
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        why_not = "cannot be found: there is no such file";
        return nullptr;
    }
    if (std::filesystem::is_directory(status)) {
        why_not = "is a folder, not a file";
        return nullptr;
    }
    if (std::filesystem::is_regular_file(status) && std::filesystem::file_size(path, error) > RunLimits{}.max_bytes)
        return too_big(why_not);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why_not = "cannot be opened";
        return nullptr;
    }
    return read_all(in, why_not);
}

}  // namespace quorran
