// quorran: the calculator's dialog, or with --toolbox [TOOL] the runner's toolbox window
// (on that tool, by its name: quorran --toolbox predict). Opens it, waits until it ends
// and exits with 0; no other argument is read.
#include <QApplication>

#include <algorithm>
#include <string_view>

#include "ui/qt/main_dialog.h"
#include "ui/qt/toolbox_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const auto toolbox_arg = std::find_if(argv + 1, argv + argc, [](const char* arg) { return std::string_view(arg) == "--toolbox"; });
    if (toolbox_arg != argv + argc) {
        QGuiApplication::setDesktopFileName(QStringLiteral("quorran-toolbox"));
        quorran::ToolboxWindow toolbox(toolbox_arg + 1 != argv + argc ? toolbox_arg[1] : "");
        QApplication::setWindowIcon(toolbox.windowIcon());
        toolbox.show();
        QApplication::exec();
        return 0;
    }
    QGuiApplication::setDesktopFileName(QStringLiteral("quorran"));
    quorran::MainDialog dialog;
    QApplication::setWindowIcon(dialog.windowIcon());  // for the message boxes too
    quorran::run(dialog);
    return 0;
}
