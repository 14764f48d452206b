#pragma once

// The window's own view choices, kept in the settings file beside the
// profile's sections: section "View".

// Whether the onion skin is on ("View/OnionSkin"); off when never set.
bool ReadOnionSkin();

// Keeps the onion skin's state for the next start.
void WriteOnionSkin(bool on);
