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

// Shows screens `first`..`last` of the current bank that were just written
// in one go (an imported GIF, a scrolling text): the first becomes the
// current screen, the bank's count grows to take the last, the form, the
// scroll bar and the grid show them, and the document is marked modified.
void ShowWrittenScreens(CViewCore& view, int first, int last);

// Whether the macro player is running the operation, rather than a click.
bool IsPlayingBack(const CViewCore& view);
