// quorran-web-shortcuts: prints the web app manifest's shortcuts as JSON, one for each
// tool named on the command line, titled and described as the tool table does, each
// opening its tool's screen. A name the table does not know stops the build.
#include <iostream>
#include <string>

#include "core/toolbox/json_writer.h"
#include "core/toolbox/tool_list.h"

int main(int argc, char** argv) {
    quorran::JsonWriter j;
    j.begin_array();
    for (int i = 1; i < argc; ++i) {
        const quorran::Tool* tool = quorran::find_tool(argv[i]);
        if (!tool) {
            std::cerr << "quorran-web-shortcuts: no tool is named " << argv[i] << '\n';
            return 1;
        }
        j.begin_object().field("name", tool->title).field("description", tool->purpose);
        j.field("url", "./#" + std::string(tool->name)).end_object();
    }
    std::cout << j.end_array().text() << '\n';
}
