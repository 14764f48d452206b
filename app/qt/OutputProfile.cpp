#include "app/qt/OutputProfile.h"

#include "app/qt/QtProfile.h"

#include <QSettings>

namespace {

const char* const kGroup = "Output";

} // namespace

SOutputSettings ReadOutputSettings() {
    QSettings settings = ProgramSettings();
    settings.beginGroup(QString::fromLatin1(kGroup));
    return OutputSettingsFromValues(
        [&settings](const std::string& key) -> std::optional<std::string> {
            const QString name = QString::fromStdString(key);
            if (!settings.contains(name))
                return std::nullopt;
            return settings.value(name).toString().toStdString();
        });
}

void WriteOutputSettings(const SOutputSettings& values) {
    QSettings settings = ProgramSettings();
    settings.beginGroup(QString::fromLatin1(kGroup));
    for (const auto& [key, value] : OutputSettingsValues(values))
        settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings.endGroup();
    settings.sync();
}
