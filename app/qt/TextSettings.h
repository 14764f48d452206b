#pragma once

#include "edit/ScrollingText.h"

// The last choices of the "テキストスクロール" dialog, kept in the settings
// file beside the profile's sections: section "Text", keys Message, Size,
// Font (empty: the size's default), Row (-1: centred) and Step.

// The choices kept last time; a key that is missing or out of its range
// gives its default (16 dots, the default font, centred, 1 dot a screen).
STextScrollOptions ReadTextOptions();

// Keeps `options` for the next time.
void WriteTextOptions(const STextScrollOptions& options);
