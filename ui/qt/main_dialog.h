#pragma once

#include <QDialog>

#include "core/dialog/calculator_commands.h"
#include "ui/qt/qt_calculator_view.h"

class QCloseEvent;

namespace quorran {

// The calculator's one window: the controls of the dialog template, laid out in
// dialog units of the desktop's UI font. Every command a control sends goes, with the
// control's identifier, to CalculatorCommands; the dialog itself keeps no state.
class MainDialog final : public QDialog {
    Q_OBJECT

public:
    explicit MainDialog(QWidget* parent = nullptr);

    // Escape's cancel command, which none of the commands takes up.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void create_controls();
    void set_up();

    QtCalculatorView view_;
    CalculatorCommands commands_;
};

// Shows the dialog and runs the application's event loop until the dialog ends;
// returns the result it ended with. Ending the loop also ends the wait of any
// message box still open, so the boxes close and the program can finish.
int run(MainDialog& dialog);

}  // namespace quorran
