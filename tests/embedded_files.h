#pragma once

#include <string_view>
#include <vector>

// Files the tests read, built into the test program (cmake/embed_files.cmake).
namespace quorran::testing {

struct EmbeddedFile {
    std::string_view name;   // its path under the folder embedded: "fit/garmin-fenix-5-run.fit"
    std::string_view bytes;
};

const std::vector<EmbeddedFile>& embedded_files();

// The bytes of the file of that name; empty when there is none.
inline std::string_view embedded_file(std::string_view name) {
    for (const EmbeddedFile& file : embedded_files())
        if (file.name == name) return file.bytes;
    return {};
}

}  // namespace quorran::testing
