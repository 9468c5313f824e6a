// The toolbox window through its real widgets: the panel-behaviour suite, then what only
// the toolkit shows: what a screen reader hears, Ctrl+C, Escape, Alt+letter and Tab,
// the report's documents printed and saved, the settings file and the locale's units.
#include <QtTest>
#include <QtWidgets>
#include <QPrintDialog>

#include <functional>
#include <memory>

#include "adapters/files/file_system_runs.h"
#include "tests/drawing_behaviour.h"
#include "tests/embedded_files.h"
#include "tests/panel_behaviour.h"
#include "ui/qt/qt_calculator_view.h"
#include "ui/qt/qt_painter.h"
#include "ui/qt/report_documents.h"
#include "ui/qt/settings_memory.h"
#include "ui/qt/toolbox_window.h"

namespace quorran {

namespace {

QString without_mnemonic(QString label) { return label.remove('&'); }

int index_of(std::string_view tool) { return static_cast<int>(find_tool(tool) - tools().data()); }

// The toolbox driven with simulated keys and clicks, and read from its widgets. Its window
// keeps what it keeps in a settings file of the test's, which a restart reads again.
class QtPanelProbe final : public testing::PanelProbe {
public:
    QtPanelProbe(const QString& settings_file, std::string_view tool) : file_(settings_file) { open(tool); }
    ToolboxWindow& window() const { return *window_; }
    std::vector<std::string> tools() override {
        std::vector<std::string> titles;
        for (int i = 0; i < list()->count(); ++i) titles.push_back(list()->item(i)->text().toStdString());
        return titles;
    }
    // The one item selected, when it is also the current one.
    int chosen_tool() override {
        const QList<QListWidgetItem*> selected = list()->selectedItems();
        return selected.size() == 1 && list()->row(selected.front()) == list()->currentRow() ? list()->currentRow() : -1;
    }
    void choose_tool(int index) override { click(index); }
    // Ctrl+click unselects the item chosen in a list of single selection.
    void choose_no_tool() override { click(list()->currentRow(), Qt::ControlModifier); }
    void click(int index, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, keys, list()->visualItemRect(list()->item(index)).center());
    }
    std::vector<std::string> labels() override {
        std::vector<std::string> all;
        for (const auto& row : window_->entry_rows())
            all.push_back(without_mnemonic(row.label ? row.label->text() : as<QCheckBox>(row.field)->text()).toStdString());
        return all;
    }
    void enter(int entry, std::string_view text) override {
        QWidget* field = row(entry).field;
        field->setFocus(Qt::TabFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            // Select all, then the text in one edit, as pasted or committed by an input method.
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            if (text.empty()) return QTest::keyClick(edit, Qt::Key_Backspace);
            QInputMethodEvent commit;
            commit.setCommitString(to_qstring(text));
            QApplication::sendEvent(edit, &commit);
        } else if (auto* list = qobject_cast<QComboBox*>(field)) {
            QTest::keyClick(list, Qt::Key_Home);
            for (int i = 0; i < list->findData(to_qstring(text)); ++i) QTest::keyClick(list, Qt::Key_Down);
        } else if (as<QCheckBox>(field)->isChecked() == text.empty()) {
            QTest::keyClick(field, Qt::Key_Space);
        }
    }
    std::string entry_shown(int entry) override {
        QWidget* field = row(entry).field;
        if (auto* edit = qobject_cast<QLineEdit*>(field)) return edit->text().toStdString();
        if (auto* list = qobject_cast<QComboBox*>(field)) return list->currentData().toString().toStdString();
        return as<QCheckBox>(field)->isChecked() ? "on" : "";
    }
    void press_shortcut(int entry, int shortcut) override {
        QTest::mouseClick(row(entry).shortcuts.at(static_cast<std::size_t>(shortcut)), Qt::LeftButton);
    }
    std::string mark(int entry) override { return row(entry).mark->isVisible() ? row(entry).mark->text().toStdString() : ""; }
    // The report's texts under its main answer, in the order of its layout: labels, then
    // each table's header and cells.
    std::vector<std::string> report() override {
        std::vector<std::string> texts;
        read(window_->report()->layout(), texts);
        return texts;
    }
    bool report_current() override { return window_->report()->isEnabled(); }
    void copy() override { QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier); }
    std::string clipboard() override { return QGuiApplication::clipboard()->text().toStdString(); }
    // The main answer, when it is shown above every other text of the report and in larger type.
    std::string main_answer() override {
        const QLabel* answer = window_->main_answer();
        if (!answer || !answer->isVisible()) return {};
        for (const QLabel* other : window_->report()->findChildren<QLabel*>()) {
            if (other == answer || other->parentWidget() == answer->parentWidget()) continue;  // its own label
            if (other->mapTo(window_.get(), QPoint()).y() <= answer->mapTo(window_.get(), QPoint()).y() ||
                other->font().pointSizeF() >= answer->font().pointSizeF())
                return "(not first and largest: " + answer->text().toStdString() + ")";
        }
        return answer->text().trimmed().toStdString();
    }
    // The radio button checked, when one alone is.
    Units units() override {
        const bool km = window_->unit_button(Units::Km)->isChecked(), miles = window_->unit_button(Units::Miles)->isChecked();
        return km != miles ? (km ? Units::Km : Units::Miles) : static_cast<Units>(-1);
    }
    // A click on its radio button.
    void choose_units(Units units) override { QTest::mouseClick(window_->unit_button(units), Qt::LeftButton); }
    std::string unit_beside(int entry) override {
        const QLabel* unit = row(entry).unit;
        return unit && unit->isVisible() ? unit->text().toStdString() : "";
    }
    void clear() override { QTest::mouseClick(window_->clear_button(), Qt::LeftButton); }
    // The sample written into the test's folder, opened by its path.
    std::string sample_run(std::string_view name) override {
        const QString path = QFileInfo(file_).dir().filePath(QFileInfo(to_qstring(name)).fileName());
        QFile file(path);
        const std::string_view bytes = testing::embedded_file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
            return "(not written)";
        return path.toStdString();
    }
    // A click on Open…, its file dialog given the name and accepted, or cancelled.
    void open_file(int entry, std::string_view name) override;
    // The files dragged from a file manager and dropped on the entry first shown: as URLs
    // and as text, as file managers offer them, which a field would take as its text.
    void drop_files(const std::vector<std::string>& names) override {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& name : names) urls << QUrl::fromLocalFile(to_qstring(name));
        data.setUrls(urls);
        data.setText(to_qstring(names.front()));
        QWidget* target = window_->entry_rows().empty() ? static_cast<QWidget*>(window_.get()) : row(0).field;
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) return;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
    }
    // The window closed, its settings written, and opened again on a new QSettings of the file.
    void restart(int tool) override {
        window_.reset(), memory_.reset(), settings_.reset();
        open(quorran::tools()[static_cast<std::size_t>(tool)].name);
    }

    template <class Widget>
    static Widget* as(QWidget* widget) { return qobject_cast<Widget*>(widget); }
    const ToolboxWindow::EntryRow& row(int entry) const { return window_->entry_rows().at(static_cast<std::size_t>(entry)); }

