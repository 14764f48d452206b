#pragma once

class CViewCore;

// Editing a recorded macro through its list: insert before a line, delete a
// line, clear everything. A line stands for the token TokenOfLine gives:
// token i with line i, unless tokens that show no line (which only an edited
// macro file holds) come before it. None of these is ever recorded; they
// return true.

// "MacroIns": with a line selected and recording on, the next recorded step
// goes in before the step of the selected line. The macro moves to the held
// code string, the macro code string is emptied and the nine macro buttons
// are disabled until that step is recorded. Without a selection or with
// recording off, nothing changes.
bool BeginInsert(CViewCore& view);

// "MacroDel": rewrites the macro code string from its scanned tokens without
// the token of the selected line (so a trailing fragment or whatever follows
// an empty token goes too, even with nothing selected), and the list from
// the new string. No line is selected afterwards; the break step is kept.
bool DeleteStep(CViewCore& view);

// "MacroClear": empties the macro code string and the list. The held code
// string, the insert position and the break are left as they are.
bool ClearMacro(CViewCore& view);
