#pragma once

class CViewCore;

// "MacroStart": replays the macro code string from its first token, running
// each step code's operation directly (nothing is recorded, SHIFT is not
// read) and GoToScreen for each go-to-screen token, whose number is pulled
// into 1..800. With a break step B >= 1 it stops after B tokens, counting
// every token, known or not. The playback flag is 1 exactly while it runs.
void PlayMacro(CViewCore& view);

// "MacroBreak": takes the form into the fields; when the break is now on, the
// break step becomes the selected line + 1 (0 without a selection); when it
// is off, the break step becomes 0 and the macro list is rebuilt.
void ToggleBreak(CViewCore& view);
