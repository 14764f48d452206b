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
// (a GIF's delay proposed at the preview's speed), then the save dialog (proposing `title` with the
// format's extension), then the export of the bank on display with a progress dialog that can
// cancel it. For C source a name ending in .bin writes the raw bytes instead. An empty bank gets
// the core's message at once.
void RunExportCommand(QWidget* parent, CViewCore& view, EExportFormat format,
                      const std::string& title);

// "GIFアニメ取込...": the open dialog, the options dialog with its preview
// of the first frame, then the import from the screen on display with a
// progress dialog that can cancel it.
void RunGifImportCommand(QWidget* parent, CViewCore& view);

// A seam for automated tests: when set, it runs in place of exec() of the
// options dialogs (CExportDlg, CGifImportDlg) and returns whether they were
// accepted.
std::function<bool(QDialog& dialog)>& ExchangeDialogHook();
