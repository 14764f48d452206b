#pragma once

class CViewCore;

// Space insert and delete: the current bank gains or loses one screen. Each
// starts by taking the form and ending a preview; when the count changed it
// shows the new count, sets the scroll range and repaints. A click marks the
// document modified (a delete also when nothing was removed); the macro
// player marks nothing. They return whether the step is to be recorded.

// Moves the current screen and those after it one place back and blanks the
// current screen. A bank of 800 screens shows the capacity message, stays as
// it is and returns false, also under the macro player.
bool InsertSpace(CViewCore& view);

// Appends a blank screen after the last. A bank of 800 screens shows the
// capacity message on a click, nothing under the macro player, stays as it
// is and returns false.
bool AppendSpace(CViewCore& view);

// Removes the current screen, moving the later ones forward; the current
// screen stays, or becomes the new last one. A bank of one screen is left
// alone without a message and false is returned.
bool DeleteSpace(CViewCore& view);

// Removes the last screen, as DeleteSpace does with the last screen current,
// but keeping the current screen where it can.
bool DropLastScreen(CViewCore& view);
