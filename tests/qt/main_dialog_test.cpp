// The Qt dialog through its real widgets: simulated keys and mouse clicks in, what the
// controls show out.
#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

#include "core/control_ids.h"
#include "core/messages.h"
#include "ui/dialog_strings.h"
#include "ui/dialog_template.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/main_dialog.h"

namespace quorran {

class MainDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainDialog> dialog_;

    QWidget* control(int id) const { return dialog_control(*dialog_, id); }
    template <class Widget>
    Widget* as(int id) const { return qobject_cast<Widget*>(control(id)); }
    QString text(int id) const { return to_qstring(QtCalculatorView(*dialog_).get_text(id)); }
    bool checked(int id) const { return as<QAbstractButton>(id)->isChecked(); }
    QStringList items(int id) const {
        QStringList all;
        for (int i = 0; i < as<QComboBox>(id)->count(); ++i) all << as<QComboBox>(id)->itemText(i);
        return all;
    }
    // Every control's text and check mark, and both lists' items.
    QStringList everything() const {
        QStringList state;
        for (const ControlTemplate& row : dialog_controls())
            state << text(row.id) + (as<QAbstractButton>(row.id) && checked(row.id) ? "*" : "");
        return state + items(IDC_SPLITS) + items(IDC_OTHER_FORMATS);
    }
    // The control (one with an identifier) that holds the keyboard focus.
    int focused() const {
        const QWidget* widget = QApplication::focusWidget();
        while (widget && !widget->objectName().toInt()) widget = widget->parentWidget();
        return widget ? widget->objectName().toInt() : 0;
    }
    void click(int id) { QTest::mouseClick(as<QAbstractButton>(id), Qt::LeftButton); }
    void type(int id, const QString& keys) {
        QTest::mouseClick(control(id), Qt::LeftButton);
        QTest::keyClicks(control(id), keys);
    }
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    // Runs action on the next message box, once it is open (while the dialog lives).
    void on_next_box(std::function<void(QMessageBox*)> action) {
        QTimer::singleShot(5, dialog_.get(), [this, action] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) return action(box);
            on_next_box(action);
        });
    }
    void reopen() {
        dialog_ = std::make_unique<MainDialog>();
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
    }

