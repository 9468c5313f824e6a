// The Qt dialog through its real widgets: simulated keys and mouse clicks in, what the
// controls show out.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "core/control_ids.h"
#include "core/messages.h"
#include "ui/dialog_strings.h"
#include "ui/dialog_template.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/main_dialog.h"

namespace quorran {

namespace {
const QList<int> ENTRY_FIELDS = {IDC_PACE_DISTANCE,   IDC_PACE_HOURS,          IDC_PACE_MINUTES,       IDC_PACE_SECONDS,
                                 IDC_FINISH_DISTANCE, IDC_FINISH_PACE_MINUTES, IDC_FINISH_PACE_SECONDS};
}  // namespace

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
    // The control (a child of the dialog) that holds the keyboard focus.
    int focused() const {
        const QWidget* widget = QApplication::focusWidget();
        while (widget && widget->parentWidget() != dialog_.get()) widget = widget->parentWidget();
        return widget ? widget->objectName().toInt() : 0;
    }
    void click(int id) { QTest::mouseClick(as<QAbstractButton>(id), Qt::LeftButton); }
    void type(int id, const QString& keys) {
        QTest::mouseClick(control(id), Qt::LeftButton);
        QTest::keyClicks(control(id), keys);
    }
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    static bool shows_text(const QWidget* w) {
        const auto* label = qobject_cast<const QLabel*>(w);
        return qobject_cast<const QRadioButton*>(w) || (label && !label->text().isEmpty());
    }
    // Runs action on the next message box that opens, while it is open.
    void on_next_box(std::function<void(QMessageBox*)> action) {
        auto* poll = new QTimer(dialog_.get());
        connect(poll, &QTimer::timeout, poll, [poll, action] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                    delete poll;
                    return action(box);
                }
            }
        });
        poll->start(5);
    }
    // Notes the next box's caption, icon, text, number of buttons and modality, then presses OK.
    void answer_next_box(QStringList& seen) {
        on_next_box([&seen](QMessageBox* box) {
            seen = {box->windowTitle(), QString::number(box->icon()), box->text(),
                    QString::number(box->buttons().size()), QString::number(box->windowModality())};
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
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
        QCOMPARE(dialog_->size(), to_pixels(base_units(dialog_->font()), 0, 0, 280, 220).size());
        QCOMPARE(dialog_->minimumSize(), dialog_->maximumSize());
        QVERIFY(!(dialog_->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        for (const int id : {IDC_PACE_MILES, IDC_FINISH_MILES, IDC_PER_MILE}) QVERIFY(checked(id));
        for (const int id : {IDC_PACE_KM, IDC_FINISH_KM, IDC_PER_KM}) QVERIFY(!checked(id));
        QCOMPARE(items(IDC_SPLITS) << text(IDC_SPLITS), QStringList({"Splits", "Splits"}));
        QCOMPARE(items(IDC_OTHER_FORMATS) << text(IDC_OTHER_FORMATS), QStringList({"Other Formats", "Other Formats"}));
        QCOMPARE(focused(), IDC_PACE_DISTANCE);
    }

    void controls_sit_on_their_template_rectangles() {
        // Dialog units round to pixels as MulDiv does: 8-point MS Sans Serif has base units 6 x 13.
        QCOMPARE(to_pixels({6, 13}, 50, 197, 40, 14), QRect(75, 320, 60, 23));
        QCOMPARE(to_pixels({6, 13}, 1, 4, 3, 12), QRect(2, 7, 5, 20));  // halves round up
        for (const ControlTemplate& t : dialog_controls()) {
            const QWidget* widget = control(t.id);
            const QRect want = to_pixels(base_units(dialog_->font()), t.x, t.y, t.width, t.height);
            const QRect got = widget->geometry();
            const auto* label = qobject_cast<const QLabel*>(widget);
            const bool right_aligned = label && (label->alignment() & Qt::AlignRight);
            const bool anchored = right_aligned ? got.right() == want.right() : got.left() == want.left();
            QVERIFY2(got.top() == want.top() && anchored, qPrintable(widget->objectName()));
            // A drop-down list's template height includes the part that drops down; a text
            // that does not fit in this font widens its control.
            QCOMPARE(got.height(), t.window_class == "ComboBox" ? widget->sizeHint().height() : want.height());
            QCOMPARE(got.width(), std::max(want.width(), shows_text(widget) ? widget->sizeHint().width() : 0));
        }
    }

    void texts_fit_and_nothing_overlaps_even_at_twice_the_font_size() {
        const QFont desktop = QApplication::font();
        QFont large = desktop;
        large.setPointSizeF(desktop.pointSizeF() * 2);
        QApplication::setFont(large);
        MainDialog enlarged;
        QApplication::setFont(desktop);
        QVERIFY(enlarged.width() > 1.7 * dialog_->width() && enlarged.width() < 2.3 * dialog_->width());
        for (const MainDialog* d : {dialog_.get(), &enlarged}) {
            const QList<QWidget*> controls = d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (const QWidget* a : controls) {
                if (a->inherits("QGroupBox")) continue;
                QVERIFY(d->rect().contains(a->geometry()));
                QVERIFY2(!shows_text(a) || a->width() >= a->sizeHint().width(), qPrintable(a->objectName()));
                for (const QWidget* b : controls)
                    QVERIFY2(a == b || b->inherits("QGroupBox") || !a->geometry().intersects(b->geometry()),
                             qPrintable(a->objectName() + " overlaps " + b->objectName()));
            }
        }
    }

    void tab_visits_the_tab_stops_in_template_order() {
        const int stops[] = {IDC_PACE_DISTANCE, IDC_PACE_MILES, IDC_PACE_HOURS, IDC_PACE_MINUTES, IDC_PACE_SECONDS,
                             IDC_PACE_CALCULATE, IDC_FINISH_DISTANCE, IDC_FINISH_MILES, IDC_PER_MILE,
                             IDC_FINISH_PACE_MINUTES, IDC_FINISH_PACE_SECONDS, IDC_FINISH_CALCULATE, IDC_SPLITS,
                             IDC_OTHER_FORMATS, IDC_CLOSE, IDC_ABOUT, IDC_PACE_DISTANCE};
        const int last = int(std::size(stops)) - 1;
        for (int i = 1; i <= last; ++i) {
            press(Qt::Key_Tab);
            QCOMPARE(focused(), stops[i]);
        }
        for (int i = last - 1; i >= 0; --i) {
            press(Qt::Key_Backtab);
            QCOMPARE(focused(), stops[i]);
        }
        click(IDC_PER_KM);  // a radio group is entered at its checked button
        control(IDC_FINISH_MILES)->setFocus();
        press(Qt::Key_Tab);
        QCOMPARE(focused(), IDC_PER_KM);
    }

    void the_three_radio_groups_are_separate() {
        const std::pair<int, int> groups[] = {
            {IDC_PACE_MILES, IDC_PACE_KM}, {IDC_FINISH_MILES, IDC_FINISH_KM}, {IDC_PER_MILE, IDC_PER_KM}};
        for (const auto& [first, second] : groups) {
            const QStringList before = everything();
            click(second);
            QVERIFY(checked(second) && !checked(first));
            press(Qt::Key_Up);  // the arrow keys move and check within the group
            QCOMPARE(focused(), first);
            QVERIFY(checked(first) && !checked(second));
            QCOMPARE(everything(), before);
        }
    }

    void enter_and_the_window_manager_end_the_dialog_with_0_and_escape_does_not() {
        for (const int id : {IDC_PACE_DISTANCE, IDC_PER_KM, IDC_ABOUT, IDC_SPLITS}) {
            control(id)->setFocus();
            press(Qt::Key_Escape);
        }
        QVERIFY(dialog_->isVisible());
        for (const int id : ENTRY_FIELDS + QList{IDC_OTHER_FORMATS, 0}) {
            QSignalSpy finished(dialog_.get(), &QDialog::finished);
            if (id == 0) {
                QVERIFY(dialog_->close());  // as a window manager closes it
            } else {
                if (id == IDC_OTHER_FORMATS) as<QComboBox>(id)->clearEditText();
                type(id, QString(100, 'x'));
                press(Qt::Key_Return);
            }
            QCOMPARE(finished.size(), 1);
            QCOMPARE(finished[0][0].toInt(), 0);
            QVERIFY(!dialog_->isVisible());
            if (id == IDC_OTHER_FORMATS) {  // whose typed text is cut at 79 and never becomes an item
                QCOMPARE(as<QComboBox>(id)->currentText(), QString(79, 'x'));
                QCOMPARE(items(id).size(), 1);
            }
            reopen();
        }
    }

    void both_calculations_from_typed_entries() {
        const struct {
            QList<std::pair<int, QString>> entries;
            QList<int> clicks;  // radio buttons, then Calculate
            int result;
            QString shown;
            int list;
            qsizetype rows;
            QString row_shown;
        } cases[] = {
            {{{IDC_PACE_DISTANCE, "26.21875"}, {IDC_PACE_HOURS, "3"}, {IDC_PACE_MINUTES, "30"}}, {IDC_PACE_CALCULATE},
             IDC_PACE_RESULT, " 8:00.6 per mile", IDC_OTHER_FORMATS, 9, " 119.4 secs or  1:59.4 per 400m"},
            {{{IDC_FINISH_DISTANCE, "m"}, {IDC_FINISH_PACE_MINUTES, "8"}}, {IDC_FINISH_CALCULATE},
             IDC_FINISH_RESULT, " 3 hours, 29 mins, 45.0 secs", IDC_SPLITS, 36, " 1 m                 8:00.0"},
            {{{IDC_FINISH_DISTANCE, "10"}, {IDC_FINISH_PACE_MINUTES, "5"}},
             {IDC_FINISH_KM, IDC_PER_KM, IDC_FINISH_CALCULATE},
             IDC_FINISH_RESULT, "50 mins, 0.0 secs", IDC_SPLITS, 8, " 1 m                 8:02.8"},
        };
        for (const auto& c : cases) {
            reopen();
            for (const auto& [id, keys] : c.entries) type(id, keys);
            for (const int id : c.clicks) click(id);
            QCOMPARE(text(c.result), c.shown);
            QCOMPARE(items(c.list).size(), c.rows);
            QCOMPARE(text(c.list), c.row_shown);
            QCOMPARE(as<QComboBox>(c.list)->lineEdit()->cursorPosition(), 0);  // shown from its start
            QCOMPARE(focused(), c.entries.first().first);
            const bool pace = c.list == IDC_OTHER_FORMATS;  // the other group box keeps its captions
            QCOMPARE(text(pace ? IDC_FINISH_RESULT : IDC_PACE_RESULT), pace ? "Finish Time" : "Resultant Pace");
            QCOMPARE(items(pace ? IDC_SPLITS : IDC_OTHER_FORMATS).size(), 1);
        }
    }

    void message_boxes_show_their_text_and_change_nothing_else() {
        const struct {
            int field;
            QString keys;
            int button;
            QMessageBox::Icon icon;
            std::string_view message;
        } cases[] = {
            {IDC_PACE_HOURS, "1", IDC_PACE_CALCULATE, QMessageBox::Warning, DISTANCE_ZERO_WARNING},
            {IDC_PACE_DISTANCE, "h", IDC_PACE_CALCULATE, QMessageBox::Warning, TIME_ZERO_WARNING},
            {IDC_FINISH_DISTANCE, "5", IDC_FINISH_CALCULATE, QMessageBox::Warning, TIME_ZERO_WARNING},
            {IDC_FINISH_DISTANCE, "", IDC_ABOUT, QMessageBox::Information, ABOUT_TEXT},
        };
        type(IDC_PACE_DISTANCE, "3");  // an earlier result, which stays
        type(IDC_PACE_MINUTES, "21");
        click(IDC_PACE_CALCULATE);
        for (const int id : ENTRY_FIELDS) as<QLineEdit>(id)->clear();
        for (const auto& c : cases) {
            type(c.field, c.keys);
            const QStringList before = everything();
            QStringList seen;
            answer_next_box(seen);
            click(c.button);
            const QStringList box = {to_qstring(MESSAGE_CAPTION), QString::number(c.icon), to_qstring(c.message), "1",
                                     QString::number(Qt::NonModal)};
            QCOMPARE(seen, box);
            QCOMPARE(everything(), before);
            QCOMPARE(dialog_->focusWidget(), control(c.button));  // where the click put it
            as<QLineEdit>(c.field)->clear();
        }
    }

    void close_while_a_box_is_open_ends_the_program() {
        QString pace_under_the_box;
        const QWidget* modal = nullptr;
        bool hung = false;
        on_next_box([&](QMessageBox*) {  // the box has no owner: the dialog works on under it
            modal = QApplication::activeModalWidget();
            type(IDC_PACE_DISTANCE, "h");
            type(IDC_PACE_HOURS, "2");
            click(IDC_PACE_CALCULATE);
            pace_under_the_box = text(IDC_PACE_RESULT);
            click(IDC_CLOSE);
        });
        QTimer::singleShot(0, dialog_.get(), [this] { click(IDC_ABOUT); });
        QTimer::singleShot(10000, dialog_.get(), [&hung] {
            hung = true;
            QCoreApplication::exit(-1);
        });
        QCOMPARE(run(*dialog_), 0);
        QVERIFY(!hung && !modal);
        QCOMPARE(pace_under_the_box, " 9:09.2 per mile");
        for (const QWidget* window : QApplication::topLevelWidgets()) QVERIFY(!window->isVisible());
    }

    void the_other_controls_do_nothing() {
        QStringList seen;
        answer_next_box(seen);
        for (const int id : ENTRY_FIELDS) type(id, "1");
        for (const int id : {IDC_PACE_KM, IDC_FINISH_KM, IDC_PER_KM, IDC_PACE_MILES}) click(id);
        type(IDC_OTHER_FORMATS, "typed");
        QTest::keyClick(control(IDC_SPLITS), Qt::Key_Down);
        QCOMPARE(text(IDC_PACE_RESULT) + "|" + text(IDC_FINISH_RESULT), "Resultant Pace|Finish Time");
        QCOMPARE(items(IDC_SPLITS) + items(IDC_OTHER_FORMATS), QStringList({"Splits", "Other Formats"}));
        QVERIFY(seen.isEmpty() && dialog_->isVisible());
    }

    void get_text_and_list_select_prefix() {
        QtCalculatorView view(*dialog_);
        // At most 79 bytes of UTF-8, and no character cut in two.
        const std::pair<QString, QString> texts[] = {{QString(100, '1'), QString(79, '1')},
                                                     {QString(77, 'a') + u'\u20ac', QString(77, 'a')}};
        for (const auto& [typed, got] : texts) {
            as<QLineEdit>(IDC_PACE_DISTANCE)->setText(typed);
            QCOMPARE(text(IDC_PACE_DISTANCE), got);
        }
        // The search starts after the index, wraps round and ignores case; no match changes nothing.
        const struct { int after; std::string_view prefix; int selected; } searches[] = {
            {-1, "s", 0}, {0, "S", 3}, {3, "sp", 0}, {1, "O", 1}, {0, "x", -1}};
        for (const auto& c : searches) {
            view.list_clear(IDC_SPLITS);
            for (const char* item : {"Splits", "Other", "5 km", "sub-3"}) view.list_add(IDC_SPLITS, item);
            QCOMPARE(text(IDC_SPLITS), QString());  // adding selects nothing
            view.list_select_prefix(IDC_SPLITS, c.after, c.prefix);
            QCOMPARE(as<QComboBox>(IDC_SPLITS)->currentIndex(), c.selected);
            QCOMPARE(text(IDC_SPLITS), c.selected < 0 ? QString() : items(IDC_SPLITS)[c.selected]);
        }
    }
};

}  // namespace quorran

QTEST_MAIN(quorran::MainDialogTest)
#include "main_dialog_test.moc"
