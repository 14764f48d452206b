#pragma once

#include "edit/ScreenExport.h"

#include <functional>
#include <string>

class CViewCore;
class QDialog;
class QWidget;

// The window's part of the exchange commands of the Tools menu: the dialogs
// and the progress. What is written or read, and every message, is the
// core's (ExportScreens, ImportGif).

// "GIFアニメ保存...", "PNG保存..." and "Cソース保存...": the options dialog
// (on the choices of the last export, which it keeps for the next one; a
// GIF's delay is the preview's speed until the user types another), then
// the save dialog, proposing `title` with the format's extension in the
// folder of the document's file `documentPath` (or, for a document never
// saved, where the last export went), then the export of the bank on display
// with a progress dialog that can cancel it. For C source a name ending in
// .bin writes the raw bytes instead. An empty bank gets the core's message
// at once. The progress dialog is closed before any message.
void RunExportCommand(QWidget* parent, CViewCore& view, EExportFormat format,
                      const std::string& title, const std::string& documentPath);

// "GIFアニメ取込...": the open dialog, the checks of the file (its
// structure, its size, and room for its frames in the bank, each with its
// message), the options dialog with its preview of the first frame, then
// the import from the screen on display with a progress dialog that can
// cancel it and is closed before any message.
void RunGifImportCommand(QWidget* parent, CViewCore& view);

// A seam for automated tests: when set, it runs in place of exec() of the
// options dialogs (CExportDlg, CGifImportDlg, CTextScrollDlg, COutputDlg) and
// returns whether they were accepted.
std::function<bool(QDialog& dialog)>& ExchangeDialogHook();

// Shows the options dialog `dialog` modally, or lets ExchangeDialogHook
// answer for it when set. Whether it was accepted.
bool RunOptionsDialog(QDialog& dialog);

// How long the work runs before its progress dialog shows, in milliseconds
// (400). Tests set 0 to see the dialog at once.
int& ExchangeProgressDelayMs();
