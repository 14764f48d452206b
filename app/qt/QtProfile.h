#pragma once

#include "store/ProfileFonts.h"

#include <QSettings>

// The user's settings as the core reads them: QSettings of organisation
// "Corvane" and application "Glowmotion" (on Linux
// $XDG_CONFIG_HOME/Corvane/Glowmotion.conf), sections and keys named as the
// Windows profile names them. Read only.
class CQtProfile : public CProfileReader {
public:
    CQtProfile();

    std::optional<long long> ReadInt(const std::string& section,
                                     const std::string& key) const override;
    std::optional<std::string> ReadString(const std::string& section,
                                          const std::string& key) const override;

private:
    QSettings m_settings;
};

// The organisation and application the settings are kept under.
inline constexpr const char* kSettingsOrganization = "Corvane";
inline constexpr const char* kSettingsApplication = "Glowmotion";

// The settings file of organisation kSettingsOrganization and application
// kSettingsApplication, for the window's own sections to be read or written.
QSettings ProgramSettings();
