#pragma once

#include <string>
#include <vector>

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
// the current bank, which is then unmarked; the other banks keep their
// screens and marks. Undoable, but for the first one at start-up: undo
// brings back the bank, the document's path and title and the marks.
void NewAnimation(CViewCore& view, CQuorvelDoc& doc);

// Open: reads the .qvl file at `path` into the document and, on success, into
// the current bank, which is then unmarked. A refused file leaves document
// and view as they were. Undoable as New is.
bool OpenAnimation(CViewCore& view, CQuorvelDoc& doc, const std::string& path);

// Save: copies the current bank into the document and writes it to `path`.
// On failure the message is shown and the old file is intact. On success
// only the current bank's mark is cleared; the undo history stays, and from
// now on only the states whose bank matches the file count as unmodified.
bool SaveAnimation(CViewCore& view, CQuorvelDoc& doc, const std::string& path);

// The banks other than the one on display that have changes since they were
// last opened or saved (0..2, in order): what New, Open and closing would
// leave unsaved, since a save writes only the bank on display.
std::vector<int> UnsavedHiddenBanks(const CViewCore& view);

// The question that names `banks` (0..2): "select2 の変更は保存されていません。
// 破棄しますか？", or with several "select2, select3 の変更は…". Empty for no bank.
std::string DiscardQuestion(const std::vector<int>& banks);

// Before New, Open or closing: when banks other than the one on display have
// unsaved changes, asks DiscardQuestion (kAppCaption, Yes / No, No the
// default) and returns whether the user agreed to go on. True without asking
// when there are none. Changes nothing.
bool ConfirmDiscardHiddenBanks(CViewCore& view);

// Writes screens 1..screen count of bank `bank` (0..2) to `path` as a .qvl
// file without going through the document. Shows the file message and
// returns false on failure.
bool WriteBankFile(CViewCore& view, int bank, const std::string& path);
