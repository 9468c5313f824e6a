// The baseline of bench/startup: the least a Qt program showing a dialog does. An
// empty modal dialog of the calculator's size; it runs until it is closed.
#include <QApplication>
#include <QDialog>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    dialog.resize(420, 358);  // 280 x 220 dialog units of an 8-point font
    return dialog.exec();
}
