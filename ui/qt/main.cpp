// quorran: the calculator's dialog. Opens it, waits until it ends and exits with 0;
// the command line is not read.
#include <QApplication>

#include "ui/qt/main_dialog.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("quorran"));
    quorran::MainDialog dialog;
    QApplication::setWindowIcon(dialog.windowIcon());  // for the message boxes too
    quorran::run(dialog);
    return 0;
}
