#pragma once

// The main dialog's template as a C++ table, for front ends that build the dialog
// themselves rather than from a Windows resource.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/dialog/control_ids.h"
#include "ui/dialog_strings.h"

namespace quorran {

// The Windows style bits the template uses, with their Windows values, so every
// front end reads the same table.
namespace window_style {
inline constexpr std::uint32_t WS_CHILD = 0x40000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_BORDER = 0x00800000;
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000;
inline constexpr std::uint32_t WS_GROUP = 0x00020000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;
inline constexpr std::uint32_t BS_PUSHBUTTON = 0x0;
inline constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x1;
inline constexpr std::uint32_t BS_GROUPBOX = 0x7;
inline constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x9;
inline constexpr std::uint32_t BS_TYPEMASK = 0xF;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x80;
inline constexpr std::uint32_t SS_CENTER = 0x1;
inline constexpr std::uint32_t SS_RIGHT = 0x2;
inline constexpr std::uint32_t SS_ICON = 0x3;
inline constexpr std::uint32_t SS_TYPEMASK = 0x1F;
inline constexpr std::uint32_t CBS_DROPDOWN = 0x2;
}  // namespace window_style

struct ControlTemplate {
    int id;
    std::string_view window_class;  // "Button", "Edit", "Static" or "ComboBox"
    std::uint32_t style;            // besides WS_CHILD | WS_VISIBLE
    int x, y, width, height;        // dialog units
    std::string_view text;
};

inline constexpr int ICON_SHOWN = 104;  // the icon resource control #0 shows

namespace detail {
using namespace window_style;
inline constexpr ControlTemplate DIALOG_CONTROLS[] = {
#define QUORRAN_CONTROL(id, name, cls, style, x, y, w, h, text) {id, cls, style, x, y, w, h, text},
#include "ui/dialog_template.def"
#undef QUORRAN_CONTROL
};

// The core addresses controls by the constants of control_ids.h: each must be the id of
// the template row that names it, or the program would read and write the wrong control.
inline constexpr int UNNAMED = -1;
constexpr bool names_row(int constant, int id) { return constant == UNNAMED || constant == id; }
#define QUORRAN_CONTROL(id, name, cls, style, x, y, w, h, text) \
    static_assert(names_row(name, id), #name " is not control " #id " of the dialog template");
#include "ui/dialog_template.def"
#undef QUORRAN_CONTROL
}  // namespace detail

inline constexpr std::span<const ControlTemplate> dialog_controls() { return detail::DIALOG_CONTROLS; }

// The entry field that the control in the given row labels, or 0: a static text that
// follows an entry field in the template is its label ("Distance:" after the Find Pace
// distance), and gives the field the name a screen reader announces.
inline constexpr int field_labelled_by(std::size_t row) {
    const auto controls = dialog_controls();
    if (row == 0 || row >= controls.size() || controls[row].window_class != "Static" || controls[row].text.empty())
        return 0;
    return controls[row - 1].window_class == "Edit" ? controls[row - 1].id : 0;
}

}  // namespace quorran
