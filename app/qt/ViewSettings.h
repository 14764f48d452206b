#pragma once

#include "view/qt/SignWindow.h"

#include <QRect>

#include <optional>

// The window's own view choices, kept in the settings file beside the
// profile's sections: section "View". A value that is missing or that the
// program does not know reads as the default.

// Whether the onion skin is on ("View/OnionSkin"); off when never set.
bool ReadOnionSkin();

// Keeps the onion skin's state for the next start.
void WriteOnionSkin(bool on);

// The preview's milliseconds a screen ("View/PreviewInterval"): one of
// 50, 100, 200 and 500; 100 otherwise.
int ReadPreviewInterval();
void WritePreviewInterval(int intervalMs);

// The sign window's colour ("View/SignColour": red, orange, green or white);
// red otherwise.
CSignWindow::EColour ReadSignColour();
void WriteSignColour(CSignWindow::EColour colour);

// The sign window's place and size outside full screen
// ("View/SignGeometry"); nothing when never kept, too small, or off every
// screen there is now.
std::optional<QRect> ReadSignGeometry();
void WriteSignGeometry(const QRect& geometry);
