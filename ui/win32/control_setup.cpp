// The C++ table first: once windows.h is in, its style names are macros.
#include "ui/dialog_template.h"

#include <initguid.h>  // defines the oleacc GUIDs here

#include "ui/win32/control_setup.h"

#include <string>
#include <string_view>

#include "core/dialog/control_ids.h"
#include "core/dialog/messages.h"
#include "core/numbers/text_limit.h"

namespace quorran {

namespace {

// The lists and the placeholder each is named after.
struct NamedList {
    int id;
    std::string_view name;
};
constexpr NamedList NAMED_LISTS[] = {{IDC_SPLITS, SPLITS_PLACEHOLDER}, {IDC_OTHER_FORMATS, OTHER_FORMATS_PLACEHOLDER}};

// Every control's name is plain ASCII text of the template or the messages.
std::wstring wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }

// Calls name_of(control, name) for every control named here.
template <class Action>
void each_named_control(HWND dialog, Action name_of) {
    const auto rows = dialog_controls();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (const int field = field_labelled_by(i)) name_of(GetDlgItem(dialog, field), rows[i].text);
    for (const NamedList& list : NAMED_LISTS) name_of(GetDlgItem(dialog, list.id), list.name);
}

}  // namespace

void limit_entry_fields(HWND dialog) {
    for (const ControlTemplate& row : dialog_controls())
        if (row.window_class == "Edit" || row.window_class == "ComboBox")
            SendDlgItemMessageA(dialog, row.id, row.window_class == "Edit" ? EM_LIMITTEXT : CB_LIMITTEXT, TEXT_LIMIT, 0);
}

AccessibleNames::AccessibleNames(HWND dialog) : dialog_(dialog) {
    com_started_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services_))))
        services_ = nullptr;  // no annotation service: the controls keep the names Windows gives them
    if (!services_) return;
    each_named_control(dialog, [this](HWND control, std::string_view text) {
        services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, wide(text).c_str());
    });
}

AccessibleNames::~AccessibleNames() {
    if (services_) {
        each_named_control(dialog_, [this](HWND control, std::string_view) {
            MSAAPROPID property = PROPID_ACC_NAME;
            services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &property, 1);
        });
        services_->Release();
    }
    if (com_started_) CoUninitialize();
}

}  // namespace quorran
