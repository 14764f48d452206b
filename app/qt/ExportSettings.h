#pragma once

#include "edit/ScreenExport.h"

#include <string>

// The choices of the export dialogs, kept for the next export in the
// settings file's section "Export": Style (led or pixel), Scale, Delay,
// Columns, Layout (rows, rows-lsb, pages, columns or strip), Origin (tl, tr,
// bl or br), Scan (rows or columns), Serpentine and Progmem (true or false),
// shared by the formats that use them, and Folder, where the last export
// went.

// Sets the fields of `options` that were kept. A key never written, or one
// whose value is out of range or unknown, leaves its field as it is.
void ReadExportSettings(SExportOptions& options);

// Keeps the choices of `options` (not the range or the C name, which belong
// to one export).
void WriteExportSettings(const SExportOptions& options);

// Keeps `delayMs` as the GIF delay the next export proposes (the preview's
// speed, when the user chooses one).
void WriteExportDelay(int delayMs);

// The folder the last export wrote into; empty when none was kept.
std::string ReadLastExportFolder();

// Keeps the folder of `path`, an export just written.
void WriteLastExportFolder(const std::string& path);
