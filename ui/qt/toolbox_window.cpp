#include "ui/qt/toolbox_window.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTableWidget>

#include <algorithm>

#include "ui/qt/app_icon.h"
#include "ui/qt/list_accessible.h"
#include "ui/qt/qt_calculator_view.h"
#include "ui/qt/qt_painter.h"
#include "ui/qt/report_documents.h"
#include "ui/qt/settings_memory.h"

namespace quorran {

namespace {

constexpr int WINDOW_WIDTH_CHARS = 90;
constexpr int WINDOW_HEIGHT_LINES = 36;
constexpr double MAIN_ANSWER_SCALE = 1.5;  // the main answer's type to the report's

// Names read from the left; numbers and times are right-aligned, their headers with them.
Qt::Alignment alignment_of(const Column& column) {
    return (column.names ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

// A Choice entry's drop-down list. Qt names a drop-down list after its current line on
// Linux, so a screen reader would hear "Riegel" instead of which entry it is: the list
// keeps the name of its label and gives its current line as its value.
class ChoiceList final : public QComboBox {
public:
    using QComboBox::QComboBox;
};

// The report's main answer, in large type at its top. A screen reader meets it as the
// result's heading, named with what it is: "marathon: 3:11:49".
class MainAnswer final : public QLabel {
public:
    using QLabel::QLabel;
};

QAccessibleInterface* main_answer_accessible(const QString&, QObject* object) {
    auto* answer = dynamic_cast<MainAnswer*>(object);
    return answer ? new QAccessibleWidget(answer, QAccessible::Heading) : nullptr;
}

// The report's scroll area. Qt 6.4 reads a scroll area's accessible children from a list
// that changes as its scroll bars show and hide, and hands out the child at any index
// asked for, unchecked: a screen reader asking for the last child just as a report's bar
// went crashed the program. This one is read as a plain widget, whose children are its
// viewport and its bars' frames, shown or not, and whose index is checked.
class ReportArea final : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
};

QAccessibleInterface* report_area_accessible(const QString&, QObject* object) {
    auto* area = dynamic_cast<ReportArea*>(object);
    return area ? new QAccessibleWidget(area, QAccessible::Client) : nullptr;
}

QString cell_text(const Cell& cell, const Report& report) { return to_qstring(shown_text(cell, report)); }

QLabel* plain_label(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The problem beside a field: in the text colour of a warning, dark on a light window
// and light on a dark one.
QLabel* mark_label(QWidget* parent) {
    auto* mark = plain_label({}, parent);
    mark->setWordWrap(true);
    QPalette palette = mark->palette();
    const bool light = palette.color(QPalette::Window).lightness() > 128;
    palette.setColor(QPalette::WindowText, light ? QColor(0xB0, 0x00, 0x20) : QColor(0xFF, 0x8A, 0x80));
    mark->setPalette(palette);
    return mark;
}

// A table of the report: every row shown (the report area scrolls, not the table),
// its columns as wide as their texts, read cell by cell with the arrow keys; Tab
// leaves it.
QTableWidget* table_widget(const Table& t, const Report& report, const QString& name, QWidget* parent) {
    auto* table = new QTableWidget(static_cast<int>(t.rows.size()), static_cast<int>(t.columns.size()), parent);
    table->setAccessibleName(name);
    for (int c = 0; c < table->columnCount(); ++c) {
        const Column& column = t.columns[static_cast<std::size_t>(c)];
        auto* header = new QTableWidgetItem(to_qstring(column.label));
        header->setTextAlignment(alignment_of(column));
        table->setHorizontalHeaderItem(c, header);
        for (int r = 0; r < table->rowCount(); ++r) {
            const Cell& cell = t.rows[static_cast<std::size_t>(r)].at(static_cast<std::size_t>(c));
            auto* item = new QTableWidgetItem(cell_text(cell, report));
            item->setTextAlignment(alignment_of(column));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (const Note* note = report.note_flagging(cell)) item->setToolTip(to_qstring(note->text));
            table->setItem(r, c, item);
        }
    }
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() * 3 / 2);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->setShowGrid(false);
    table->setAlternatingRowColors(true);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->resizeColumnsToContents();
    const int padding = table->fontMetrics().averageCharWidth() * 2;
    for (int c = 0; c < table->columnCount(); ++c) table->setColumnWidth(c, table->columnWidth(c) + padding);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return table;
}

}  // namespace

ToolboxWindow::ToolboxWindow(EntryMemory& memory, std::string_view tool_name, QWidget* parent, std::string_view file)
    : QWidget(parent, Qt::Window), panel_(*this), commands_(panel_, memory) {
    setWindowTitle(to_qstring(TOOLBOX_CAPTION));
    setWindowIcon(QIcon(app_icon_picture()));
    static const bool accessibles = (QAccessible::installFactory(named_list_accessible<ChoiceList>),
                                     QAccessible::installFactory(main_answer_accessible),
                                     QAccessible::installFactory(report_area_accessible), true);  // once a program
    (void)accessibles;
    create_controls();
    setAcceptDrops(true);
    commands_.open(tool_name, units_of(QLocale()));
    if (!file.empty()) commands_.on_file_opened(file);
    // Tall enough for a prediction's table and its entries without scrolling.
    const QFontMetrics metrics = fontMetrics();
    resize(sizeHint().expandedTo(QSize(metrics.averageCharWidth() * WINDOW_WIDTH_CHARS, metrics.height() * WINDOW_HEIGHT_LINES)));
}

// The tool list on the left; on the right the entries of the tool shown, its report and
// the document actions, in reading order, which is also the Tab order.
void ToolboxWindow::create_controls() {
    auto* tools_label = new QLabel(to_qstring(PANEL_TOOLS_LABEL), this);
    tools_ = new QListWidget(this);
    tools_->setSelectionMode(QAbstractItemView::SingleSelection);  // one tool shown at a time
    tools_label->setBuddy(tools_);
    tools_->setAccessibleName(to_qstring(without_mnemonic(PANEL_TOOLS_LABEL)));  // a list is not named after its buddy
    // The tool shown follows the list's selection, however it changes: the keys and the
    // mouse make the item current and select it, but an assistive technology may select
    // one without making it current, and Ctrl+click or Ctrl+Space unselect the one chosen.
    // The commands then have the list's current row and selection agree again.
    connect(tools_, &QListWidget::itemSelectionChanged, this, [this] { commands_.on_tool_chosen(chosen_row()); });

    // The unit setting for every tool: two radio buttons, km and miles, in a group named
    // Units, which a screen reader reads with the one checked (Alt+U reaches it); and
    // Clear, which empties the entries.
    units_ = new QGroupBox(to_qstring(PANEL_UNITS_LABEL), this);
    auto* units_row = new QHBoxLayout(units_);
    for (const auto& [units, label] : {std::pair{Units::Km, PANEL_KM_LABEL}, std::pair{Units::Miles, PANEL_MILES_LABEL}}) {
        auto* button = new QRadioButton(to_qstring(label), units_);
        connect(button, &QRadioButton::toggled, this, [this, units = units](bool on) { if (on) commands_.on_units_chosen(units); });
        units_row->addWidget(button);
        unit_buttons_[static_cast<std::size_t>(units)] = button;
    }
    clear_ = new QPushButton(to_qstring(PANEL_CLEAR_LABEL), this);
    connect(clear_, &QPushButton::clicked, this, [this] { commands_.on_clear(); });

    entries_ = new QWidget(this);
    auto* report_label = new QLabel(to_qstring(PANEL_REPORT_LABEL), this);
    report_area_ = new ReportArea(this);
    report_area_->setWidgetResizable(true);
    report_area_->setFocusPolicy(Qt::StrongFocus);  // Alt+R lands here; the arrow keys scroll
    report_label->setBuddy(report_area_);
    report_area_->setAccessibleName(to_qstring(without_mnemonic(PANEL_REPORT_LABEL)));

    print_ = new QPushButton(to_qstring(PANEL_PRINT_LABEL), this);
    pdf_ = new QPushButton(to_qstring(PANEL_SAVE_PDF_LABEL), this);
    save_ = new QPushButton(to_qstring(PANEL_SAVE_LABEL), this);
    connect(print_, &QPushButton::clicked, this, &ToolboxWindow::on_print);
    connect(pdf_, &QPushButton::clicked, this, &ToolboxWindow::on_save_pdf);
    // With several documents the button has a menu of them, and a click shows it instead.
    connect(save_, &QPushButton::clicked, this, [this] { on_save(0); });

    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, [this] { commands_.on_copy(); });
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);

