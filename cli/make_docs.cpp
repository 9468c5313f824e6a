// quorran-cli-docs: writes what the build installs beside quorran-cli from its tool table.
//   quorran-cli-docs man OUTPUT          the manual page, whole
//   quorran-cli-docs completion OUTPUT   the bash completion
#include <fstream>
#include <iostream>
#include <string_view>

#include "cli/help.h"
#include "cli/manual_page.h"

int main(int argc, char** argv) {
    const std::string_view what = argc > 1 ? argv[1] : "";
    std::string text;
    if (what == "man" && argc == 3) {
        text = quorran::cli::manual_page(QUORRAN_VERSION);
    } else if (what == "completion" && argc == 3) {
        text = quorran::cli::bash_completion();
    } else {
        std::cerr << "usage: quorran-cli-docs man OUTPUT | completion OUTPUT\n";
        return 2;
    }
    std::ofstream out(argv[2]);
    out << text;
    return out ? 0 : 1;
}
