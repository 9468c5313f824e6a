// The Qt dialog through its real widgets: the view-behaviour suite, then what only the
// toolkit shows: where the controls sit, the default button, Enter and Escape, text limits.
#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "core/control_ids.h"
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

    // Enter in an entry field or a list's edit field presses Close, the default button, as a
    // window manager's close does; Escape does nothing. A list's edit field takes 79 characters.
    void enter_and_the_window_manager_end_the_dialog_with_0_and_escape_does_not() {
        for (const int id : {IDC_PACE_DISTANCE, IDC_PER_KM, IDC_ABOUT, IDC_SPLITS})
            QTest::keyClick(dialog_control(*dialog_, id), Qt::Key_Escape);
        QVERIFY(dialog_->isVisible());
        for (const int id : {IDC_PACE_DISTANCE, IDC_FINISH_PACE_SECONDS, IDC_SPLITS, IDC_OTHER_FORMATS, 0}) {
            QSignalSpy finished(dialog_.get(), &QDialog::finished);
            auto* list = probe_->as<QComboBox>(id);
            if (list) list->clearEditText();
            if (id == 0) dialog_->close();
            else QTest::keyClicks(dialog_control(*dialog_, id), QString(100, 'x') + '\r');
            QVERIFY(finished.size() == 1 && finished[0][0].toInt() == 0 && !dialog_->isVisible());
            if (list) QCOMPARE(QString::number(list->count()) + list->currentText(), "1" + QString(79, QChar(u'x')));
            reopen();
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
