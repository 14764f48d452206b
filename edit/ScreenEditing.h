#pragma once

class CScreenStore;
class CViewCore;

// What the screen editing commands share: how a command starts, how long a
// run from the current screen is, and how a changed screen count is shown.

// Takes the form into the fields and brings the grid back from a preview to
// the current screen. A form that fails its checks shows the framework's
// message; the command goes on with what was read.
void BeginScreenEdit(CViewCore& view);

// The screens from the current screen to the last one of the current bank;
// 0 when the current screen lies past the last (after a go-to-screen step).
int ScreensToLast(const CScreenStore& store);

// Shows the screen count of `bank` in its box, refreshes the form and sets
// the screen scroll bar's range to the screens of the current bank.
void ShowScreenCount(CViewCore& view, int bank);

// Whether the macro player is running the operation, rather than a click.
bool IsPlayingBack(const CViewCore& view);
