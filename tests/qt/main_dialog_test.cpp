// The Qt dialog through its real widgets: the view-behaviour suite, then what only the
// toolkit shows: where the controls sit, the default button, Enter and Escape, text limits,
// and what a screen reader hears.
#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "core/dialog/control_ids.h"
#include "tests/view_behaviour.h"
#include "ui/dialog_strings.h"
#include "ui/dialog_template.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/main_dialog.h"

namespace quorran {

namespace {

// The dialog driven with simulated keys and clicks; message boxes are read and answered OK.
class QtProbe final : public testing::DialogProbe {
public:
    explicit QtProbe(MainDialog& dialog) : dialog_(dialog), view_(dialog) {}
    CalculatorView& view() override { return view_; }
    void command(int control) override {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [this] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(window);
                if (!box || !box->isVisible()) continue;
                const char* icon = box->icon() == QMessageBox::Warning ? "warning" : "information";
                boxes_.push_back((box->windowTitle() + " | " + icon + " | " + box->text()).toStdString());
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll.start(5);
        QTest::mouseClick(as<QAbstractButton>(control), Qt::LeftButton);
    }
    void type(int control, std::string_view text) override {
        as<QLineEdit>(control)->clear();
        QTest::keyClicks(as<QLineEdit>(control), to_qstring(text));
    }
    bool checked(int control) override { return as<QAbstractButton>(control)->isChecked(); }
    std::string shown(int control) override {
        if (auto* list = as<QComboBox>(control)) {  // marked when its edit field does not show its start
            const QString text = list->currentText();
            return (list->lineEdit()->cursorPosition() == 0 || text.isEmpty() ? text : "(scrolled) " + text).toStdString();
        }
        return as<QLabel>(control)->text().toStdString();
    }
    std::vector<std::string> items(int list) override {
        std::vector<std::string> all;
        for (int i = 0; i < as<QComboBox>(list)->count(); ++i) all.push_back(as<QComboBox>(list)->itemText(i).toStdString());
        return all;
    }
    int focus() override {
        const QWidget* widget = dialog_.focusWidget();  // also while a closed box left the dialog inactive
        // The nearest control with an identifier: a list's edit field belongs to its list.
        while (widget && !widget->objectName().toInt()) widget = widget->parentWidget();
        return widget ? widget->objectName().toInt() : 0;
    }
    std::vector<std::string> boxes() override { return std::exchange(boxes_, {}); }
    bool open() override { return dialog_.isVisible(); }

    template <class Widget>
    Widget* as(int id) const { return qobject_cast<Widget*>(dialog_control(dialog_, id)); }

private:
    MainDialog& dialog_;
    QtCalculatorView view_;
    std::vector<std::string> boxes_;
};

}  // namespace

class MainDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainDialog> dialog_;
    std::unique_ptr<QtProbe> probe_;

    void reopen() {
        dialog_ = std::make_unique<MainDialog>();
        probe_ = std::make_unique<QtProbe>(*dialog_);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
    }

private slots:
    void init() { reopen(); }
    void cleanup() { probe_.reset(), dialog_.reset(); }

    void view_behaviour() {
        std::string failed;
        for (const auto& failure : check_view_behaviour(*probe_)) failed += failure + "; ";
        QVERIFY2(failed.empty(), failed.c_str());
    }

    void the_dialog_and_its_controls_sit_on_their_template_rectangles() {
        const BaseUnits units = base_units(dialog_->font());
        for (const QSize size : {dialog_->size(), dialog_->minimumSize(), dialog_->maximumSize()})
            QCOMPARE(size, to_pixels(units, 0, 0, QUORRAN_DIALOG_WIDTH, QUORRAN_DIALOG_HEIGHT).size());
        for (const ControlTemplate& t : dialog_controls()) {
            const QWidget* widget = dialog_control(*dialog_, t.id);
            // Controls inside a group box are its children: compare in the dialog's coordinates.
            const QRect want = to_pixels(units, t.x, t.y, t.width, t.height);
            const QRect got(widget->mapTo(dialog_.get(), QPoint(0, 0)), widget->size());
            // A text that does not fit in this font widens its control away from its alignment;
            // a drop-down list's template height includes the part that drops down.
            const auto* label = qobject_cast<const QLabel*>(widget);
            const bool shows_text = qobject_cast<const QRadioButton*>(widget) || (label && !label->text().isEmpty());
            const bool right_aligned = label && (label->alignment() & Qt::AlignRight);
            QVERIFY2(got.top() == want.top() && (right_aligned ? got.right() == want.right() : got.left() == want.left()),
                     qPrintable(widget->objectName()));
            QCOMPARE(got.height(), t.window_class == "ComboBox" ? widget->sizeHint().height() : want.height());
            QCOMPARE(got.width(), std::max(want.width(), shows_text ? widget->sizeHint().width() : 0));
        }
    }

