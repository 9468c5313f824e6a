// quorran-screenshot OUTPUT.png: opens the dialog, runs a Find Finish Time for a
// marathon at 8:00 per mile in it and saves a picture of the dialog to OUTPUT.png.
// quorran-screenshot --toolbox OUTPUT.png: opens the toolbox on Predict, enters a 5 km
// in 20:00 as a user types it and saves a picture of the window.
// quorran-screenshot --run FILE OUTPUT.png: opens the toolbox on the run tool with the
// file, per km, and saves a picture of the run's chart as the window paints it.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "adapters/files/file_system_runs.h"
#include "core/dialog/control_ids.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/qt_painter.h"
#include "ui/qt/toolbox_window.h"

namespace {

bool save(QWidget& window, const char* path) {
    if (window.grab().save(QString::fromLocal8Bit(path))) return true;
    std::fprintf(stderr, "quorran-screenshot: cannot write %s\n", path);
    return false;
}

int dialog_picture(const char* path) {
    quorran::MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    qobject_cast<QLineEdit*>(quorran::dialog_control(dialog, quorran::IDC_FINISH_DISTANCE))->setText("m");
    qobject_cast<QLineEdit*>(quorran::dialog_control(dialog, quorran::IDC_FINISH_PACE_MINUTES))->setText("8");
    qobject_cast<QAbstractButton*>(quorran::dialog_control(dialog, quorran::IDC_FINISH_CALCULATE))->click();
    QApplication::processEvents();
    return save(dialog, path) ? 0 : 1;
}

const quorran::Tool& toolbox_tool() { return *quorran::find_tool("predict"); }

int toolbox_picture(const char* path) {
    // Nothing of the user's, and a first run in km: the same picture on every machine.
    quorran::KeptInMemory memory;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    quorran::ToolboxWindow toolbox(memory, toolbox_tool().name);
    toolbox.show();
    QApplication::processEvents();
    const auto entries = quorran::entry_fields(toolbox_tool());
    for (const auto& typed : {std::pair{"distance", "5k"}, std::pair{"time", "20:00"}}) {
        const auto entry = std::find_if(entries.begin(), entries.end(), [&typed](const auto& e) { return e.name == typed.first; });
        auto* field = qobject_cast<QLineEdit*>(toolbox.entry_rows().at(static_cast<std::size_t>(entry - entries.begin())).field);
        field->setFocus();
        field->insert(QString::fromLatin1(typed.second));  // as typed: the report follows
    }
    QApplication::processEvents();
    return save(toolbox, path) ? 0 : 1;
}

int run_picture(const char* file, const char* path) {
    quorran::FileSystemRuns files;
    quorran::use_run_files(&files);
    quorran::KeptInMemory memory;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    quorran::ToolboxWindow toolbox(memory, "run");
    toolbox.resize(900, 700);
    toolbox.show();
    QApplication::processEvents();
    auto* field = qobject_cast<QLineEdit*>(toolbox.entry_rows().at(0).field);
    field->setFocus();
    field->insert(QString::fromLocal8Bit(file));
    QApplication::processEvents();
    const auto views = toolbox.report()->findChildren<quorran::DrawingView*>();
    if (views.isEmpty()) {
        std::fprintf(stderr, "quorran-screenshot: no chart of %s\n", file);
        return 1;
    }
    views.front()->resize(views.front()->sizeHint());
    return save(*views.front(), path) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--run") == 0) return run_picture(argv[2], argv[3]);
    const bool toolbox = argc == 3 && std::strcmp(argv[1], "--toolbox") == 0;
    if (argc != 2 && !toolbox) {
        std::fputs("Usage: quorran-screenshot [--toolbox | --run FILE] OUTPUT.png\n", stderr);
        return 2;
    }
    return toolbox ? toolbox_picture(argv[2]) : dialog_picture(argv[1]);
}
