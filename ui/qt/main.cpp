// quorran: the calculator's dialog, or with --toolbox the runner's toolbox window. Opens
// it, waits until it ends and exits with 0; no other argument is read.
#include <QApplication>

#include <algorithm>
#include <string_view>

#include "ui/qt/main_dialog.h"
#include "ui/qt/toolbox_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (std::any_of(argv + 1, argv + argc, [](const char* arg) { return std::string_view(arg) == "--toolbox"; })) {
        QGuiApplication::setDesktopFileName(QStringLiteral("quorran-toolbox"));
        quorran::ToolboxWindow toolbox;
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
