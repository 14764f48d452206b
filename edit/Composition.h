#pragma once

class CViewCore;

// AND / OR of the banks: select1 combined with select2 gives select3, dot by
// dot, each bank at its own bank current screen. A click first takes the
// form, ends a preview and lets the current bank take part at the screen on
// view; the macro player uses the bank current screens as they stand. After
// the work the grid is repainted and, on a click, the document marked
// modified. They return whether the step is to be recorded.

// select3 screen k3 := select1 screen k1 AND / OR select2 screen k2.
bool AndScreen(CViewCore& view);
bool OrScreen(CViewCore& view);

// The same for select1's current screen to its last (none when its current
// screen lies past its last), select2 and select3 advancing in step; select2
// screens past its 800th count as blank. select3's count is raised to the
// last screen written. When that would pass screen 800 the capacity message
// is shown, nothing changes and false is returned.
bool AndRange(CViewCore& view);
bool OrRange(CViewCore& view);
