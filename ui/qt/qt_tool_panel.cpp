#include "ui/qt/qt_tool_panel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "ui/qt/qt_calculator_view.h"
#include "ui/qt/toolbox_window.h"

namespace quorran {

namespace {

constexpr std::string_view FLAG_ON = "on";

}  // namespace

QtToolPanel::QtToolPanel(ToolboxWindow& window) : window_(window) {}

void QtToolPanel::show_tools(std::span<const std::string> titles) { window_.build_tools(titles); }

void QtToolPanel::show_tool(int index, std::span<const EntryField> entries) {
    window_.build_entries(entries);
    highlight_tool(index);
}

// In a list of single selection, the current row is also selected alone. The commands'
// own change is not told back to them as a user's.
void QtToolPanel::highlight_tool(int index) {
    const QSignalBlocker quiet(window_.tool_list());
    window_.tool_list()->setCurrentRow(index);
}

void QtToolPanel::show_units(Units units) { window_.show_units(units); }

std::string QtToolPanel::entry_text(int entry) const {
    const QWidget* field = window_.entry_rows().at(static_cast<std::size_t>(entry)).field;
    if (const auto* edit = qobject_cast<const QLineEdit*>(field)) return edit->text().toStdString();
    if (const auto* list = qobject_cast<const QComboBox*>(field)) return list->currentData().toString().toStdString();
    const auto* check = qobject_cast<const QCheckBox*>(field);
    return check && check->isChecked() ? std::string(FLAG_ON) : std::string();
}

// The commands' own change is not told back to them as a user's.
void QtToolPanel::set_entry_text(int entry, std::string_view text) {
    QWidget* field = window_.entry_rows().at(static_cast<std::size_t>(entry)).field;
    const QSignalBlocker quiet(field);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->setText(to_qstring(text));
    else if (auto* list = qobject_cast<QComboBox*>(field)) list->setCurrentIndex(list->findData(to_qstring(text)));
    else if (auto* check = qobject_cast<QCheckBox*>(field)) check->setChecked(!text.empty());
}

void QtToolPanel::mark_entry(int entry, std::string_view problem) {
    const ToolboxWindow::EntryRow& row = window_.entry_rows().at(static_cast<std::size_t>(entry));
    row.mark->setText(to_qstring(problem));
    row.mark->setVisible(!problem.empty());
    row.field->setAccessibleDescription(to_qstring(problem));  // empty: the tooltip again
}

void QtToolPanel::show_report(const Report& report) { window_.build_report(report); }

void QtToolPanel::set_report_current(bool current) { window_.set_report_current(current); }

void QtToolPanel::copy_to_clipboard(std::string_view text) { QGuiApplication::clipboard()->setText(to_qstring(text)); }

}  // namespace quorran

namespace quorran {

std::optional<std::string> QtToolPanel::ask_file_to_open(int entry, std::span<const std::string_view> extensions) {
    return window_.ask_file_to_open(entry, extensions);
}

}  // namespace quorran
