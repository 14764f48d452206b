#pragma once

#include <string>

class CQuorvelDoc;
class CViewCore;

// The core's part of the File commands; the shell adds the dialogs, the save
// prompt, the window title and the recent-file list.

// Brings the document into the current bank after New or Open: its screens
// become screens 1.. of the current bank, screen 1 current, the other banks
// and the screens past the document's untouched. The first call also fixes
// the grid rectangle.
void OnInitialUpdate(CViewCore& view, const CQuorvelDoc& doc);

// New: the document becomes ten blank screens and the view takes them into
// the current bank. Undoable, but for the first one at start-up.
void NewAnimation(CViewCore& view, CQuorvelDoc& doc);

// Open: reads the .qvl file at `path` into the document and, on success, into
// the current bank. A refused file leaves document and view as they were.
// Undoable, but for a first one at start-up; undo brings back the bank, not
// the document's path.
bool OpenAnimation(CViewCore& view, CQuorvelDoc& doc, const std::string& path);

// Save: copies the current bank into the document and writes it to `path`.
// On failure the message is shown and the old file is intact. The undo
// history stays; from now on only the state saved counts as unmodified.
bool SaveAnimation(CViewCore& view, CQuorvelDoc& doc, const std::string& path);

// Writes screens 1..screen count of bank `bank` (0..2) to `path` as a .qvl
// file without going through the document. Shows the file message and
// returns false on failure.
bool WriteBankFile(CViewCore& view, int bank, const std::string& path);
