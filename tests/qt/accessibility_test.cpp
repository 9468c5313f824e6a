// The Qt dialog as a screen reader and a keyboard user meet it: the accessible name,
// role and group of every control, the entry fields' length limit and Enter in a list.
#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "core/control_ids.h"
#include "ui/dialog_strings.h"
#include "ui/dialog_template.h"
#include "ui/qt/main_dialog.h"

namespace quorran {

class AccessibilityTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainDialog> dialog_;

    QWidget* control(int id) const { return dialog_control(*dialog_, id); }

private slots:
    void init() {
        dialog_ = std::make_unique<MainDialog>();
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
    }
    void cleanup() { dialog_.reset(); }

    // Each field is named by its label and sits in its group box; the lists keep their
    // names when a calculation fills them.
    void every_control_has_its_name_role_and_group() {
        for (const auto& [id, keys] : {std::pair{IDC_PACE_DISTANCE, "h"}, {IDC_PACE_HOURS, "1"},
                                       {IDC_FINISH_DISTANCE, "m"}, {IDC_FINISH_PACE_MINUTES, "8"}})
            QTest::keyClicks(control(id), keys);
        for (const int id : {IDC_PACE_CALCULATE, IDC_FINISH_CALCULATE}) QTest::mouseClick(control(id), Qt::LeftButton);
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
            const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control(r.id));
            const QString group = a->parent()->text(QAccessible::Name);
            QCOMPARE(QStringList({a->text(QAccessible::Name), QString::number(a->role()), group}),
                     QStringList({r.name, QString::number(r.role), r.group}));
        }
    }

    // What a field shows is what the calculator reads: no field takes more than 79 characters.
    void entry_fields_take_79_characters() {
        for (const ControlTemplate& row : dialog_controls()) {
            if (row.window_class != "Edit") continue;
            QTest::keyClicks(control(row.id), QString(100, '0') + "26.2");
            QCOMPARE(qobject_cast<QLineEdit*>(control(row.id))->text(), QString(79, '0'));
        }
    }

    // Tabbed into, a list's text is selected; one Enter presses Close.
    void one_enter_in_a_list_closes() {
        for (const int before : {IDC_FINISH_CALCULATE, IDC_SPLITS}) {
            QSignalSpy finished(dialog_.get(), &QDialog::finished);
            control(before)->setFocus();
            for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Return}) QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(finished.size(), 1);
            init();
        }
    }
};

}  // namespace quorran

QTEST_MAIN(quorran::AccessibilityTest)
#include "accessibility_test.moc"