private:
    void open(std::string_view tool) {
        settings_ = std::make_unique<QSettings>(file_, QSettings::IniFormat);
        memory_ = std::make_unique<SettingsMemory>(*settings_);
        window_ = std::make_unique<ToolboxWindow>(*memory_, tool);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    QListWidget* list() const { return window_->tool_list(); }
    static void read(QLayout* layout, std::vector<std::string>& texts) {
        for (int i = 0; i < layout->count(); ++i) {
            QLayoutItem* item = layout->itemAt(i);
            if (item->layout()) read(item->layout(), texts);
            if (auto* label = as<QLabel>(item->widget())) texts.push_back(label->text().toStdString());
            if (auto* table = as<QTableWidget>(item->widget())) {
                for (int c = 0; c < table->columnCount(); ++c) texts.push_back(table->horizontalHeaderItem(c)->text().toStdString());
                for (int r = 0; r < table->rowCount(); ++r)
                    for (int c = 0; c < table->columnCount(); ++c) texts.push_back(table->item(r, c)->text().toStdString());
            }
        }
    }

    QString file_;
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<SettingsMemory> memory_;
    std::unique_ptr<ToolboxWindow> window_;
};

QAccessibleInterface* accessible(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// Answers the widget shown() finds once it shows: waited for, never guessed by a delay,
// which a busy machine outlasts.
void answer_when_shown(const std::function<QWidget*()>& shown, const std::function<void(QWidget&)>& answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, shown, answer] {
        if (QWidget* widget = shown()) {
            poll->deleteLater();
            poll->stop();
            answer(*widget);
        }
    });
    poll->start(10);
}

