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

Q_DECLARE_METATYPE(quorran::BaseUnits)

namespace quorran {
namespace {

QString q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// What a message box showed.
struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    Qt::WindowModality modality = Qt::ApplicationModal;
};

constexpr int TAB_STOPS[] = {IDC_CLOSE,          IDC_ABOUT,           IDC_PACE_DISTANCE,       IDC_PACE_MILES,
                             IDC_PACE_HOURS,     IDC_PACE_MINUTES,    IDC_PACE_SECONDS,        IDC_PACE_CALCULATE,
                             IDC_FINISH_DISTANCE, IDC_FINISH_MILES,   IDC_PER_MILE,            IDC_FINISH_PACE_MINUTES,
                             IDC_FINISH_PACE_SECONDS, IDC_FINISH_CALCULATE, IDC_SPLITS,        IDC_OTHER_FORMATS};

constexpr int ENTRY_FIELDS[] = {IDC_PACE_DISTANCE,   IDC_PACE_HOURS,          IDC_PACE_MINUTES,       IDC_PACE_SECONDS,
                                IDC_FINISH_DISTANCE, IDC_FINISH_PACE_MINUTES, IDC_FINISH_PACE_SECONDS};

}  // namespace

class MainDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainDialog> dialog_;

    QWidget* control(int id) const { return dialog_control(*dialog_, id); }
    template <class Widget>
    Widget* as(int id) const { return qobject_cast<Widget*>(control(id)); }
    QString text_of(int id) const { return q(QtCalculatorView(*dialog_).get_text(id)); }
    bool checked(int id) const { return as<QAbstractButton>(id)->isChecked(); }

    // The control (a direct child of the dialog) that holds a focus widget.
    int control_of(const QWidget* widget) const {
        while (widget && widget->parentWidget() != dialog_.get()) widget = widget->parentWidget();
        return widget ? widget->objectName().toInt() : 0;
    }
    int focused() const { return control_of(QApplication::focusWidget()); }

    void click(int id) { QTest::mouseClick(as<QAbstractButton>(id), Qt::LeftButton); }
    void type_into(int id, const QString& text) {
        QTest::mouseClick(control(id), Qt::LeftButton);
        QTest::keyClicks(control(id), text);
    }
    QStringList items(int id) const {
        QStringList all;
        for (int i = 0; i < as<QComboBox>(id)->count(); ++i) all << as<QComboBox>(id)->itemText(i);
        return all;
    }
    // Every control's text and check, and the lists' items.
    QStringList everything() const {
        QStringList state;
        for (const ControlTemplate& row : dialog_controls()) {
            const auto* button = as<QAbstractButton>(row.id);
            state << text_of(row.id) + (button && button->isChecked() ? " (checked)" : "");
        }
        return state + items(IDC_SPLITS) + items(IDC_OTHER_FORMATS);
    }

    // Runs action on the next message box that opens, while it is open.
    void on_next_box(std::function<void(QMessageBox*)> action) {
        auto* poll = new QTimer(dialog_.get());
        connect(poll, &QTimer::timeout, poll, [poll, action] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                    poll->deleteLater();
                    poll->stop();
                    action(box);
                    return;
                }
            }
        });
        poll->start(5);
    }
    // Records what the next message box shows and dismisses it with its OK button.
    void answer_next_box(SeenBox& seen) {
        on_next_box([&seen](QMessageBox* box) {
            seen = {box->windowTitle(), box->text(), box->icon(), box->buttons().size(), box->windowModality()};
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
    }

private slots:
    void init() {
        dialog_ = std::make_unique<MainDialog>();
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
    }
    void cleanup() { dialog_.reset(); }

    void opens_with_defaults_and_focus_in_pace_distance() {
        QCOMPARE(dialog_->windowTitle(), QStringLiteral(QUORRAN_DIALOG_CAPTION));
        QVERIFY(!dialog_->windowIcon().isNull());
        QVERIFY(!as<QLabel>(102)->pixmap().isNull());
        const BaseUnits units = base_units(dialog_->font());
        QCOMPARE(dialog_->size(), to_pixels(units, 0, 0, QUORRAN_DIALOG_WIDTH, QUORRAN_DIALOG_HEIGHT).size());
        QCOMPARE(dialog_->minimumSize(), dialog_->maximumSize());
        const Qt::WindowFlags flags = dialog_->windowFlags();
        QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint)));
        QCOMPARE(dialog_->pos(), QPoint(0, 0));

        for (const int id : {IDC_PACE_MILES, IDC_FINISH_MILES, IDC_PER_MILE}) QVERIFY(checked(id));
        for (const int id : {IDC_PACE_KM, IDC_FINISH_KM, IDC_PER_KM}) QVERIFY(!checked(id));
        QCOMPARE(items(IDC_SPLITS), QStringList{q(SPLITS_PLACEHOLDER)});
        QCOMPARE(text_of(IDC_SPLITS), q(SPLITS_PLACEHOLDER));
        QCOMPARE(items(IDC_OTHER_FORMATS), QStringList{q(OTHER_FORMATS_PLACEHOLDER)});
        QCOMPARE(text_of(IDC_OTHER_FORMATS), q(OTHER_FORMATS_PLACEHOLDER));
        QCOMPARE(text_of(IDC_PACE_RESULT), "Resultant Pace");
        QCOMPARE(text_of(IDC_FINISH_RESULT), "Finish Time");
        QCOMPARE(focused(), IDC_PACE_DISTANCE);
    }

    void dialog_units_map_as_windows_maps_them_data() {
        QTest::addColumn<BaseUnits>("units");
        QTest::addColumn<QRect>("dialog_units");
        QTest::addColumn<QRect>("pixels");
        // 6 x 13 are the base units of 8-point MS Sans Serif at 96 dots per inch.
        QTest::newRow("Close, 8 pt") << BaseUnits{6, 13} << QRect(50, 197, 40, 14) << QRect(75, 320, 60, 23);
        QTest::newRow("halves round up") << BaseUnits{6, 13} << QRect(1, 4, 3, 12) << QRect(2, 7, 5, 20);
        QTest::newRow("dialog, 7 x 14") << BaseUnits{7, 14} << QRect(0, 0, 280, 220) << QRect(0, 0, 490, 385);
        QTest::newRow("quarters round down") << BaseUnits{7, 14} << QRect(3, 1, 105, 95) << QRect(5, 2, 184, 166);
    }
    void dialog_units_map_as_windows_maps_them() {
        QFETCH(BaseUnits, units);
        QFETCH(QRect, dialog_units);
        QFETCH(QRect, pixels);
        const QRect r = dialog_units;
        QCOMPARE(to_pixels(units, r.x(), r.y(), r.width(), r.height()), pixels);
    }

    void base_units_follow_the_font() {
        QFont font = dialog_->font();
        for (const int scale : {1, 2}) {
            font.setPixelSize(13 * scale);
            const QFontMetricsF metrics(font);
            const BaseUnits units = base_units(font);
            const double average = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
            QVERIFY2(std::abs(units.x - average) <= 0.5 + 1e-9, qPrintable(QString::number(average)));
            QCOMPARE(units.y, QFontMetrics(font).height());
        }
    }

    void controls_sit_on_their_template_rectangles_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(dialog_controls().size()); ++i) QTest::addRow("#%d id %d", i, dialog_controls()[i].id) << i;
    }
    void controls_sit_on_their_template_rectangles() {
        QFETCH(int, row);
        const ControlTemplate& t = dialog_controls()[row];
        const QWidget* widget = control(t.id);
        QVERIFY(widget);
        const QRect expected = to_pixels(base_units(dialog_->font()), t.x, t.y, t.width, t.height);
        const QRect actual = widget->geometry();
        QCOMPARE(actual.top(), expected.top());
        // A drop-down list's template height includes its dropped-down part.
        QCOMPARE(actual.height(), t.window_class == "ComboBox" ? widget->sizeHint().height() : expected.height());
        if (actual.width() != expected.width()) {
            // Only a text that does not fit widens its control, on the side away from its alignment.
            QCOMPARE(actual.width(), widget->sizeHint().width());
            const auto* label = qobject_cast<const QLabel*>(widget);
            const bool right = label && (label->alignment() & Qt::AlignRight);
            QCOMPARE(right ? actual.right() : actual.left(), right ? expected.right() : expected.left());
        } else {
            QCOMPARE(actual.left(), expected.left());
        }
    }

    void texts_fit_and_controls_do_not_overlap_at_any_font_size_data() {
        QTest::addColumn<int>("scale");
        QTest::newRow("desktop font") << 1;
        QTest::newRow("twice as large") << 2;
    }
    void texts_fit_and_controls_do_not_overlap_at_any_font_size() {
        QFETCH(int, scale);
        const QFont desktop = QApplication::font();
        QFont font = desktop;
        font.setPointSizeF(font.pointSizeF() * scale);
        QApplication::setFont(font);
        const MainDialog scaled;
        QApplication::setFont(desktop);
        const double ratio = double(scaled.width()) / dialog_->width();
        QVERIFY2(ratio > scale * 0.85 && ratio < scale * 1.15, qPrintable(QString::number(ratio)));

        QList<const QWidget*> boxes;  // controls other than the group boxes that frame them
        for (const ControlTemplate& t : dialog_controls()) {
            if ((t.style & window_style::BS_TYPEMASK) != window_style::BS_GROUPBOX || t.window_class != "Button")
                boxes << dialog_control(scaled, t.id);
        }
        for (const QWidget* a : boxes) {
            QVERIFY(scaled.rect().contains(a->geometry()));
            if (qobject_cast<const QLabel*>(a) || qobject_cast<const QRadioButton*>(a))
                QVERIFY2(a->width() >= a->sizeHint().width(), qPrintable(a->objectName() + " cuts its text"));
            for (const QWidget* b : boxes) {
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " overlaps " + b->objectName()));
            }
        }
    }

    void tab_visits_the_tab_stops_in_template_order() {
        constexpr int count = int(std::size(TAB_STOPS));
        const int start = 2;  // the focus starts in the pace distance field
        for (int step = 1; step <= count; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focused(), TAB_STOPS[(start + step) % count]);
        }
        for (int step = 1; step <= count; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(focused(), TAB_STOPS[(start - step + count) % count]);
        }
        // Tab enters a radio group at its checked button.
        click(IDC_PACE_KM);
        as<QWidget>(IDC_PACE_DISTANCE)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focused(), IDC_PACE_KM);
    }

    void radio_groups_are_separate_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("Find Pace distance") << IDC_PACE_MILES << IDC_PACE_KM;
        QTest::newRow("Find Finish Time distance") << IDC_FINISH_MILES << IDC_FINISH_KM;
        QTest::newRow("pace") << IDC_PER_MILE << IDC_PER_KM;
    }
    void radio_groups_are_separate() {
        QFETCH(int, first);
        QFETCH(int, second);
        const QStringList before = everything();
        click(second);
        QVERIFY(checked(second) && !checked(first));
        QTest::keyClick(control(second), Qt::Key_Up);  // the arrow keys move and check inside the group
        QCOMPARE(focused(), first);
        QVERIFY(checked(first) && !checked(second));
        QCOMPARE(everything(), before);
    }

    void enter_in_an_entry_field_ends_the_dialog_with_0_data() {
        QTest::addColumn<int>("field");
        for (const int id : ENTRY_FIELDS) QTest::addRow("%d", id) << id;
        QTest::addRow("Splits list") << IDC_SPLITS;
    }
    void enter_in_an_entry_field_ends_the_dialog_with_0() {
        QFETCH(int, field);
        QSignalSpy finished(dialog_.get(), &QDialog::finished);
        type_into(field, "5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), 0);
        QVERIFY(!dialog_->isVisible());
    }

    void a_window_manager_close_ends_the_dialog_as_close_does() {
        QSignalSpy finished(dialog_.get(), &QDialog::finished);
        QVERIFY(dialog_->close());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), 0);
    }

    void escape_leaves_the_dialog_open() {
        QSignalSpy finished(dialog_.get(), &QDialog::finished);
        for (const int id : {IDC_PACE_DISTANCE, IDC_FINISH_PACE_SECONDS, IDC_PER_KM, IDC_ABOUT, IDC_SPLITS}) {
            control(id)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        QCOMPARE(finished.size(), 0);
        QVERIFY(dialog_->isVisible());
    }

    void find_pace_end_to_end_data() {
        QTest::addColumn<QStringList>("entries");  // distance, hours, minutes, seconds
        QTest::addColumn<bool>("km");
        QTest::addColumn<QString>("pace");
        QTest::addColumn<QString>("shown");
        QTest::newRow("marathon in miles") << QStringList{"26.21875", "3", "30", ""} << false << " 8:00.6 per mile"
                                           << " 119.4 secs or  1:59.4 per 400m";
        QTest::newRow("10 km in 40 minutes") << QStringList{"10", "", "40", ""} << true << " 6:26.2 per mile"
                                             << " 96.0 secs or  1:36.0 per 400m";
    }
    void find_pace_end_to_end() {
        QFETCH(QStringList, entries);
        QFETCH(bool, km);
        QFETCH(QString, pace);
        QFETCH(QString, shown);
        const int fields[] = {IDC_PACE_DISTANCE, IDC_PACE_HOURS, IDC_PACE_MINUTES, IDC_PACE_SECONDS};
        for (int i = 0; i < 4; ++i) type_into(fields[i], entries[i]);
        if (km) click(IDC_PACE_KM);
        click(IDC_PACE_CALCULATE);
        QCOMPARE(text_of(IDC_PACE_RESULT), pace);
        QCOMPARE(items(IDC_OTHER_FORMATS).size(), 9);
        QCOMPARE(text_of(IDC_OTHER_FORMATS), shown);
        QCOMPARE(focused(), IDC_PACE_DISTANCE);
        QCOMPARE(text_of(IDC_FINISH_RESULT), "Finish Time");
        QCOMPARE(items(IDC_SPLITS), QStringList{q(SPLITS_PLACEHOLDER)});
    }

    void find_finish_time_end_to_end_data() {
        QTest::addColumn<QStringList>("entries");  // distance, pace minutes, pace seconds
        QTest::addColumn<bool>("km");
        QTest::addColumn<QString>("finish");
        QTest::addColumn<int>("splits");
        QTest::newRow("marathon at 8:00 per mile") << QStringList{"m", "8", ""} << false
                                                   << " 3 hours, 29 mins, 45.0 secs" << 36;
        QTest::newRow("10 km at 5:00 per km") << QStringList{"10", "5", ""} << true << "50 mins, 0.0 secs" << 8;
    }
    void find_finish_time_end_to_end() {
        QFETCH(QStringList, entries);
        QFETCH(bool, km);
        QFETCH(QString, finish);
        QFETCH(int, splits);
        const int fields[] = {IDC_FINISH_DISTANCE, IDC_FINISH_PACE_MINUTES, IDC_FINISH_PACE_SECONDS};
        for (int i = 0; i < 3; ++i) type_into(fields[i], entries[i]);
        if (km) {
            click(IDC_FINISH_KM);
            click(IDC_PER_KM);
        }
        click(IDC_FINISH_CALCULATE);
        QCOMPARE(text_of(IDC_FINISH_RESULT), finish);
        QCOMPARE(items(IDC_SPLITS).size(), splits);
        QCOMPARE(text_of(IDC_SPLITS), items(IDC_SPLITS).first());
        QCOMPARE(focused(), IDC_FINISH_DISTANCE);
        QCOMPARE(text_of(IDC_PACE_RESULT), "Resultant Pace");
        if (!km) QCOMPARE(text_of(IDC_SPLITS), " 1 m                 8:00.0");
    }

    void a_warning_changes_nothing_else_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("calculate");
        QTest::addColumn<QString>("warning");
        QTest::newRow("pace, all empty") << IDC_PACE_HOURS << "" << IDC_PACE_CALCULATE << q(DISTANCE_ZERO_WARNING);
        QTest::newRow("pace, no time") << IDC_PACE_DISTANCE << "h" << IDC_PACE_CALCULATE << q(TIME_ZERO_WARNING);
        QTest::newRow("finish, no pace") << IDC_FINISH_DISTANCE << "5" << IDC_FINISH_CALCULATE << q(TIME_ZERO_WARNING);
    }
    void a_warning_changes_nothing_else() {
        QFETCH(int, field);
        QFETCH(QString, entry);
        QFETCH(int, calculate);
        QFETCH(QString, warning);
        type_into(IDC_FINISH_DISTANCE, "3");  // an earlier result stays on screen
        type_into(IDC_FINISH_PACE_MINUTES, "7");
        click(IDC_FINISH_CALCULATE);
        type_into(IDC_FINISH_PACE_MINUTES, "\b");
        type_into(field, entry);
        const QStringList before = everything();
        SeenBox seen;
        answer_next_box(seen);
        click(calculate);
        QCOMPARE(seen.caption, q(MESSAGE_CAPTION));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.text, warning);
        QCOMPARE(seen.buttons, 1);
        QCOMPARE(seen.modality, Qt::NonModal);
        QCOMPARE(everything(), before);
        QCOMPARE(control_of(dialog_->focusWidget()), calculate);  // where the click put it
    }

    void about_informs() {
        const QStringList before = everything();
        SeenBox seen;
        answer_next_box(seen);
        click(IDC_ABOUT);
        QCOMPARE(seen.caption, q(MESSAGE_CAPTION));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.text, q(ABOUT_TEXT));
        QCOMPARE(seen.buttons, 1);
        QCOMPARE(everything(), before);
        QVERIFY(dialog_->isVisible());
    }

    void close_while_a_box_is_open_ends_the_program() {
        // The box has no owner: the dialog goes on working under it, and Close ends both.
        QString pace_under_box;
        on_next_box([&](QMessageBox*) {
            type_into(IDC_PACE_DISTANCE, "h");
            type_into(IDC_PACE_HOURS, "2");
            click(IDC_PACE_CALCULATE);
            pace_under_box = text_of(IDC_PACE_RESULT);
            click(IDC_CLOSE);
        });
        QTimer::singleShot(0, dialog_.get(), [this] { click(IDC_ABOUT); });
        QTimer::singleShot(10000, dialog_.get(), [] { QCoreApplication::exit(-1); });  // rather than hang
        QCOMPARE(run(*dialog_), 0);
        QCOMPARE(pace_under_box, " 9:09.2 per mile");
        QVERIFY(!dialog_->isVisible());
        for (QWidget* window : QApplication::topLevelWidgets()) QVERIFY(!window->isVisible());
    }

    void other_controls_do_nothing() {
        SeenBox seen;
        answer_next_box(seen);
        type_into(IDC_FINISH_DISTANCE, "m");
        type_into(IDC_FINISH_PACE_MINUTES, "8");
        click(IDC_FINISH_CALCULATE);
        const QStringList results = {text_of(IDC_PACE_RESULT), text_of(IDC_FINISH_RESULT)};
        const QStringList splits = items(IDC_SPLITS);

        for (const int id : ENTRY_FIELDS) type_into(id, "1");
        for (const int id : {IDC_PACE_KM, IDC_FINISH_KM, IDC_PER_KM, IDC_PACE_MILES}) click(id);
        control(IDC_SPLITS)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // chooses the next row
        QTest::keyClicks(QApplication::focusWidget(), "typed");
        QTest::keyClick(control(102), Qt::Key_Space);

        QCOMPARE(QStringList({text_of(IDC_PACE_RESULT), text_of(IDC_FINISH_RESULT)}), results);
        QCOMPARE(items(IDC_SPLITS), splits);
        QCOMPARE(as<QComboBox>(IDC_SPLITS)->currentIndex(), 1);
        QCOMPARE(seen.caption, QString());
        QVERIFY(dialog_->isVisible());
    }

    void list_edit_fields_hold_79_characters_and_add_no_items() {
        for (const int id : {IDC_SPLITS, IDC_OTHER_FORMATS}) {
            control(id)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), QString(100, 'x'));
            QCOMPARE(as<QComboBox>(id)->currentText(), QString(79, 'x'));
            QCOMPARE(as<QComboBox>(id)->count(), 1);
        }
    }

    void get_text_gives_at_most_79_bytes_of_whole_characters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("got");
        QTest::newRow("short") << "26.2" << "26.2";
        QTest::newRow("79") << QString(79, '7') << QString(79, '7');
        QTest::newRow("100") << QString(100, '1') << QString(79, '1');
        QTest::newRow("two-byte letters") << QString(50, u'\u00e9') << QString(39, u'\u00e9');
        QTest::newRow("three-byte at the cut") << QString(77, 'a') + u'\u20ac' << QString(77, 'a');
    }
    void get_text_gives_at_most_79_bytes_of_whole_characters() {
        QFETCH(QString, text);
        QFETCH(QString, got);
        as<QLineEdit>(IDC_PACE_DISTANCE)->setText(text);
        QCOMPARE(text_of(IDC_PACE_DISTANCE), got);
    }

    void list_select_prefix_searches_after_the_index_and_wraps_data() {
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("selected");
        QTest::newRow("from the start") << -1 << "s" << 0;
        QTest::newRow("after the index") << 0 << "S" << 3;
        QTest::newRow("wraps round") << 3 << "sp" << 0;
        QTest::newRow("the index itself last") << 1 << "O" << 1;
        QTest::newRow("no match changes nothing") << 0 << "x" << -1;
    }
    void list_select_prefix_searches_after_the_index_and_wraps() {
        QFETCH(int, after);
        QFETCH(QString, prefix);
        QFETCH(int, selected);
        QtCalculatorView view(*dialog_);
        view.list_clear(IDC_SPLITS);
        QCOMPARE(text_of(IDC_SPLITS), QString());
        for (const char* item : {"Splits", "Other", "5 km", "sub-3"}) view.list_add(IDC_SPLITS, item);
        QCOMPARE(as<QComboBox>(IDC_SPLITS)->currentIndex(), -1);  // adding selects nothing
        QCOMPARE(text_of(IDC_SPLITS), QString());
        view.list_select_prefix(IDC_SPLITS, after, prefix.toStdString());
        QCOMPARE(as<QComboBox>(IDC_SPLITS)->currentIndex(), selected);
        QCOMPARE(text_of(IDC_SPLITS), selected < 0 ? QString() : items(IDC_SPLITS)[selected]);
    }
};

}  // namespace quorran

QTEST_MAIN(quorran::MainDialogTest)
#include "main_dialog_test.moc"
