#pragma once

class CViewCore;

// Editing a recorded macro through its list: insert before a line, delete a
// line, clear everything. The macro code string and the list stay aligned,
// token i with line i. None of these is ever recorded; they return true.

// "MacroIns": with a line selected and recording on, the next recorded step
// goes in before the selected line. The macro moves to the held code string,
// the macro code string is emptied and the nine macro buttons are disabled
// until that step is recorded. Without a selection or with recording off,
// nothing changes.
bool BeginInsert(CViewCore& view);

// "MacroDel": removes the selected line and rewrites the macro code string
// from its scanned tokens without the token of that line (so a trailing
// fragment or whatever follows an empty token goes too, even with nothing
// selected). No line is selected afterwards; the break step is kept.
bool DeleteStep(CViewCore& view);

// "MacroClear": empties the macro code string and the list. The held code
// string, the insert position and the break are left as they are.
bool ClearMacro(CViewCore& view);
