#pragma once

#include <string>
#include <string_view>

#include "core/toolbox/tool_panel.h"

class QLocale;
class QSettings;

namespace quorran {

// The toolbox's entries and unit setting kept in QSettings, from one run of the program to
// the next: the program's own settings (~/.config/Quorran/Toolbox.conf on Linux), or a
// file of a test's. A text left as it was is not written again.
class SettingsMemory final : public EntryMemory {
public:
    explicit SettingsMemory(QSettings& settings) : settings_(settings) {}

    std::string recall(std::string_view key) const override;
    void remember(std::string_view key, std::string_view text) override;

private:
    QSettings& settings_;
};

// A first run's unit setting: miles where the locale measures as the United States do,
// km elsewhere (the United Kingdom's races are in km and miles alike).
Units units_of(const QLocale& locale);

}  // namespace quorran