    auto* tools_column = new QVBoxLayout;
    tools_column->addWidget(tools_label);
    tools_column->addWidget(tools_);
    auto* actions = new QHBoxLayout;
    actions->addWidget(print_);
    actions->addWidget(pdf_);
    actions->addWidget(save_);
    actions->addStretch(1);
    auto* settings = new QHBoxLayout;
    settings->addWidget(units_);
    settings->addStretch(1);
    settings->addWidget(clear_, 0, Qt::AlignBottom);
    auto* tool_column = new QVBoxLayout;
    tool_column->addLayout(settings);
    tool_column->addWidget(entries_);
    tool_column->addWidget(report_label);
    tool_column->addWidget(report_area_, 1);
    tool_column->addLayout(actions);
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(tools_column);
    columns->addLayout(tool_column, 1);
}

// The item selected, or -1 when none is. An assistive technology selecting an item empties
// the selection first (and the commands select the tool shown again) or adds to it, so of
// two items selected the one chosen is the one that is not current, the tool shown.
int ToolboxWindow::chosen_row() const {
    const QList<QListWidgetItem*> selected = tools_->selectedItems();
    for (const QListWidgetItem* item : selected)
        if (selected.size() == 1 || tools_->row(item) != tools_->currentRow()) return tools_->row(item);
    return -1;
}

