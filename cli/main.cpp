// quorran-cli: every tool of the table from a terminal. One reader takes the arguments,
// the tool answers with a report, and one renderer prints it as text or JSON.
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

#include "adapters/files/file_system_runs.h"
#include "cli/program.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    quorran::FileSystemRuns files;
    quorran::use_run_files(&files);
    const char* units = std::getenv("QUORRAN_UNITS");
    const int status = quorran::cli::run_program(args, std::cout, std::cerr, units ? units : "");
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "quorran-cli: cannot write to standard output\n";
        return quorran::cli::NO_ANSWER;
    }
    return status;
}
