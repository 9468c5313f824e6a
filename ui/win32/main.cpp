// quorran.exe: the calculator's dialog, or with --toolbox [TOOL] the runner's toolbox
// alone. The process ends when its windows are closed: a toolbox opened from the dialog
// stays open after the dialog. The toolbox keeps its entries and unit setting in the
// user's registry (HKEY_CURRENT_USER\Software\Quorran\Toolbox).
#include <windows.h>

#include <string_view>
#include <vector>

#include "adapters/files/file_system_runs.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/registry_memory.h"
#include "ui/win32/toolbox_window.h"

namespace {

// The words of the command line, each without the quotes around it, if any.
std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> all;
    for (std::size_t start = line.find_first_not_of(' '); start != std::string_view::npos;) {
        const std::size_t end = line.find(' ', start);
        std::string_view word = line.substr(start, end - start);
        if (word.size() >= 2 && word.front() == '"' && word.back() == '"') word = word.substr(1, word.size() - 2);
        all.push_back(word);
        start = line.find_first_not_of(' ', end);
    }
    return all;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    const auto args = words(command_line);
    quorran::FileSystemRuns files;  // the run tool's files, read with XmlLite
    quorran::use_run_files(&files);
    quorran::RegistryMemory memory;
    if (!args.empty() && args[0] == "--toolbox") {
        quorran::open_toolbox(instance, memory, args.size() > 1 ? args[1] : std::string_view{});
    } else {
        quorran::run_main_dialog(instance, memory);
    }
    quorran::run_toolbox();
    return 0;
}
