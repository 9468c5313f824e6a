#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "core/dialog/calculator_view.h"

class QDialog;
class QWidget;

namespace quorran {

// Texts cross the calculator's interfaces as UTF-8.
inline QString to_qstring(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The control of the dialog with the given identifier. Each control carries its
// identifier as its object name, so this finds it as GetDlgItem would; nullptr when
// the dialog has no such control.
QWidget* dialog_control(const QDialog& dialog, int id);

// The calculator's window operations on a Qt dialog built from the template.
class QtCalculatorView final : public CalculatorView {
public:
    explicit QtCalculatorView(QDialog& dialog);

    bool is_checked(int control) const override;
    void check_radio(int first, int last, int checked) override;
    // At most 79 bytes of UTF-8, cut before a character that would not fit whole.
    std::string get_text(int control) const override;
    void set_text(int control, std::string_view text) override;
    void list_clear(int control) override;
    void list_add(int control, std::string_view text) override;
    void list_select_prefix(int control, int after_index, std::string_view prefix) override;
    void set_focus(int control) override;
    void warn(std::string_view text) override;
    void inform(std::string_view text) override;
    void close(int result) override;

private:
    QDialog& dialog_;
};

}  // namespace quorran
