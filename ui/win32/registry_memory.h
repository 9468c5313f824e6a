#pragma once

// Where the Windows toolbox keeps the entries and the unit setting from one run to the
// next: the user's registry, HKEY_CURRENT_USER\Software\Quorran\Toolbox.

#include <windows.h>

#include <string>
#include <string_view>

#include "core/toolbox/tool_panel.h"

namespace quorran {

inline constexpr std::wstring_view TOOLBOX_REGISTRY_KEY = L"Software\\Quorran\\Toolbox";

// Each key a string value of the registry key under HKEY_CURRENT_USER, made when a first
// text is kept; an empty text deletes the value. A text left as it was is not written
// again, and nothing is written until something is kept.
class RegistryMemory final : public EntryMemory {
public:
    explicit RegistryMemory(std::wstring_view key = TOOLBOX_REGISTRY_KEY) : key_(key) {}

    std::string recall(std::string_view key) const override;
    void remember(std::string_view key, std::string_view text) override;

private:
    std::wstring key_;
};

// A first run's unit setting: miles where the user's locale measures in the United
// States' system (LOCALE_IMEASURE), km where it is metric.
Units units_of_user_locale();

}  // namespace quorran
