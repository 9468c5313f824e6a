#pragma once

// What the dialog's controls need beyond the template: the entry fields' length
// limit and the names a screen reader announces.

#include <windows.h>
#include <oleacc.h>

#include <string_view>
#include <vector>

namespace quorran {

// Limits every entry field of the template, and the lists' edit fields, to the 79
// characters a command reads, so what a field shows is what the calculator reads.
void limit_entry_fields(HWND dialog);

// The names and descriptions a screen reader announces for controls, set through oleacc's
// dynamic annotation (IAccPropServices). Every annotation set goes when this does, or
// when its control is forgotten.
class ControlAnnotations {
public:
    ControlAnnotations();
    ~ControlAnnotations();
    ControlAnnotations(const ControlAnnotations&) = delete;
    ControlAnnotations& operator=(const ControlAnnotations&) = delete;

    void name(HWND control, std::string_view text) { set(control, PROPID_ACC_NAME, text); }
    // The words that say more than the name: why an entry cannot be read. Empty clears it.
    void describe(HWND control, std::string_view text) { set(control, PROPID_ACC_DESCRIPTION, text); }
    // Clears a control's annotations, before it is destroyed.
    void forget(HWND control);

private:
    void set(HWND control, MSAAPROPID property, std::string_view text);

    bool com_started_ = false;
    IAccPropServices* services_ = nullptr;
    std::vector<HWND> annotated_;
};

// Names each entry field after its label and each list after its placeholder, so a
// screen reader hears "Distance:" rather than an unnamed field, and "Splits" rather than
// the current line. The names go when this does.
class AccessibleNames {
public:
    explicit AccessibleNames(HWND dialog);

private:
    ControlAnnotations annotations_;
};

}  // namespace quorran
