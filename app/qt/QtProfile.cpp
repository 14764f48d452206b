#include "app/qt/QtProfile.h"

#include <QStringList>
#include <QVariant>

namespace {

QString KeyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

// A value as the text the profile holds. An unquoted value with commas reads
// back from the file as a list; its parts are joined again.
std::optional<QString> TextOf(const QVariant& value) {
    if (!value.isValid())
        return std::nullopt;
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

QSettings ProgramSettings() {
    return QSettings(QString::fromUtf8(kSettingsOrganization),
                     QString::fromUtf8(kSettingsApplication));
}

CQtProfile::CQtProfile() : m_settings(ProgramSettings()) {}

std::optional<long long> CQtProfile::ReadInt(const std::string& section,
                                             const std::string& key) const {
    const std::optional<QString> text = TextOf(m_settings.value(KeyOf(section, key)));
    if (!text)
        return std::nullopt;
    bool ok = false;
    const long long value = text->trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<std::string> CQtProfile::ReadString(const std::string& section,
                                                  const std::string& key) const {
    const std::optional<QString> text = TextOf(m_settings.value(KeyOf(section, key)));
    if (!text)
        return std::nullopt;
    return text->toStdString();
}
