#include "ui/qt/qt_calculator_view.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "core/dialog/messages.h"

namespace quorran {

namespace {

constexpr auto MAX_TEXT_BYTES = static_cast<qsizetype>(TEXT_LIMIT);

QComboBox* list_of(const QDialog& dialog, int control) {
    return qobject_cast<QComboBox*>(dialog_control(dialog, control));
}

// Shows a message box and returns when it is dismissed. The box has no owner and is
// not modal, so the dialog goes on taking clicks and keys meanwhile; this waits in an
// event loop of its own. Ending the application's event loop ends this one too.
void show_message(QMessageBox::Icon icon, std::string_view text) {
    QMessageBox box(icon, to_qstring(MESSAGE_CAPTION), to_qstring(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::NonModal);  // a QMessageBox makes itself modal
    QEventLoop dismissed;
    QObject::connect(&box, &QDialog::finished, &dismissed, &QEventLoop::quit);
    box.show();
    dismissed.exec();
}

}  // namespace

QWidget* dialog_control(const QDialog& dialog, int id) {
    return dialog.findChild<QWidget*>(QString::number(id));
}

QtCalculatorView::QtCalculatorView(QDialog& dialog) : dialog_(dialog) {}

bool QtCalculatorView::is_checked(int control) const {
    const auto* button = qobject_cast<const QAbstractButton*>(dialog_control(dialog_, control));
    return button && button->isChecked();
}

// The buttons of a group are exclusive: checking one clears the others.
void QtCalculatorView::check_radio(int, int, int checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(dialog_control(dialog_, checked))) button->setChecked(true);
}

std::string QtCalculatorView::get_text(int control) const {
    const QWidget* widget = dialog_control(dialog_, control);
    QString text;
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) text = edit->text();
    else if (const auto* label = qobject_cast<const QLabel*>(widget)) text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) text = button->text();
    else if (const auto* list = qobject_cast<const QComboBox*>(widget)) text = list->currentText();
    else if (const auto* box = qobject_cast<const QGroupBox*>(widget)) text = box->title();

    QByteArray bytes = text.toUtf8();
    if (bytes.size() > MAX_TEXT_BYTES) {
        qsizetype cut = MAX_TEXT_BYTES;
        while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;  // inside a character
        bytes.truncate(cut);
    }
    return bytes.toStdString();
}

void QtCalculatorView::set_text(int control, std::string_view text) {
    QWidget* widget = dialog_control(dialog_, control);
    const QString value = to_qstring(text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(value);
    else if (auto* list = qobject_cast<QComboBox*>(widget)) list->setEditText(value);
    else if (auto* box = qobject_cast<QGroupBox*>(widget)) box->setTitle(value);
}

void QtCalculatorView::list_clear(int control) {
    if (QComboBox* list = list_of(dialog_, control)) {
        list->clear();
        list->clearEditText();
    }
}

void QtCalculatorView::list_add(int control, std::string_view text) {
    QComboBox* list = list_of(dialog_, control);
    if (!list) return;
    const bool was_empty = list->count() == 0;
    const QString shown = list->currentText();
    list->addItem(to_qstring(text));
    if (was_empty) {
        // Qt selects the first item put into an empty list; adding an item selects nothing.
        list->setCurrentIndex(-1);
        list->setEditText(shown);
    }
}

void QtCalculatorView::list_select_prefix(int control, int after_index, std::string_view prefix) {
    QComboBox* list = list_of(dialog_, control);
    if (!list) return;
    const int count = list->count();
    const int first = after_index >= 0 && after_index < count ? after_index + 1 : 0;
    const QString wanted = to_qstring(prefix);
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        if (list->itemText(index).startsWith(wanted, Qt::CaseInsensitive)) {
            list->setCurrentIndex(index);  // also shows it in the edit field,
            list->lineEdit()->setCursorPosition(0);  // from its start, however long
            return;
        }
    }
}

void QtCalculatorView::set_focus(int control) {
    if (QWidget* widget = dialog_control(dialog_, control)) widget->setFocus(Qt::OtherFocusReason);
}

void QtCalculatorView::warn(std::string_view text) { show_message(QMessageBox::Warning, text); }

void QtCalculatorView::inform(std::string_view text) { show_message(QMessageBox::Information, text); }

void QtCalculatorView::close(int result) { dialog_.done(result); }

}  // namespace quorran
