// The Qt dialog as a screen reader and a keyboard user meet it: the accessible name,
// role and group of every control, the entry fields' length limit, Enter in a list,
// and an open list wide enough for its lines.
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
    QComboBox* list(int id) const { return qobject_cast<QComboBox*>(control(id)); }
    void type(int id, const QString& keys) {
        control(id)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(control(id), keys);
    }
    void calculate_both() {
        for (const auto& [id, keys] : {std::pair{IDC_PACE_DISTANCE, "h"}, {IDC_PACE_HOURS, "1"},
                                       {IDC_FINISH_DISTANCE, "m"}, {IDC_FINISH_PACE_MINUTES, "8"}})
            type(id, keys);
        for (const int id : {IDC_PACE_CALCULATE, IDC_FINISH_CALCULATE}) qobject_cast<QPushButton*>(control(id))->click();
    }

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
        calculate_both();
        const QString pace = "Find Pace", finish = "Find Finish Time", dialog = QUORRAN_DIALOG_CAPTION;
        using R = QAccessible::Role;
        const struct { int id; QString name; R role; QString group; } rows[] = {
            {102, "", R::Graphic, dialog},
            {IDC_CLOSE, "Close", R::Button, dialog},
            {IDC_ABOUT, "About", R::Button, dialog},
            {65535, pace, R::Grouping, dialog},
            {IDC_PACE_DISTANCE, "Distance:", R::EditableText, pace},
            {1003, "Distance:", R::StaticText, pace},
            {IDC_PACE_MILES, "Miles", R::RadioButton, pace},
            {IDC_PACE_KM, "km", R::RadioButton, pace},
            {IDC_PACE_HOURS, "Hours:", R::EditableText, pace},
            {IDC_PACE_MINUTES, "Minutes:", R::EditableText, pace},
            {IDC_PACE_SECONDS, "Seconds:", R::EditableText, pace},
            {IDC_PACE_CALCULATE, "Calculate", R::Button, pace},
            {IDC_PACE_RESULT, " 4:34.6 per mile", R::StaticText, pace},
            {1026, finish, R::Grouping, dialog},
            {IDC_FINISH_DISTANCE, "Distance:", R::EditableText, finish},
            {IDC_FINISH_MILES, "Miles", R::RadioButton, finish},
            {IDC_FINISH_KM, "km", R::RadioButton, finish},
            {1028, "Pace:", R::StaticText, finish},
            {IDC_PER_MILE, "per mile", R::RadioButton, finish},
            {IDC_PER_KM, "per km", R::RadioButton, finish},
            {IDC_FINISH_PACE_MINUTES, "Minutes:", R::EditableText, finish},
            {IDC_FINISH_PACE_SECONDS, "Seconds:", R::EditableText, finish},
            {IDC_FINISH_CALCULATE, "Calculate", R::Button, finish},
            {IDC_FINISH_RESULT, " 3 hours, 29 mins, 45.0 secs", R::StaticText, finish},
            {IDC_SPLITS, "Splits", R::ComboBox, finish},
            {1019, "", R::StaticText, dialog},
            {IDC_OTHER_FORMATS, "Other Formats", R::ComboBox, pace},
        };
        for (const auto& r : rows) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control(r.id));
            QCOMPARE(QStringList({a->text(QAccessible::Name), QString::number(int(a->role())),
                                  a->parent()->text(QAccessible::Name)}),
                     QStringList({r.name, QString::number(int(r.role)), r.group}));
        }
    }

    // What a field shows is what the calculator reads: no field takes more than 79 characters.
    void entry_fields_take_79_characters() {
        for (const ControlTemplate& row : dialog_controls()) {
            if (row.window_class != "Edit") continue;
            type(row.id, QString(100, '0') + "26.2");
            QCOMPARE(qobject_cast<QLineEdit*>(control(row.id))->text(), QString(79, '0'));
        }
    }

    // Tabbed into, a list's text is selected; one Enter still presses Close.
    void one_enter_in_a_list_closes() {
        for (const auto& [from, to] : {std::pair{IDC_FINISH_CALCULATE, IDC_SPLITS}, {IDC_SPLITS, IDC_OTHER_FORMATS}}) {
            QSignalSpy finished(dialog_.get(), &QDialog::finished);
            control(from)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(list(to)->lineEdit()->hasSelectedText());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(finished.size(), 1);
            init();
        }
    }

    // An open list shows each line whole; the closed list keeps its size.
    void an_open_list_is_as_wide_as_its_longest_line() {
        calculate_both();
        for (const int id : {IDC_SPLITS, IDC_OTHER_FORMATS}) {
            const int closed = list(id)->width();
            list(id)->showPopup();
            QAbstractItemView* view = list(id)->view();
            QTRY_VERIFY(view->isVisible());
            QVERIFY(view->viewport()->width() >= view->sizeHintForColumn(0));
            list(id)->hidePopup();
            QCOMPARE(list(id)->width(), closed);
        }
    }
};

}  // namespace quorran

QTEST_MAIN(quorran::AccessibilityTest)
#include "accessibility_test.moc"