private slots:
    void init() { reopen(); }
    void cleanup() { dialog_.reset(); }

    void opens_with_the_defaults_and_the_focus_in_the_pace_distance() {
        QCOMPARE(dialog_->windowTitle(), QUORRAN_DIALOG_CAPTION);
        QVERIFY(!dialog_->windowIcon().isNull() && !as<QLabel>(102)->pixmap().isNull());
        QVERIFY(!(dialog_->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        for (const int id : {IDC_PACE_MILES, IDC_FINISH_MILES, IDC_PER_MILE}) QVERIFY(checked(id));
        QCOMPARE(items(IDC_SPLITS) + items(IDC_OTHER_FORMATS) << text(IDC_SPLITS) << text(IDC_OTHER_FORMATS),
                 QStringList({"Splits", "Other Formats", "Splits", "Other Formats"}));
        QCOMPARE(focused(), IDC_PACE_DISTANCE);
    }

    void the_dialog_and_its_controls_sit_on_their_template_rectangles() {
        // Dialog units round to pixels as MulDiv does, halves up (base units 6 x 13).
        QCOMPARE(to_pixels({6, 13}, 1, 4, 3, 12), QRect(2, 7, 5, 20));
        const BaseUnits units = base_units(dialog_->font());
        for (const QSize size : {dialog_->size(), dialog_->minimumSize(), dialog_->maximumSize()})
            QCOMPARE(size, to_pixels(units, 0, 0, QUORRAN_DIALOG_WIDTH, QUORRAN_DIALOG_HEIGHT).size());
        for (const ControlTemplate& t : dialog_controls()) {
            const QWidget* widget = control(t.id);
            const QRect want = to_pixels(units, t.x, t.y, t.width, t.height);
            const QRect got(widget->mapTo(dialog_.get(), QPoint(0, 0)), widget->size());
            // A text that does not fit in this font widens its control away from its alignment;
            // a drop-down list's template height includes the part that drops down.
            const auto* label = qobject_cast<const QLabel*>(widget);
            const bool shows_text = qobject_cast<const QRadioButton*>(widget) || (label && !label->text().isEmpty());
            const bool right_aligned = label && (label->alignment() & Qt::AlignRight);
            const bool anchored = right_aligned ? got.right() == want.right() : got.left() == want.left();
            QVERIFY2(got.top() == want.top() && anchored, qPrintable(widget->objectName()));
            QCOMPARE(got.height(), t.window_class == "ComboBox" ? widget->sizeHint().height() : want.height());
            QCOMPARE(got.width(), std::max(want.width(), shows_text ? widget->sizeHint().width() : 0));
        }
    }

    // Tab and Backtab go round the template's tab stops in template order.
    void tab_order() {
        QList<int> stops;
        for (const ControlTemplate& t : dialog_controls())
            if (t.style & window_style::WS_TABSTOP) stops << t.id;
        control(stops.first())->setFocus();
        for (qsizetype i = 1; i <= stops.size(); ++i) {
            press(Qt::Key_Tab);
            QCOMPARE(focused(), stops[i % stops.size()]);
        }
        press(Qt::Key_Backtab);
        QCOMPARE(focused(), stops.last());
    }

    // Typing into the entry fields and the lists changes nothing else; clicks and arrow keys
    // move the check within each radio group alone, and change nothing else either.
    void the_other_controls_do_nothing_and_the_three_radio_groups_are_separate() {
        on_next_box([](QMessageBox* box) { box->close(); QFAIL("a message box opened"); });
        for (const ControlTemplate& t : dialog_controls())
            if (t.window_class == "Edit") type(t.id, "1");
        type(IDC_OTHER_FORMATS, "typed");
        QTest::keyClick(control(IDC_SPLITS), Qt::Key_Down);
        QCOMPARE(text(IDC_PACE_RESULT) + "|" + text(IDC_FINISH_RESULT), "Resultant Pace|Finish Time");
        QCOMPARE(items(IDC_SPLITS) + items(IDC_OTHER_FORMATS), QStringList({"Splits", "Other Formats"}));
        for (const auto& [first, second] : {std::pair{IDC_PACE_MILES, IDC_PACE_KM},
                                            std::pair{IDC_FINISH_MILES, IDC_FINISH_KM},
                                            std::pair{IDC_PER_MILE, IDC_PER_KM}}) {
            const QStringList before = everything();
            click(second);
            QVERIFY(checked(second) && !checked(first));
            press(Qt::Key_Up);
            QCOMPARE(focused(), first);
            QVERIFY(checked(first) && !checked(second));
            QCOMPARE(everything(), before);
        }
        QVERIFY(dialog_->isVisible());
    }

    // Enter in an entry field or a list's edit field presses Close, as a window manager's
    // close does; Escape does nothing. A list's edit field takes at most 79 characters,
    // and what is typed there never becomes an item.
    void enter_and_the_window_manager_end_the_dialog_with_0_and_escape_does_not() {
        for (const int id : {IDC_PACE_DISTANCE, IDC_PER_KM, IDC_ABOUT, IDC_SPLITS})
            QTest::keyClick(control(id), Qt::Key_Escape);
        QVERIFY(dialog_->isVisible());
        for (const int id : {IDC_PACE_DISTANCE, IDC_FINISH_PACE_SECONDS, IDC_SPLITS, IDC_OTHER_FORMATS, 0}) {
            QSignalSpy finished(dialog_.get(), &QDialog::finished);
            auto* list = as<QComboBox>(id);
            if (list) list->clearEditText();
            if (id == 0) dialog_->close();
            else type(id, QString(100, 'x') + '\r');  // and Enter
            QVERIFY(finished.size() == 1 && finished[0][0].toInt() == 0 && !dialog_->isVisible());
            if (list) QCOMPARE(items(id) << list->currentText(), QStringList({items(id)[0], QString(79, 'x')}));
            reopen();
        }
    }

    // One case each from typed entries; the core's own tests hold the texts for every case.
    void both_calculations_from_typed_entries() {
        const struct {
            QList<std::pair<int, QString>> entries;
            int button, result, list;
            QStringList shown;  // the result, the list's shown line and its number of lines
        } cases[] = {
            {{{IDC_PACE_DISTANCE, "26.21875"}, {IDC_PACE_HOURS, "3"}, {IDC_PACE_MINUTES, "30"}}, IDC_PACE_CALCULATE,
             IDC_PACE_RESULT, IDC_OTHER_FORMATS, {" 8:00.6 per mile", " 119.4 secs or  1:59.4 per 400m", "9"}},
            {{{IDC_FINISH_DISTANCE, "m"}, {IDC_FINISH_PACE_MINUTES, "8"}}, IDC_FINISH_CALCULATE, IDC_FINISH_RESULT,
             IDC_SPLITS, {" 3 hours, 29 mins, 45.0 secs", " 1 m                 8:00.0", "36"}}};
        for (const auto& c : cases) {
            for (const auto& [id, keys] : c.entries) type(id, keys);
            click(c.button);
            QCOMPARE(QStringList({text(c.result), text(c.list), QString::number(items(c.list).size())}), c.shown);
            QCOMPARE(as<QComboBox>(c.list)->lineEdit()->cursorPosition(), 0);  // shown from its start
            QCOMPARE(focused(), c.entries.first().first);
        }
    }

    // A box with its caption, icon, text and OK alone, not modal; the dialog stays as it was.
    void message_boxes_show_their_text_and_change_nothing_else() {
        type(IDC_PACE_HOURS, "1");  // and no distance
        const QStringList before = everything();
        for (const auto& [button, icon, message] :
             {std::tuple{IDC_PACE_CALCULATE, QMessageBox::Warning, DISTANCE_ZERO_WARNING},
              std::tuple{IDC_ABOUT, QMessageBox::Information, ABOUT_TEXT}}) {
            QStringList seen;
            on_next_box([&seen](QMessageBox* box) {
                seen = {box->windowTitle(), QString::number(box->icon()), box->text(),
                        QString::number(box->buttons().size()), QString::number(box->windowModality())};
                box->button(QMessageBox::Ok)->click();
            });
            click(button);
            QCOMPARE(seen, QStringList({to_qstring(MESSAGE_CAPTION), QString::number(icon), to_qstring(message), "1",
                                        QString::number(Qt::NonModal)}));
            QCOMPARE(everything(), before);
        }
    }

    // The box has no owner, so Close can be clicked under it: the program ends, and the box with it.
    void close_while_a_box_is_open_ends_the_program() {
        on_next_box([this](QMessageBox*) { click(IDC_CLOSE); });
        QTimer::singleShot(0, dialog_.get(), [this] { click(IDC_ABOUT); });
        QTimer::singleShot(10000, dialog_.get(), [] { QCoreApplication::exit(-1); });  // a hang
        QCOMPARE(run(*dialog_), 0);
        for (const QWidget* window : QApplication::topLevelWidgets()) QVERIFY(!window->isVisible());
    }

    void get_text_and_list_select_prefix() {
        // At most 79 bytes of UTF-8, and no character cut in two.
        as<QLineEdit>(IDC_PACE_DISTANCE)->setText(QString(77, 'a') + u'\u20ac' + QString(20, 'b'));
        QCOMPARE(text(IDC_PACE_DISTANCE), QString(77, 'a'));
        // The search starts after the index, wraps round and ignores case; no match changes nothing.
        QtCalculatorView view(*dialog_);
        view.list_clear(IDC_SPLITS);
        for (const char* item : {"Splits", "Other", "5 km", "sub-3"}) view.list_add(IDC_SPLITS, item);
        QCOMPARE(text(IDC_SPLITS), QString());  // adding selects nothing
        const struct { int after; std::string_view prefix; int selected; } searches[] = {
            {-1, "s", 0}, {0, "S", 3}, {3, "sp", 0}, {1, "O", 1}, {0, "x", 1}};
        for (const auto& c : searches) {
            view.list_select_prefix(IDC_SPLITS, c.after, c.prefix);
            QCOMPARE(as<QComboBox>(IDC_SPLITS)->currentIndex(), c.selected);
            QCOMPARE(text(IDC_SPLITS), items(IDC_SPLITS)[c.selected]);
        }
    }
};

}  // namespace quorran

QTEST_MAIN(quorran::MainDialogTest)
#include "main_dialog_test.moc"
