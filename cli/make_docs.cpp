// quorran-cli-docs: writes what the build installs beside quorran-cli from its tool table.
//   quorran-cli-docs man TEMPLATE OUTPUT     the manual page
//   quorran-cli-docs completion OUTPUT       the bash completion
#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>

#include "cli/help.h"

int main(int argc, char** argv) {
    const std::string_view what = argc > 1 ? argv[1] : "";
    std::string text;
    if (what == "man" && argc == 4) {
        std::ifstream in(argv[2]);
        std::stringstream page;
        page << in.rdbuf();
        text = quorran::cli::manual_page(page.str());
    } else if (what == "completion" && argc == 3) {
        text = quorran::cli::bash_completion();
    } else {
        std::cerr << "usage: quorran-cli-docs man TEMPLATE OUTPUT | completion OUTPUT\n";
        return 2;
    }
    std::ofstream out(argv[argc - 1]);
    out << text;
    return out ? 0 : 1;
}