    // Enter in any field presses Close, the default button, and ends the dialog with 0, as a
    // window manager's close does; Escape does nothing. Tabbed into, a list's text is
    // selected, and one Enter still closes. A field takes only the 79 characters it reads.
    void enter_and_the_window_manager_end_the_dialog_with_0_and_escape_does_not() {
        for (const int id : {IDC_PACE_DISTANCE, IDC_PER_KM, IDC_ABOUT, IDC_SPLITS})
            QTest::keyClick(dialog_control(*dialog_, id), Qt::Key_Escape);
        QVERIFY(dialog_->isVisible());
        for (const ControlTemplate& row : dialog_controls()) {
            if (row.window_class != "Edit" && row.window_class != "ComboBox") continue;
            for (const QString& typed : {QString(), QString(100, '0') + "26.2"}) {
                reopen();
                QSignalSpy finished(dialog_.get(), &QDialog::finished);
                QWidget* field = dialog_control(*dialog_, row.id);
                field->setFocus(Qt::TabFocusReason);
                QTest::keyClicks(QApplication::focusWidget(), typed + '\r');
                QVERIFY2(finished.size() == 1 && finished[0][0].toInt() == 0 && !dialog_->isVisible(),
                         qPrintable(field->objectName()));
                const auto* list = qobject_cast<QComboBox*>(field);
                const QLineEdit* line = list ? list->lineEdit() : qobject_cast<QLineEdit*>(field);
                if (!typed.isEmpty()) QCOMPARE(line->text(), QString(79, '0'));
                if (list) QCOMPARE(list->count(), 1);  // and Enter adds no line to a list
            }
        }
        reopen();
        QSignalSpy finished(dialog_.get(), &QDialog::finished);
        dialog_->close();
        QVERIFY(finished.size() == 1 && finished[0][0].toInt() == 0);
    }

    // Each field is named by its label and sits in its group box; the lists keep their
    // names when a calculation fills them.
    void every_control_has_its_name_role_and_group() {
        for (const auto& [id, keys] : {std::pair{IDC_PACE_DISTANCE, "h"}, {IDC_PACE_HOURS, "1"},
                                       {IDC_FINISH_DISTANCE, "m"}, {IDC_FINISH_PACE_MINUTES, "8"}})
            probe_->type(id, keys);
        for (const int id : {IDC_PACE_CALCULATE, IDC_FINISH_CALCULATE}) probe_->command(id);
        const QString pace = "Find Pace", finish = "Find Finish Time", dialog = QUORRAN_DIALOG_CAPTION;
        const QAccessible::Role edit = QAccessible::EditableText, radio = QAccessible::RadioButton,
                                button = QAccessible::Button, list = QAccessible::ComboBox;
        const struct { int id; QString name; QAccessible::Role role; QString group; } rows[] = {
            {IDC_CLOSE, "Close", button, dialog}, {IDC_ABOUT, "About", button, dialog},
            {65535, pace, QAccessible::Grouping, dialog}, {1026, finish, QAccessible::Grouping, dialog},
            {IDC_PACE_DISTANCE, "Distance:", edit, pace}, {IDC_PACE_HOURS, "Hours:", edit, pace},
            {IDC_PACE_MINUTES, "Minutes:", edit, pace}, {IDC_PACE_SECONDS, "Seconds:", edit, pace},
            {IDC_PACE_MILES, "Miles", radio, pace}, {IDC_PACE_KM, "km", radio, pace},
            {IDC_PACE_CALCULATE, "Calculate", button, pace}, {IDC_OTHER_FORMATS, "Other Formats", list, pace},
            {IDC_FINISH_DISTANCE, "Distance:", edit, finish}, {IDC_FINISH_PACE_MINUTES, "Minutes:", edit, finish},
            {IDC_FINISH_MILES, "Miles", radio, finish}, {IDC_FINISH_KM, "km", radio, finish},
            {IDC_PER_MILE, "per mile", radio, finish}, {IDC_PER_KM, "per km", radio, finish},
            {IDC_FINISH_PACE_SECONDS, "Seconds:", edit, finish}, {IDC_FINISH_CALCULATE, "Calculate", button, finish},
            {IDC_SPLITS, "Splits", list, finish}, {1028, "Pace:", QAccessible::StaticText, finish},
        };
        for (const auto& r : rows) {
            const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(dialog_control(*dialog_, r.id));
            const QString group = a->parent()->text(QAccessible::Name);
            QCOMPARE(QStringList({a->text(QAccessible::Name), QString::number(a->role()), group}),
                     QStringList({r.name, QString::number(r.role), r.group}));
        }
    }

    // get_text gives at most 79 bytes of UTF-8, and cuts no character in two.
    void get_text_cuts_whole_characters() {
        probe_->as<QLineEdit>(IDC_PACE_DISTANCE)->setText(QString(77, 'a') + u'\u20ac' + QString(20, 'b'));
        QCOMPARE(probe_->view().get_text(IDC_PACE_DISTANCE), std::string(77, 'a'));
    }
};

}  // namespace quorran

QTEST_MAIN(quorran::MainDialogTest)
#include "main_dialog_test.moc"