void ToolboxWindow::build_tools(std::span<const std::string> titles) {
    const QSignalBlocker quiet(tools_);
    tools_->clear();
    for (const std::string& title : titles) tools_->addItem(to_qstring(title));
    tools_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    tools_->setFixedWidth(tools_->sizeHintForColumn(0) + 2 * tools_->frameWidth() +
                          tools_->fontMetrics().averageCharWidth() * 2);
}

void ToolboxWindow::show_units(Units units) {
    const QSignalBlocker quiet_km(unit_buttons_[0]), quiet_miles(unit_buttons_[1]);
    unit_button(units)->setChecked(true);
}

// One row an entry: its label, the field, the unit a bare value takes and the shortcut
// buttons; under the field, the problem with it, shown only when there is one. A check
// box spans the other columns: it is its own label.
void ToolboxWindow::build_entries(std::span<const EntryField> entries) {
    qDeleteAll(entries_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    delete entries_->layout();
    rows_.clear();
    auto* grid = new QGridLayout(entries_);
    grid->setContentsMargins(0, 0, 0, 0);
    std::size_t most_shortcuts = 0;
    for (const EntryField& e : entries) most_shortcuts = std::max(most_shortcuts, e.shortcuts.size());
    const int columns = 3 + static_cast<int>(most_shortcuts) + 1;  // and a last one that takes the rest
    grid->setColumnStretch(columns - 1, 1);

    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const EntryField& entry = entries[static_cast<std::size_t>(i)];
        const int line = 2 * i;
        EntryRow row;
        row.field = create_field(i, entry);
        if (entry.kind == EntryKind::Flag) {
            grid->addWidget(row.field, line, 1, 1, columns - 1);
        } else {
            row.label = new QLabel(to_qstring(entry.label), entries_);
            row.label->setBuddy(row.field);
            grid->addWidget(row.label, line, 0);
            grid->addWidget(row.field, line, 1);
        }
        if (entry.kind == EntryKind::File) {
            row.open = new QPushButton(to_qstring(PANEL_OPEN_LABEL), entries_);
            connect(row.open, &QPushButton::clicked, this, [this, i] { commands_.on_open(i); });
            grid->addWidget(row.open, line, 3);
        }
        if (!entry.unit.empty()) {
            row.unit = plain_label(to_qstring(entry.unit), entries_);
            grid->addWidget(row.unit, line, 2);
        }
        for (int k = 0; k < static_cast<int>(entry.shortcuts.size()); ++k) {
            auto* button = new QPushButton(to_qstring(entry.shortcuts[static_cast<std::size_t>(k)].label), entries_);
            connect(button, &QPushButton::clicked, this, [this, i, k] { commands_.on_shortcut(i, k); });
            grid->addWidget(button, line, 3 + k);
            row.shortcuts.push_back(button);
        }
        row.mark = mark_label(entries_);
        grid->addWidget(row.mark, line + 1, 1, 1, columns - 1);
        rows_.push_back(std::move(row));
    }
    // Shown now, not when the layout gets round to it: a mnemonic reaches only a shown
    // widget. A mark stays hidden until there is a problem to tell.
    for (QWidget* child : entries_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->show();
    for (const EntryRow& row : rows_) row.mark->hide();
    order_tabs();
}

// A Text entry as a line edit, a File entry too (its name, typed or dropped), a Choice as a drop-down list of its labels, a Flag as a
// check box; each tells the commands of every change of its value, whoever makes it (a
// user's keys, or an assistive technology setting the text), but the commands' own,
// which the panel makes with the field's signals blocked.
QWidget* ToolboxWindow::create_field(int index, const EntryField& entry) {
    const auto changed = [this, index] { commands_.on_entry_changed(index); };
    QWidget* field = nullptr;
    switch (entry.kind) {
        case EntryKind::Text:
        case EntryKind::File: {
            auto* edit = new QLineEdit(to_qstring(entry.text), entries_);
            edit->setPlaceholderText(to_qstring(entry.placeholder));
            edit->setInputMethodHints(entry.input_hint == "decimal" ? Qt::ImhFormattedNumbersOnly : Qt::ImhNone);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textChanged, this, changed);
            field = edit;
            break;
        }
        case EntryKind::Choice: {
            auto* list = new ChoiceList(entries_);
            for (const EntryChoice& c : entry.choices) list->addItem(to_qstring(c.label), to_qstring(c.value));
            list->setCurrentIndex(list->findData(to_qstring(entry.text)));
            connect(list, &QComboBox::currentIndexChanged, this, changed);
            field = list;
            break;
        }
        case EntryKind::Flag: {
            auto* check = new QCheckBox(to_qstring(entry.label), entries_);
            check->setChecked(!entry.text.empty());
            connect(check, &QCheckBox::toggled, this, changed);
            field = check;
            break;
        }
    }
    field->setToolTip(to_qstring(entry.tooltip));
    return field;
}

