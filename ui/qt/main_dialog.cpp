#include "ui/qt/main_dialog.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/dialog/control_ids.h"
#include "core/dialog/messages.h"
#include "ui/dialog_strings.h"
#include "ui/dialog_template.h"
#include "ui/qt/app_icon.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/list_accessible.h"

namespace quorran {

namespace {

using namespace window_style;

constexpr int CANCEL_COMMAND = 2;  // the identifier Escape sends, as IDCANCEL
constexpr int ENTRY_TEXT_LIMIT = static_cast<int>(TEXT_LIMIT);
constexpr int ICON_SIZE = 32;

static_assert(ICON_SHOWN == 104, "quorran.png is icon 104");
QPixmap icon_picture() { return app_icon_picture(); }

// The icon at a whole multiple of its size that best fills the area, so its pixels stay sharp.
QPixmap icon_for(QSize area) {
    const int scale = std::max(1, (std::min(area.width(), area.height()) + ICON_SIZE / 2) / ICON_SIZE);
    return icon_picture().scaled(ICON_SIZE * scale, ICON_SIZE * scale, Qt::KeepAspectRatio, Qt::FastTransformation);
}

// Static text sits at the top of its rectangle, as Windows draws it.
Qt::Alignment static_alignment(std::uint32_t style) {
    switch (style & SS_TYPEMASK) {
        case SS_RIGHT: return Qt::AlignRight | Qt::AlignTop;
        case SS_CENTER: return Qt::AlignHCenter | Qt::AlignTop;
        default: return Qt::AlignLeft | Qt::AlignTop;
    }
}

// A text wider than its rectangle in this font widens the control on the side away
// from its alignment, rather than being cut off.
QRect fitted(QRect rect, int text_width, Qt::Alignment alignment) {
    const int extra = text_width - rect.width();
    if (extra <= 0) return rect;
    if (alignment & Qt::AlignRight) rect.setLeft(rect.left() - extra);
    else if (alignment & Qt::AlignHCenter) rect.adjust(-extra / 2, 0, extra - extra / 2, 0);
    else rect.setRight(rect.right() + extra);
    return rect;
}

// A drop-down list whose open part is wide enough for its longest line, as
// CB_SETDROPPEDWIDTH makes it on Windows; the closed list keeps its size.
class DropDownList final : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override {
        QAbstractItemView* lines = view();
        const bool scrolls = count() > maxVisibleItems();
        lines->setMinimumWidth(lines->sizeHintForColumn(0) + 2 * lines->frameWidth() +
                               (scrolls ? lines->verticalScrollBar()->sizeHint().width() : 0));
        QComboBox::showPopup();
    }
};

// The group box whose template rectangle holds the control's top left corner, so that
// screen readers announce each control within its group; nullptr for the others. An
// empty static shows nothing and stays out: Qt would name it after its group.
QGroupBox* group_of(const ControlTemplate& row, const std::vector<std::pair<ControlTemplate, QGroupBox*>>& groups) {
    if (row.window_class == "Static" && row.text.empty()) return nullptr;
    for (const auto& [box, widget] : groups) {
        if (row.x >= box.x && row.x < box.x + box.width && row.y >= box.y && row.y < box.y + box.height) return widget;
    }
    return nullptr;
}

}  // namespace

MainDialog::MainDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), view_(*this), commands_(view_) {
    setWindowTitle(QStringLiteral(QUORRAN_DIALOG_CAPTION));
    setWindowIcon(QIcon(icon_picture()));
    static const bool lists_named = (QAccessible::installFactory(named_list_accessible<DropDownList>), true);  // once a program
    (void)lists_named;
    create_controls();
    set_up();
}