// Answers the next modal dialog (a file or print dialog) once it shows.
void answer_dialog(const std::function<void(QDialog&)>& answer) {
    answer_when_shown([] { return qobject_cast<QDialog*>(QApplication::activeModalWidget()); },
                      [answer](QWidget& dialog) { answer(static_cast<QDialog&>(dialog)); });
}

void QtPanelProbe::open_file(int entry, std::string_view name) {
    answer_dialog([name = to_qstring(name)](QDialog& d) {
        auto* files = qobject_cast<QFileDialog*>(&d);
        if (!files || name.isEmpty()) return d.reject();
        // The dialog writes the name chosen into its name field only while that field has no
        // focus, and the field takes the focus once the dialog is active, early or late as
        // the machine is busy: with the focus there, Open found no name and stayed open.
        if (QWidget* focused = files->focusWidget()) focused->clearFocus();
        files->selectFile(name);
        d.accept();
        if (d.isVisible()) d.reject();  // a name it still refuses fails the check after, not a 30 s wait
    });
    QTest::mouseClick(row(entry).open, Qt::LeftButton);
}

// The Qt painter on an image at 8 px a mm, telling what it drew.
class QtPainterProbe final : public testing::PainterProbe {
public:
    static constexpr double SCALE = 8;
    std::vector<Mark> paint(const Drawing& drawing) override {
        QImage image(static_cast<int>(drawing.width * SCALE) + 1, static_cast<int>(drawing.height * SCALE) + 1,
                     QImage::Format_RGB32);
        QPainter painter(&image);
        std::vector<Mark> marks;
        QtPainter qt(painter, SCALE, &marks);
        quorran::paint(drawing, qt);
        return marks;
    }
    double tolerance() const override { return 1e-6; }
};

// A 100 x 50 mm black band, printable twice, once not, and a CSV.
const std::string BAND_SVG = R"(<svg xmlns="http://www.w3.org/2000/svg" width="100mm" height="50mm" viewBox="0 0 100 50">)"
                             R"(<rect width="100" height="50"/></svg>)";
Report report_with_documents() {
    Report r;
    r.headlines.push_back({"race", "race", Unit::Seconds, {"5 km in 20:00", 1200}});
    r.documents.push_back({"svg", "pace-band.svg", "image/svg+xml", BAND_SVG, true});
    r.documents.push_back({"csv", "pace-band.csv", "text/csv", "km,time\n1,4:00\n", false});
    r.documents.push_back({"preview", "preview.svg", "image/svg+xml", BAND_SVG, false});
    r.documents.push_back({"svg", "pace-band-2.svg", "image/svg+xml", BAND_SVG, true});
    return r;
}

}  // namespace

class ToolboxWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;
    FileSystemRuns files_;  // the run tool's, as the program's
    std::unique_ptr<QtPanelProbe> probe_;

    // The settings file of this test's windows: empty at each test's start.
    QString settings_file() const { return folder_.filePath("toolbox.conf"); }
    ToolboxWindow* window() const { return &probe_->window(); }
    void reopen(std::string_view tool = {}) {
        probe_.reset();
        probe_ = std::make_unique<QtPanelProbe>(settings_file(), tool);
    }
    // Predict with a 20:00 5 km typed key by key: the report follows.
    void predict() {
        reopen("predict");
        QTest::keyClicks(field(0), "5k");
        QTest::keyClicks(field(1), "20:00");
    }
    QWidget* field(int entry) const { return probe_->row(entry).field; }

