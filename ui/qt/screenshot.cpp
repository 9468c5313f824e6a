// quorran-screenshot OUTPUT.png: opens the dialog, runs a Find Finish Time for a
// marathon at 8:00 per mile in it and saves a picture of the dialog to OUTPUT.png.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>

#include <cstdio>

#include "core/dialog/control_ids.h"
#include "ui/qt/main_dialog.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("Usage: quorran-screenshot OUTPUT.png\n", stderr);
        return 2;
    }
    quorran::MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    qobject_cast<QLineEdit*>(quorran::dialog_control(dialog, quorran::IDC_FINISH_DISTANCE))->setText("m");
    qobject_cast<QLineEdit*>(quorran::dialog_control(dialog, quorran::IDC_FINISH_PACE_MINUTES))->setText("8");
    qobject_cast<QAbstractButton*>(quorran::dialog_control(dialog, quorran::IDC_FINISH_CALCULATE))->click();
    QApplication::processEvents();
    if (!dialog.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "quorran-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
