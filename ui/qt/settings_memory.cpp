#include "ui/qt/settings_memory.h"

#include <QLocale>
#include <QSettings>

#include "ui/qt/qt_calculator_view.h"

namespace quorran {

std::string SettingsMemory::recall(std::string_view key) const {
    return settings_.value(to_qstring(key)).toString().toStdString();
}

void SettingsMemory::remember(std::string_view key, std::string_view text) {
    if (recall(key) == text) return;
    if (text.empty()) settings_.remove(to_qstring(key));
    else settings_.setValue(to_qstring(key), to_qstring(text));
}

Units units_of(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? Units::Miles : Units::Km;
}

}  // namespace quorran