private slots:
    void initTestCase() { use_run_files(&files_); }
    void init() {
        QFile::remove(settings_file());
        reopen();
    }
    void cleanup() { probe_.reset(); }

    void panel_behaviour() {
        std::string failed;
        for (const auto& failure : testing::check_panel_behaviour(*probe_)) failed += failure + "; ";
        QVERIFY2(failed.empty(), failed.c_str());
    }

    // The same shapes, and the same texts at the same places, as every other painter.
    void drawing_suite() {
        QtPainterProbe probe;
        std::string failed;
        for (const auto& failure : testing::check_painter(probe)) failed += failure + "; ";
        QVERIFY2(failed.empty(), failed.c_str());
    }

    // The plan's pace band in the report, painted, its height following its width; a
    // screen reader meets it by its title and what it shows in words.
    void the_report_shows_its_drawing() {
        reopen("plan");
        QTest::keyClicks(field(0), "marathon");
        QTest::keyClicks(field(1), "3:30:00");
        const auto views = window()->report()->findChildren<DrawingView*>();
        QCOMPARE(views.size(), 1);
        DrawingView* view = views.front();
        QVERIFY(view->isVisible());
        QCOMPARE(view->height(), view->heightForWidth(view->width()));
        QCOMPARE(view->accessibleName(), QStringLiteral("Pace band"));
        QVERIFY(view->accessibleDescription().startsWith(QStringLiteral("Pace band: Marathon, 3:30:00")));
        // Painted across its whole width: as the Qt painter paints it at the view's width.
        const Drawing& d = view->drawing();
        const double scale = view->width() / d.width;
        const QRect page(0, 0, view->width(), static_cast<int>(d.height * scale));
        QImage expected(view->size(), QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        {
            QPainter painter(&expected);
            QtPainter qt(painter, scale);
            quorran::paint(d, qt);
        }
        const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY(view->width() > 200);
        QCOMPARE(shown.copy(page), expected.copy(page));
    }

    // Every field is named by its label, with its forms as its description until it is
    // marked, when the problem is; the unit setting and Clear by theirs; the main answer
    // is the result's heading, the values are named by what they are, the tables by
    // their titles (or the tool's), and each cell is read with its column's name.
    void screen_readers_hear_every_field_table_and_value() {
        const QAccessible::Role roles[] = {QAccessible::EditableText, QAccessible::ComboBox, QAccessible::CheckBox,
                                               QAccessible::EditableText};
        for (const Tool& tool : tools()) {
            probe_->choose_tool(index_of(tool.name));
            const auto entries = entry_fields(tool, probe_->units());
            for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
                const QAccessibleInterface* a = accessible(field(i));
                const EntryField& e = entries[static_cast<std::size_t>(i)];
                const auto* edit = qobject_cast<QLineEdit*>(field(i));
                QCOMPARE(QStringList({a->text(QAccessible::Name), QString::number(a->role()), a->text(QAccessible::Description),
                                      edit ? edit->placeholderText() : ""}),
                         QStringList({without_mnemonic(to_qstring(e.label)), QString::number(roles[static_cast<int>(e.kind)]),
                                      to_qstring(e.tooltip), to_qstring(e.placeholder)}));
            }
        }
        QCOMPARE(accessible(window()->tool_list())->text(QAccessible::Name), "Tool");
        QCOMPARE(accessible(window()->report_area())->text(QAccessible::Name), "Result");
        // The unit setting: a group named Units, of two radio buttons, the one chosen checked.
        QCOMPARE(QStringList({accessible(window()->units_box())->text(QAccessible::Name),
                              QString::number(accessible(window()->units_box())->role())}),
                 QStringList({"Units", QString::number(QAccessible::Grouping)}));
        for (const Units units : {Units::Miles, Units::Km}) {
            probe_->choose_units(units);
            QStringList heard;
            for (const Units each : {Units::Km, Units::Miles}) {
                QAccessibleInterface* button = accessible(window()->unit_button(each));
                heard << button->text(QAccessible::Name) + (button->state().checked ? " checked" : "");
                QCOMPARE(button->role(), QAccessible::RadioButton);
            }
            QCOMPARE(heard, units == Units::Km ? QStringList({"km checked", "miles"}) : QStringList({"km", "miles checked"}));
        }
        QCOMPARE(accessible(window()->clear_button())->text(QAccessible::Name), "Clear");

        predict();
        const Report want = run_tool(*find_tool("predict"), {{"distance", "5k"}, {"time", "20:00"}}).report;
        const QString main = "marathon: " + to_qstring(want.main_headline()->cell.text);
        QStringList names, heard_as;
        for (QLabel* label : window()->report()->findChildren<QLabel*>()) {
            names << accessible(label)->text(QAccessible::Name);
            heard_as << QString::number(accessible(label)->role());
        }
        const QString text = QString::number(QAccessible::StaticText), heading = QString::number(QAccessible::Heading);
        QCOMPARE(names, QStringList({"marathon", main, "race", "race: 5 km in 20:00", "model", "model: Riegel, exponent 1.06",
                                     "marathon", main}));
        QCOMPARE(heard_as, QStringList({text, heading, text, text, text, text, text, text}));

        QAccessibleInterface* table = accessible(window()->report_tables().at(0));
        QCOMPARE(QStringList({table->text(QAccessible::Name), QString::number(table->role())}),
                 QStringList({"Race prediction", QString::number(QAccessible::Table)}));
        for (int r = 0; r < table->tableInterface()->rowCount(); ++r) {
            for (int c = 0; c < table->tableInterface()->columnCount(); ++c) {
                QAccessibleInterface* cell = table->tableInterface()->cellAt(r, c);
                QAccessibleInterface* header = cell->tableCellInterface()->columnHeaderCells().value(0);
                const QString header_name = header->text(QAccessible::Name);
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(header));  // Qt leaves it to the caller
                QCOMPARE(QStringList({cell->text(QAccessible::Name), header_name}),
                         QStringList({to_qstring(want.tables[0].rows[r][c].text), to_qstring(want.tables[0].columns[c].label)}));
                // Names read from the left; times right-aligned, under headers aligned with them.
                const QTableWidget* shown = window()->report_tables().at(0);
                const bool right = !want.tables[0].columns[c].names;
                QCOMPARE(QList<bool>({bool(shown->item(r, c)->textAlignment() & Qt::AlignRight),
                                      bool(shown->horizontalHeaderItem(c)->textAlignment() & Qt::AlignRight)}),
                         QList<bool>({right, right}));
            }
        }
        // A wrong entry: the field says why, and the report is announced as unavailable.
        probe_->enter(1, "0:00");
        QCOMPARE(accessible(field(1))->text(QAccessible::Description), "must be above zero");
        QVERIFY(table->state().disabled);
        QCOMPARE(accessible(window()->report_area())->state().disabled, false);  // it still scrolls
    }

    // The report area's accessible children stay as they are while its scroll bar comes and
    // goes, and there is none past the last: an assistive technology asking for one just as
    // the bar goes gets nothing, where Qt's own scroll area interface crashed the program.
    void the_report_area_keeps_its_children_as_its_scroll_bar_comes_and_goes() {
        QAccessibleInterface* area = accessible(window()->report_area());
        const int children = area->childCount();
        QVERIFY(!window()->report_area()->verticalScrollBar()->isVisible());
        predict();
        window()->resize(window()->width(), window()->height() / 2);
        area = accessible(window()->report_area());
        QTRY_VERIFY(window()->report_area()->verticalScrollBar()->isVisible());
        QCOMPARE(area->childCount(), children);
        QVERIFY(!area->child(children));
    }

    // However the list's selection changes (the mouse, the keys, an assistive technology's
    // selection or an item's action), the tool shown is the one selected, which is also
    // the current one; what would leave none selected keeps the tool shown as typed.
    void the_tool_shown_follows_every_way_of_choosing() {
        QListWidget* list = window()->tool_list();
        QAccessibleInterface* a11y = accessible(list);
        QAccessibleTableInterface* table = a11y->tableInterface();
        const auto act = [table](int row) { table->cellAt(row, 0)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction()); };
        const auto key = [list](Qt::Key key, Qt::KeyboardModifiers keys = {}) {
            list->setFocus();
            QTest::keyClick(list, key, keys);
        };
        const auto shows = [this](int row) {
            QStringList labels;
            for (const EntryField& f : entry_fields(tools()[static_cast<std::size_t>(row)])) labels << without_mnemonic(to_qstring(f.label));
            QStringList shown;
            for (const std::string& label : probe_->labels()) shown << QString::fromStdString(label);
            return probe_->chosen_tool() == row && shown == labels;
        };
        using Choose = std::function<void(int)>;
        const std::pair<const char*, Choose> choosing[] = {
            {"a click", [this](int row) { probe_->choose_tool(row); }},
            {"Down and Up", [list, key](int row) {
                 while (list->currentRow() != row) key(list->currentRow() < row ? Qt::Key_Down : Qt::Key_Up);
             }},
            {"the accessible selection", [table](int row) { table->selectRow(row); }},
            {"the item's accessible action", act},
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
            {"the accessible selection's select", [a11y, table](int row) { a11y->selectionInterface()->select(table->cellAt(row, 0)); }},
#endif
            {"the selection model", [list](int row) { list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::ClearAndSelect); }},
        };
        const int count = static_cast<int>(tools().size());
        for (const auto& [way, choose] : choosing) {
            for (int i = 1; i <= count; ++i) {
                const int row = (list->currentRow() + 1) % count;  // each choice another tool
                choose(row);
                QVERIFY2(shows(row), qPrintable(QString("%1: %2").arg(way, list->item(row)->text())));
            }
        }
        const std::pair<const char*, Choose> unchoosing[] = {
            {"Ctrl+click", [this](int) { probe_->choose_no_tool(); }},
            {"Ctrl+Space", [key](int) { key(Qt::Key_Space, Qt::ControlModifier); }},
            {"the chosen item's accessible action", act},
            {"the accessible unselection", [table](int row) { table->unselectRow(row); }},
            {"the selection cleared", [list](int) { list->clearSelection(); }},
        };
        const int predict = index_of("predict");
        probe_->choose_tool(predict);
        probe_->enter(0, "5k");
        for (const auto& [way, unchoose] : unchoosing) {
            unchoose(predict);
            QVERIFY2(shows(predict) && probe_->entry_shown(0) == "5k", way);
        }
    }

    // Ctrl+C copies the report from anywhere; a field's own selection stays its own.
    void ctrl_c_copies_the_report_and_a_selection_stays_its_own() {
        predict();
        const std::string tsv = report_tsv(run_tool(*find_tool("predict"), {{"distance", "5k"}, {"time", "20:00"}}).report);
        for (QWidget* widget : {static_cast<QWidget*>(window()->tool_list()), static_cast<QWidget*>(window()->report_tables().at(0)),
                                field(2), field(4)}) {
            QGuiApplication::clipboard()->clear();
            widget->setFocus();
            probe_->copy();
            QVERIFY2(probe_->clipboard() == tsv, qPrintable(widget->metaObject()->className()));
        }
        field(0)->setFocus();
        QTest::keyClick(field(0), Qt::Key_A, Qt::ControlModifier);
        probe_->copy();
        QCOMPARE(probe_->clipboard(), "5k");
    }

    void escape_closes_from_every_kind_of_control() {
        for (int entry : {-1, 0, 2, 4}) {  // the tool list, a line edit, a drop-down list, a check box
            reopen("predict");
            QWidget* control = entry < 0 ? window()->tool_list() : field(entry);
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Escape);
            QVERIFY2(!window()->isVisible(), qPrintable(control->metaObject()->className()));
        }
        predict();
        QTest::keyClick(window()->report_tables().at(0), Qt::Key_Escape);
        QVERIFY(!window()->isVisible());
    }

    // Alt+letter reaches every entry of every tool, the tool list and the report; Tab
    // goes through every control in reading order, top to bottom, left to right in a row.
    void alt_letters_and_tab_follow_the_layout() {
        const auto alt = [this](QChar letter) { QTest::keyClick(window(), Qt::Key(letter.toUpper().unicode()), Qt::AltModifier); };
        for (const Tool& tool : tools()) {
            probe_->choose_tool(index_of(tool.name));
            const auto entries = entry_fields(tool);
            for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
                const QString label = to_qstring(entries[static_cast<std::size_t>(i)].label);
                alt(label[label.indexOf('&') + 1]);
                QVERIFY2(QApplication::focusWidget() == field(i), qPrintable(label));
            }
        }
        alt('t');
        QCOMPARE(QApplication::focusWidget(), window()->tool_list());
        alt('r');
        QCOMPARE(QApplication::focusWidget(), window()->report_area());
        for (const Units units : {Units::Miles, Units::Km}) {  // Alt+U: the unit chosen
            probe_->choose_units(units);
            window()->tool_list()->setFocus();
            alt('u');
            QCOMPARE(QApplication::focusWidget(), window()->unit_button(units));
        }
        probe_->choose_tool(index_of("pace"));
        probe_->enter(0, "10k");
        alt('l');  // a button's mnemonic presses it, and lets it go a moment later
        QTRY_COMPARE(QString::fromStdString(probe_->entry_shown(0)), QString());

        predict();
        window()->tool_list()->setFocus();
        QList<QWidget*> stops{window()->tool_list()};
        for (QTest::keyClick(stops.back(), Qt::Key_Tab); QApplication::focusWidget() != stops.front();
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            stops << QApplication::focusWidget();
        int focusable = 0;
        for (QWidget* w : window()->findChildren<QWidget*>()) focusable += w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
        QCOMPARE(stops.size(), focusable);
        for (qsizetype i = 2; i < stops.size(); ++i) {  // after the list on the left
            const QRect a(stops[i - 1]->mapTo(window(), QPoint()), stops[i - 1]->size());
            const QRect b(stops[i]->mapTo(window(), QPoint()), stops[i]->size());
            const bool same_row = std::abs(a.center().y() - b.center().y()) < std::min(a.height(), b.height()) / 2;
            QVERIFY2(same_row ? b.left() > a.left() : b.top() > a.top(), qPrintable(stops[i]->metaObject()->className()));
        }
    }

    // Print…, Save as PDF… and Save… act on the report's documents, only while it has some
    // and is current: a printable SVG goes on paper at its true size.
    void documents_print_and_save_only_while_a_report_has_them() {
        predict();
        const auto enabled = [this] {
            return QList<bool>{window()->print_button()->isEnabled(), window()->pdf_button()->isEnabled(), window()->save_button()->isEnabled()};
        };
        QCOMPARE(enabled(), QList<bool>({false, false, false}));
        QtToolPanel panel(*window());
        panel.show_report(report_with_documents());
        panel.set_report_current(false);
        QCOMPARE(enabled(), QList<bool>({false, false, false}));
        panel.set_report_current(true);
        QCOMPARE(enabled(), QList<bool>({true, true, true}));

        // Each file dialog offers the document's own name, in the folder the program runs in.
        QTemporaryDir dir;
        const QString was = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const auto accept = [](QDialog& d) { d.accept(); };
        answer_when_shown(QApplication::activePopupWidget, [](QWidget& menu) {  // Save… offers each document by name: the second, the CSV
            for (const auto key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}) QTest::keyClick(&menu, key);
        });
        answer_dialog(accept);
        QTest::mouseClick(window()->save_button(), Qt::LeftButton);
        // Alt+letter presses a document button as a click does.
        const auto alt = [this](std::string_view label) {
            window()->activateWindow();  // as it is again when a file dialog closes
            QVERIFY(QTest::qWaitForWindowActive(window()));
            const QString text = to_qstring(label);
            QTest::keyClick(window(), Qt::Key(text[text.indexOf('&') + 1].toUpper().unicode()), Qt::AltModifier);
        };
        answer_dialog(accept);
        alt(PANEL_SAVE_PDF_LABEL);
        QTRY_VERIFY(QFile::exists(dir.filePath("pace-band.pdf")));
        QDir::setCurrent(was);
        QFile csv(dir.filePath("pace-band.csv")), pdf(dir.filePath("pace-band.pdf"));
        QVERIFY(csv.open(QIODevice::ReadOnly) && pdf.open(QIODevice::ReadOnly) && !QFile::exists(dir.filePath("pace-band.svg")));
        QCOMPARE(csv.readAll(), "km,time\n1,4:00\n");
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF") && bytes.count("/Type /Page\n") == 2);  // the printable two, a page each

        bool asked = false;
        answer_dialog([&asked](QDialog& d) { asked = qobject_cast<QPrintDialog*>(&d), d.reject(); });
        alt(PANEL_PRINT_LABEL);
        QTRY_VERIFY(asked);

        // 100 x 50 mm at 10 dots per mm, and the same shrunk to fit 500 dots across or 100 down.
        for (const auto& [fit, drawn] : {std::pair{QSize(2000, 2000), QSize(1000, 500)}, {QSize(500, 2000), QSize(500, 250)},
                                         {QSize(2000, 100), QSize(200, 100)}}) {
            QImage paper(2000, 2000, QImage::Format_RGB32);
            paper.setDotsPerMeterX(10000), paper.setDotsPerMeterY(10000);
            paper.fill(Qt::white);
            QPainter painter(&paper);
            draw_true_size(painter, window()->documents()[0], fit);
            painter.end();
            const int w = drawn.width(), h = drawn.height();
            QCOMPARE(QList<QRgb>({paper.pixel(w - 2, h - 2), paper.pixel(w + 2, h / 2), paper.pixel(w / 2, h + 2)}),
                     QList<QRgb>({qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 255, 255)}));
        }
    }

    // A first run's units follow the locale: miles where it measures as the United States
    // do, km elsewhere; once chosen, the choice stands whatever the locale.
    void the_units_of_a_first_run_follow_the_locale() {
        const std::pair<const char*, Units> locales[] = {
            {"en_US", Units::Miles}, {"es_US", Units::Miles}, {"en_GB", Units::Km}, {"de_DE", Units::Km}, {"C", Units::Km}};
        for (const auto& [name, units] : locales) {
            probe_.reset();
            QFile::remove(settings_file());
            QLocale::setDefault(QLocale(name));
            reopen();
            QVERIFY2(probe_->units() == units && units_of(QLocale(name)) == units, name);
        }
        probe_->choose_units(Units::Miles);
        QLocale::setDefault(QLocale("de_DE"));
        probe_->restart(0);
        QLocale::setDefault(QLocale::system());
        QCOMPARE(probe_->units(), Units::Miles);
    }

    // quorran --toolbox pace FILE: the run tool takes the file, whichever tool was named.
    void a_file_named_when_the_window_opens() {
        const std::string path = probe_->sample_run("fit/compressed-speed-distance.fit");
        QSettings settings(folder_.filePath("named.conf"), QSettings::IniFormat);
        SettingsMemory memory(settings);
        memory.remember("units", "km");
        ToolboxWindow named(memory, "pace", nullptr, path);
        QCOMPARE(named.tool_list()->currentRow(), index_of("run"));
        QCOMPARE(qobject_cast<QLineEdit*>(named.entry_rows().at(0).field)->text().toStdString(), path);
        QVERIFY(named.main_answer() && named.main_answer()->text() == "10.25 km");
    }

    // What the settings file keeps is what was typed, however odd, read back by another
    // QSettings; an empty text leaves no key behind.
    void the_settings_file_keeps_any_text() {
        const QString texts[] = {"3,1",  "10 km, 45:00", "@Variant(x)", " 5k ", "10 \u043a\u043c", "a=b;c", "#x",
                                 "\"q\"", "back\\slash", "1/2", "true", "[general]"};
        const QString file = folder_.filePath("odd.conf");
        for (const QString& text : texts) {
            {
                QSettings settings(file, QSettings::IniFormat);
                SettingsMemory memory(settings);
                memory.remember("entry.distance", text.toStdString());
            }
            QSettings settings(file, QSettings::IniFormat);
            QCOMPARE(to_qstring(SettingsMemory(settings).recall("entry.distance")), text);
        }
        {
            QSettings settings(file, QSettings::IniFormat);
            SettingsMemory(settings).remember("entry.distance", "");
        }
        QVERIFY(!QSettings(file, QSettings::IniFormat).contains("entry.distance"));
    }
};

}  // namespace quorran

QTEST_MAIN(quorran::ToolboxWindowTest)
#include "toolbox_window_test.moc"