// Builds every control of the template in template order, which is also Qt's focus
// chain, and connects each control's notifications to the commands. A control inside
// a group box is that box's child; an entry field's label is its buddy, which gives
// the field its accessible name.
void MainDialog::create_controls() {
    const BaseUnits units = base_units(font());
    setFixedSize(to_pixels(units, 0, 0, QUORRAN_DIALOG_WIDTH, QUORRAN_DIALOG_HEIGHT).size());
    move(0, 0);

    QButtonGroup* radio_group = nullptr;  // the radio buttons since the last WS_GROUP control
    std::vector<std::pair<ControlTemplate, QGroupBox*>> groups;
    const auto rows = dialog_controls();
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const ControlTemplate& row = rows[index];
        if (row.style & WS_GROUP) radio_group = nullptr;
        const QString text = to_qstring(row.text);
        const auto command = [this, id = row.id] { commands_.on_command(id); };
        QRect rect = to_pixels(units, row.x, row.y, row.width, row.height);
        QGroupBox* group = group_of(row, groups);
        QWidget* parent = group ? static_cast<QWidget*>(group) : this;
        QWidget* control = nullptr;

        if (row.window_class == "Button" && (row.style & BS_TYPEMASK) == BS_GROUPBOX) {
            auto* box = new QGroupBox(text, parent);
            groups.emplace_back(row, box);
            control = box;
        } else if (row.window_class == "Button" && (row.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
            auto* radio = new QRadioButton(text, parent);
            if (!radio_group) radio_group = new QButtonGroup(this);
            radio_group->addButton(radio);
            connect(radio, &QRadioButton::clicked, this, command);
            rect = fitted(rect, radio->sizeHint().width(), Qt::AlignLeft);
            control = radio;
        } else if (row.window_class == "Button") {
            auto* button = new QPushButton(text, parent);
            button->setDefault((row.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
            connect(button, &QPushButton::clicked, this, command);
            control = button;
        } else if (row.window_class == "Edit") {
            auto* edit = new QLineEdit(parent);
            edit->setMaxLength(ENTRY_TEXT_LIMIT);  // what is shown is what is read
            connect(edit, &QLineEdit::textChanged, this, command);
            control = edit;
        } else if (row.window_class == "ComboBox") {
            auto* list = new DropDownList(parent);
            list->setEditable(true);
            list->setInsertPolicy(QComboBox::NoInsert);
            // No inline completion: with it, Enter in a selected text only accepts the
            // completion, and a second Enter is needed to press Close.
            list->setCompleter(nullptr);
            // The template's height includes the dropped-down list, of items one line high.
            const int closed_height = list->sizeHint().height();
            list->setMaxVisibleItems(std::max(1, (rect.height() - closed_height) / units.y));
            rect.setHeight(closed_height);
            connect(list, &QComboBox::currentIndexChanged, this, command);
            connect(list, &QComboBox::editTextChanged, this, command);
            control = list;
        } else if ((row.style & SS_TYPEMASK) == SS_ICON) {
            auto* picture = new QLabel(parent);
            picture->setAlignment(Qt::AlignCenter);
            picture->setPixmap(icon_for(rect.size()));
            control = picture;
        } else {
            auto* label = new QLabel(text, parent);
            label->setTextFormat(Qt::PlainText);
            if (const int field = field_labelled_by(index)) label->setBuddy(dialog_control(*this, field));
            label->setAlignment(static_alignment(row.style));
            rect = fitted(rect, label->sizeHint().width(), label->alignment());
            control = label;
        }
        control->setObjectName(QString::number(row.id));
        control->setGeometry(group ? rect.translated(-group->pos()) : rect);
    }
}

// Each list is named after its placeholder (a name it keeps when results fill it) and
// takes 79 characters; then the dialog opens as every front end's does.
void MainDialog::set_up() {
    for (const auto& [id, placeholder] :
         {std::pair{IDC_SPLITS, SPLITS_PLACEHOLDER}, std::pair{IDC_OTHER_FORMATS, OTHER_FORMATS_PLACEHOLDER}}) {
        auto* list = qobject_cast<QComboBox*>(dialog_control(*this, id));
        list->setAccessibleName(to_qstring(placeholder));
        list->lineEdit()->setMaxLength(ENTRY_TEXT_LIMIT);
    }
    commands_.open();
}

void MainDialog::reject() { commands_.on_command(CANCEL_COMMAND); }

// The title bar offers no close box, but a window manager may close the window
// anyway: that ends the dialog as Close does.
void MainDialog::closeEvent(QCloseEvent* event) {
    commands_.on_command(IDC_CLOSE);
    event->accept();
}

int run(MainDialog& dialog) {
    QObject::connect(&dialog, &QDialog::finished, qApp, [](int result) { QCoreApplication::exit(result); },
                     Qt::SingleShotConnection);
    dialog.show();
    return QCoreApplication::exec();
}

}  // namespace quorran
