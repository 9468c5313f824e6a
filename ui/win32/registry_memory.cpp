#include "ui/win32/registry_memory.h"

#include "ui/win32/wide_text.h"

namespace quorran {

std::string RegistryMemory::recall(std::string_view key) const {
    const std::wstring name = wide(key);
    DWORD bytes = 0;
    constexpr DWORD flags = RRF_RT_REG_SZ;
    if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), flags, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return {};
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), flags, nullptr, text.data(), &bytes) != ERROR_SUCCESS)
        return {};
    text.resize(wcsnlen(text.c_str(), text.size()));  // the value's own end, before the terminator kept
    return narrow(text);
}

void RegistryMemory::remember(std::string_view key, std::string_view text) {
    if (recall(key) == text) return;
    const std::wstring name = wide(key);
    if (text.empty()) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str());
        return;
    }
    const std::wstring value = wide(text);
    RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

Units units_of_user_locale() {
    wchar_t system[2] = {};  // "0" metric, "1" the United States' measures
    const bool read = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IMEASURE, system, 2) > 0;
    return read && system[0] == L'1' ? Units::Miles : Units::Km;
}

}  // namespace quorran
