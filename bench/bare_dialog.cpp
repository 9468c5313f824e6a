// The baselines of bench/startup: the least a Qt program showing a dialog does.
//
//   quorran_bare_dialog           an empty modal dialog of the calculator's size
//   quorran_bare_dialog --text    the same with one line of text in it
//
// An empty dialog maps its window before Qt has looked at a single font (fontconfig
// starts at the first paint); a dialog with any text must measure it, and so load the
// fonts, before its window can be laid out and shown. Both run until closed.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QLabel(QStringLiteral("Resultant Pace"), &dialog));
    }
    dialog.resize(420, 358);  // 280 x 220 dialog units of an 8-point font
    return dialog.exec();
}
