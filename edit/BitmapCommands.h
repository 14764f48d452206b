#pragma once

class CViewCore;

// "Bitmap取込" and "Bitmap保存": the current screen exchanged with a 48 x 32
// monochrome bitmap file (see BitmapCodec.h).

// Asks for a bitmap file and puts its picture on the current screen; the
// screen's former dots go to the screen clip. The form is taken, a preview
// ended, the grid repainted and the document marked modified. A file of the
// wrong size shows "サイズが合いません。" and changes nothing. Returns true
// (the step is recorded) also after Cancel and after that refusal; a file
// that cannot be read shows its message, ends a running macro after this
// step and returns false. The macro player runs it as well: the dialog asks
// again.
bool ImportBitmap(CViewCore& view);

// Writes the current screen to a bitmap file chosen in the save dialog. The
// form is taken, a preview ended, the grid repainted and the document marked
// modified before the dialog, so also when it is cancelled. A file that
// cannot be written shows its message; the old one is left intact.
bool ExportBitmap(CViewCore& view);
