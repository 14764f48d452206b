#include "app/qt/ViewSettings.h"

#include "app/qt/QtProfile.h"

#include <QSettings>

namespace {

const char* const kOnionSkinKey = "View/OnionSkin";

} // namespace

bool ReadOnionSkin() {
    const QSettings settings(QString::fromUtf8(kSettingsOrganization),
                             QString::fromUtf8(kSettingsApplication));
    return settings.value(QString::fromLatin1(kOnionSkinKey), false).toBool();
}

void WriteOnionSkin(bool on) {
    QSettings settings(QString::fromUtf8(kSettingsOrganization),
                       QString::fromUtf8(kSettingsApplication));
    settings.setValue(QString::fromLatin1(kOnionSkinKey), on);
    settings.sync();
}
