#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/toolbox/tool_panel.h"
#include "ui/qt/qt_tool_panel.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTableWidget;

namespace quorran {

// The runner's toolbox: the tools of the table in a list, the unit setting and Clear, the
// entries of the one shown as labelled fields with the unit a bare value takes beside
// them, its report as labels and tables under its main answer, shown first and largest,
// and the report's documents to print or save. Every widget is built here, its signals wired to ToolboxCommands beside
// it; the widgets hold what they show and nothing else, and QtToolPanel reads and
// writes them. Ctrl+C copies the report (a field's own selection stays its own), and
// Escape closes the window.
class ToolboxWindow final : public QWidget {
    Q_OBJECT

public:
    // Opens on the tool of that name, or the table's first, with the entries and the unit
    // setting kept in the memory (which outlives the window), or for a first run the
    // locale's units.
    // A file named is opened as if dropped on the window.
    explicit ToolboxWindow(EntryMemory& memory, std::string_view tool_name = {}, QWidget* parent = nullptr,
                           std::string_view file = {});

    // One entry's widgets: its label (none for a check box, which names itself), its
    // field (QLineEdit, QComboBox or QCheckBox), the unit a bare value takes beside it
    // (when it has one), the shortcut buttons, Open… beside a file's name, and the label
    // that tells what is wrong with it.
    struct EntryRow {
        QLabel* label = nullptr;
        QWidget* field = nullptr;
        QLabel* unit = nullptr;
        std::vector<QPushButton*> shortcuts;
        QPushButton* open = nullptr;
        QLabel* mark = nullptr;
    };

    // Built by the panel's operations.
    void build_tools(std::span<const std::string> titles);
    void build_entries(std::span<const EntryField> entries);
    void build_report(const Report& report);
    void set_report_current(bool current);
    // The unit setting as chosen; the commands' own choice is not told back to them.
    void show_units(Units units);
    // The file dialog of Open…: the runs' extensions first, then all files.
    std::optional<std::string> ask_file_to_open(int entry, std::span<const std::string_view> extensions);

    QListWidget* tool_list() const { return tools_; }
    // The unit setting (its group, and its radio button for km or miles) and Clear.
    QGroupBox* units_box() const { return units_; }
    QRadioButton* unit_button(Units units) const { return unit_buttons_[static_cast<std::size_t>(units)]; }
    QPushButton* clear_button() const { return clear_; }
    // The report's main answer in large type, or null when the report shown has none.
    QLabel* main_answer() const;
    const std::vector<EntryRow>& entry_rows() const { return rows_; }
    // The report's scroll area, and the widget inside that holds the report shown.
    QScrollArea* report_area() const { return report_area_; }
    QWidget* report() const;
    std::vector<QTableWidget*> report_tables() const;
    // Print…, Save as PDF… and Save… (with a menu of the documents when there are several).
    QPushButton* print_button() const { return print_; }
    QPushButton* pdf_button() const { return pdf_; }
    QPushButton* save_button() const { return save_; }
    std::span<const Document> documents() const { return documents_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Files dropped anywhere on the window, its fields included, go to the commands.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void create_controls();
    int chosen_row() const;
    QWidget* create_field(int index, const EntryField& entry);
    void order_tabs();
    void enable_documents(bool current);
    void on_print();
    void on_save_pdf();
    void on_save(std::size_t index);

    QtToolPanel panel_;
    ToolboxCommands commands_;
    QListWidget* tools_ = nullptr;
    QGroupBox* units_ = nullptr;
    std::array<QRadioButton*, 2> unit_buttons_{};  // by Units
    QPushButton* clear_ = nullptr;
    QWidget* entries_ = nullptr;
    std::vector<EntryRow> rows_;
    QScrollArea* report_area_ = nullptr;
    QPointer<QLabel> main_answer_;  // goes with the report shown
    QPushButton* print_ = nullptr;
    QPushButton* pdf_ = nullptr;
    QPushButton* save_ = nullptr;
    std::vector<Document> documents_;  // the report shown's
};

}  // namespace quorran
