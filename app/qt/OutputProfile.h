#pragma once

#include "output/OutputSettings.h"

// The live output settings in the settings file, section "Output" (see
// OutputSettingsValues for the keys).

// The settings as last kept; defaults for what is missing or unreadable.
SOutputSettings ReadOutputSettings();

// Keeps `settings` for the next start.
void WriteOutputSettings(const SOutputSettings& settings);
