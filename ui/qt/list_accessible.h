#pragma once

#include <QAccessibleWidget>
#include <QComboBox>

namespace quorran {

// Qt names a drop-down list after its current line on Linux, so a screen reader would
// hear a split time or "Riegel" instead of which list it is. This interface keeps the
// list's own name (its label's, or the one set) and gives the current line as its value.
class ListAccessible final : public QAccessibleWidget {
public:
    explicit ListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return static_cast<const QComboBox*>(widget())->currentText();
        return QAccessibleWidget::text(kind);
    }
};

// A factory for QAccessible::installFactory that gives every list of class List (a
// QComboBox of the program's own) this interface.
template <class List>
QAccessibleInterface* named_list_accessible(const QString&, QObject* object) {
    auto* list = dynamic_cast<List*>(object);
    return list ? new ListAccessible(list) : nullptr;
}

}  // namespace quorran
