// quorran.exe: the calculator's dialog, or with --toolbox [TOOL [FILE]] the runner's
// toolbox alone (with a run's file opened: quorran.exe --toolbox run FILE). The process
// ends when its windows are closed: a toolbox opened from the dialog stays open after the
// dialog. The toolbox keeps its entries and unit setting in the user's registry
// (HKEY_CURRENT_USER\Software\Quorran\Toolbox).
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "adapters/files/file_system_runs.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/registry_memory.h"
#include "ui/win32/toolbox_window.h"
#include "ui/win32/wide_text.h"

namespace {

// The arguments after the program's name, as Windows splits the command line (a name in
// quotes may hold spaces), in UTF-8.
std::vector<std::string> arguments() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> all;
    for (int i = 1; words && i < count; ++i) all.push_back(quorran::narrow(words[i]));
    LocalFree(words);
    return all;
}

// A file's whole path, so that the name kept for the next run is read from anywhere.
std::string full_path(const std::string& name) {
    const std::wstring relative = quorran::wide(name);
    std::wstring path(GetFullPathNameW(relative.c_str(), 0, nullptr, nullptr), L'\0');
    path.resize(GetFullPathNameW(relative.c_str(), static_cast<DWORD>(path.size()), path.data(), nullptr));
    return path.empty() ? name : quorran::narrow(path);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const auto args = arguments();
    quorran::FileSystemRuns files;  // the run tool's files, read with XmlLite
    quorran::use_run_files(&files);
    quorran::RegistryMemory memory;
    if (!args.empty() && args[0] == "--toolbox") {
        const std::string file = args.size() > 2 ? full_path(args[2]) : std::string();
        quorran::open_toolbox(instance, memory, args.size() > 1 ? args[1] : std::string_view{}, file);
    } else {
        quorran::run_main_dialog(instance, memory);
    }
    quorran::run_toolbox();
    return 0;
}
