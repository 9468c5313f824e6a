// quorran: the calculator's dialog, or with --toolbox [TOOL [FILE]] the runner's toolbox
// window (on that tool, by its name: quorran --toolbox predict; with a run's file opened:
// quorran --toolbox run FILE). Opens it, waits until it ends and exits with 0; no other
// argument is read. The toolbox keeps its entries and its unit
// setting in the user's settings (QSettings: ~/.config/Quorran/Toolbox.conf on Linux).
#include <QApplication>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <string>
#include <string_view>

#include "adapters/files/file_system_runs.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/settings_memory.h"
#include "ui/qt/toolbox_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quorran::FileSystemRuns files;  // the run tool's files, read with expat
    quorran::use_run_files(&files);
    const auto toolbox_arg = std::find_if(argv + 1, argv + argc, [](const char* arg) { return std::string_view(arg) == "--toolbox"; });
    if (toolbox_arg != argv + argc) {
        QGuiApplication::setDesktopFileName(QStringLiteral("quorran-toolbox"));
        QSettings settings(QStringLiteral("Quorran"), QStringLiteral("Toolbox"));
        quorran::SettingsMemory memory(settings);
        const int after = static_cast<int>(argv + argc - toolbox_arg - 1);
        // The file by its whole path: the name kept for the next run is read from anywhere.
        const std::string file =
            after > 1 ? QFileInfo(QString::fromLocal8Bit(toolbox_arg[2])).absoluteFilePath().toStdString() : std::string();
        quorran::ToolboxWindow toolbox(memory, after > 0 ? toolbox_arg[1] : "", nullptr, file);
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