// The main answer first, in large type under what it is (a box of its own: the report
// follows whole), then the report's headlines (a label and its value, or a value that
// says what it is), each table under its title, then the notes. The report replaces the
// one shown before.
void ToolboxWindow::build_report(const Report& report) {
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    if (const Headline* main = report.main_headline()) {
        auto* answer = new QWidget(content);
        auto* lines = new QVBoxLayout(answer);
        lines->setContentsMargins(0, 0, 0, 0);
        const QString label = to_qstring(main->label), text = cell_text(main->cell, report).trimmed();
        if (!main->self_described) lines->addWidget(plain_label(label, answer));
        main_answer_ = new MainAnswer(answer);  // its text once it is whole: a screen reader meets a heading
        main_answer_->setTextFormat(Qt::PlainText);
        main_answer_->setText(text);
        main_answer_->setWordWrap(true);
        QFont large = main_answer_->font();
        large.setPointSizeF(large.pointSizeF() * MAIN_ANSWER_SCALE);
        main_answer_->setFont(large);
        main_answer_->setAccessibleName(main->self_described ? text : label + ": " + text);
        lines->addWidget(main_answer_);
        column->addWidget(answer);
        column->addSpacing(main_answer_->fontMetrics().height() / 2);
    }
    auto* headlines = new QGridLayout;
    column->addLayout(headlines);
    for (int i = 0; i < static_cast<int>(report.headlines.size()); ++i) {
        const Headline& h = report.headlines[static_cast<std::size_t>(i)];
        const QString label = to_qstring(h.label);
        if (!h.self_described) headlines->addWidget(plain_label(label, content), i, 0);
        QLabel* value = plain_label(cell_text(h.cell, report), content);
        value->setAccessibleName(h.self_described ? value->text().trimmed() : label + ": " + value->text().trimmed());
        headlines->addWidget(value, i, h.self_described ? 0 : 1, 1, h.self_described ? 2 : 1);
    }
    headlines->setColumnStretch(1, 1);
    const QString tool_title = tools_->currentItem() ? tools_->currentItem()->text() : QString();
    for (const Table& t : report.tables) {
        const QString title = to_qstring(t.title);
        if (!title.isEmpty()) {
            QLabel* heading = plain_label(title, content);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            column->addWidget(heading);
        }
        column->addWidget(table_widget(t, report, title.isEmpty() ? tool_title : title, content), 0, Qt::AlignLeft);
    }
    // The pictures of the tables above: a screen reader meets each by its title and its
    // text alternative, and has the numbers in the tables.
    for (const Drawing& d : report.drawings) column->addWidget(new DrawingView(d, content));
    for (const Note& n : report.notes) {
        QLabel* note = plain_label(to_qstring(shown_text(n)), content);
        note->setWordWrap(true);
        column->addWidget(note);
    }
    column->addStretch(1);
    report_area_->setWidget(content);  // and deletes the report shown before

    documents_ = report.documents;
    delete save_->menu();
    save_->setMenu(nullptr);
    if (documents_.size() > 1) {
        auto* menu = new QMenu(save_);
        for (std::size_t i = 0; i < documents_.size(); ++i)
            menu->addAction(to_qstring(documents_[i].file_name) + "…", this, [this, i] { on_save(i); });
        save_->setMenu(menu);
    }
    enable_documents(content->isEnabled());
    order_tabs();
}

void ToolboxWindow::set_report_current(bool current) {
    report()->setEnabled(current);
    enable_documents(current);
}

QWidget* ToolboxWindow::report() const { return report_area_->widget(); }

