// The C++ table first: once windows.h is in, its style names are macros.
#include "ui/dialog_template.h"

#include <initguid.h>  // defines the oleacc GUIDs here

#include "ui/win32/control_setup.h"

#include <algorithm>
#include <string_view>

#include "core/dialog/control_ids.h"
#include "core/dialog/messages.h"
#include "core/numbers/text_limit.h"
#include "ui/win32/wide_text.h"

namespace quorran {

namespace {

// The lists and the placeholder each is named after.
struct NamedList {
    int id;
    std::string_view name;
};
constexpr NamedList NAMED_LISTS[] = {{IDC_SPLITS, SPLITS_PLACEHOLDER}, {IDC_OTHER_FORMATS, OTHER_FORMATS_PLACEHOLDER}};

}  // namespace

void limit_entry_fields(HWND dialog) {
    for (const ControlTemplate& row : dialog_controls())
        if (row.window_class == "Edit" || row.window_class == "ComboBox")
            SendDlgItemMessageA(dialog, row.id, row.window_class == "Edit" ? EM_LIMITTEXT : CB_LIMITTEXT, TEXT_LIMIT, 0);
}

ControlAnnotations::ControlAnnotations() {
    com_started_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services_))))
        services_ = nullptr;  // no annotation service: the controls keep the names Windows gives them
}

ControlAnnotations::~ControlAnnotations() {
    while (!annotated_.empty()) forget(annotated_.back());
    if (services_) services_->Release();
    if (com_started_) CoUninitialize();
}

void ControlAnnotations::set(HWND control, MSAAPROPID property, std::string_view text) {
    if (!services_) return;
    if (text.empty()) {
        services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &property, 1);
        return;
    }
    services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, property, wide(text).c_str());
    if (std::find(annotated_.begin(), annotated_.end(), control) == annotated_.end()) annotated_.push_back(control);
}

void ControlAnnotations::forget(HWND control) {
    std::erase(annotated_, control);
    MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    if (services_) services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, properties, 2);
}

AccessibleNames::AccessibleNames(HWND dialog) {
    const auto rows = dialog_controls();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (const int field = field_labelled_by(i)) annotations_.name(GetDlgItem(dialog, field), rows[i].text);
    for (const NamedList& list : NAMED_LISTS) annotations_.name(GetDlgItem(dialog, list.id), list.name);
}

}  // namespace quorran
