#pragma once

// What the dialog's controls need beyond the template: the entry fields' length
// limit and the names a screen reader announces.

#include <windows.h>
#include <oleacc.h>

namespace quorran {

// Limits every entry field of the template, and the lists' edit fields, to the 79
// characters a command reads, so what a field shows is what the calculator reads.
void limit_entry_fields(HWND dialog);

// Names each entry field after its label and each list after its placeholder, through
// oleacc's dynamic annotation, so a screen reader hears "Distance:" rather than an
// unnamed field, and "Splits" rather than the current line. The names go when this does.
class AccessibleNames {
public:
    explicit AccessibleNames(HWND dialog);
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

private:
    HWND dialog_;
    bool com_started_ = false;
    IAccPropServices* services_ = nullptr;
};

}  // namespace quorran