QLabel* ToolboxWindow::main_answer() const { return main_answer_; }

std::vector<QTableWidget*> ToolboxWindow::report_tables() const {
    if (!report()) return {};
    const QList<QTableWidget*> tables = report()->findChildren<QTableWidget*>(Qt::FindDirectChildrenOnly);
    return {tables.begin(), tables.end()};
}

namespace {

// The files' names in a drag, when each is a local file.
std::optional<std::vector<std::string>> local_files(const QMimeData* data) {
    if (!data->hasUrls() || data->urls().isEmpty()) return std::nullopt;
    std::vector<std::string> names;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) return std::nullopt;
        names.push_back(url.toLocalFile().toStdString());
    }
    return names;
}

void take_drag(QDropEvent* event) {
    if (local_files(event->mimeData())) event->acceptProposedAction();
    else event->ignore();
}

}  // namespace

// Ctrl+C in a line edit with nothing selected copies the report, as it does everywhere
// else in the window; with a selection it copies that, as a field always does.
bool ToolboxWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        const auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && !edit->hasSelectedText()) return true;  // not taken: the window's Copy runs
    }
    // A file dragged over a field is the window's, not text for the field.
    const bool drag = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove;
    if ((drag || event->type() == QEvent::Drop) && static_cast<QDropEvent*>(event)->mimeData()->hasUrls()) {
        drag ? take_drag(static_cast<QDropEvent*>(event)) : dropEvent(static_cast<QDropEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ToolboxWindow::dragEnterEvent(QDragEnterEvent* event) { take_drag(event); }

void ToolboxWindow::dropEvent(QDropEvent* event) {
    const auto names = local_files(event->mimeData());
    if (names && commands_.on_files_dropped(*names)) event->acceptProposedAction();
    else event->ignore();
}

std::optional<std::string> ToolboxWindow::ask_file_to_open(int entry, std::span<const std::string_view> extensions) {
    QStringList patterns;
    for (const std::string_view extension : extensions) patterns << "*." + to_qstring(extension);
    const QString filter = tr("Recorded runs (%1)").arg(patterns.join(' ')) + ";;" + tr("All files (*)");
    const EntryRow& row = rows_.at(static_cast<std::size_t>(entry));
    const QString title = row.label ? row.label->text().remove('&') : QString();
    const QString path = QFileDialog::getOpenFileName(this, title, QString(), filter);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

// Tab follows the layout: the tool list, the unit setting and Clear, each entry with its
// shortcut buttons, the report
// and its tables, the document actions. Widgets built again go last in Qt's own order.
void ToolboxWindow::order_tabs() {
    std::vector<QWidget*> chain{tools_, unit_button(Units::Km), unit_button(Units::Miles), clear_};
    for (const EntryRow& row : rows_) {
        chain.push_back(row.field);
        chain.insert(chain.end(), row.shortcuts.begin(), row.shortcuts.end());
        if (row.open) chain.push_back(row.open);
    }
    chain.push_back(report_area_);
    for (QTableWidget* table : report_tables()) chain.push_back(table);
    chain.insert(chain.end(), {print_, pdf_, save_});
    for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

// The document actions act on the report shown, and only while it is current.
void ToolboxWindow::enable_documents(bool current) {
    const bool printable = std::any_of(documents_.begin(), documents_.end(), prints);
    print_->setEnabled(current && printable);
    pdf_->setEnabled(current && printable);
    save_->setEnabled(current && !documents_.empty());
}

void ToolboxWindow::on_print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted && !print_documents(printer, documents_))
        QMessageBox::warning(this, windowTitle(), tr("The printer could not be started."));
}

void ToolboxWindow::on_save_pdf() {
    const auto first = std::find_if(documents_.begin(), documents_.end(), prints);
    if (first == documents_.end()) return;
    const QString name = QFileInfo(to_qstring(first->file_name)).completeBaseName() + ".pdf";
    const QString path = QFileDialog::getSaveFileName(this, tr("Save as PDF"), name, tr("PDF (*.pdf)"));
    if (!path.isEmpty() && !write_pdf(path, documents_))
        QMessageBox::warning(this, windowTitle(), tr("%1 could not be written.").arg(path));
}

void ToolboxWindow::on_save(std::size_t index) {
    if (index >= documents_.size()) return;
    const Document& document = documents_[index];
    const QString path = QFileDialog::getSaveFileName(this, tr("Save"), to_qstring(document.file_name));
    if (!path.isEmpty() && !write_document(path, document))
        QMessageBox::warning(this, windowTitle(), tr("%1 could not be written.").arg(path));
}

}  // namespace quorran
