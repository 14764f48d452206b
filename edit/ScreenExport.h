#pragma once

#include "edit/CSourceWriter.h"
#include "edit/ExportProgress.h"
#include "edit/GifWriter.h"
#include "edit/PngWriter.h"
#include "edit/ScreenRenderer.h"
#include "store/Platform.h"

#include <optional>
#include <string>
#include <string_view>

class CScreenStore;
class CViewCore;

// What an export writes: an animated GIF, a PNG (one screen or a contact
// sheet), a C header or source, the raw bytes of a dot layout, or one
// screen as an X11 bitmap.
enum class EExportFormat { Gif, Png, CSource, Binary, Xbm };

// The format a file name asks for by its extension, in any case: .gif,
// .png, .h or .c, .bin, .xbm. nullopt for any other name.
std::optional<EExportFormat> ExportFormatOfPath(std::string_view path);

// The title of the export of `format` on its options dialog and its save
// dialog: the menu text without its dots. Raw bytes and X11 bitmaps come
// from the C source command.
const char* ExportTitle(EExportFormat format);

// The save dialog of an export in `format`: its title and filter, proposing
// the document title `title` with the format's extension in place of its
// own, in `folder` when one is given. The C source dialog offers raw bytes
// (.bin) and X11 bitmaps (.xbm) too.
CFileDialogInfo ExportSaveDialog(EExportFormat format, std::string title,
                                 const std::string& folder = {});

// The folder an export's save dialog starts in: that of the document's file
// `documentPath`, or for a document never saved `lastFolder` (where the last
// export went) while it is still a folder. Empty when neither is known.
std::string ExportStartFolder(const std::string& documentPath, const std::string& lastFolder);

// The format to write after the save dialog of `chosen` returned `path`:
// the C source dialog's .bin files get raw bytes and its .xbm files an X11
// bitmap; anything else stays.
EExportFormat ExportFormatOfChoice(EExportFormat chosen, std::string_view path);

// Everything an export can be told. Each format reads the fields it needs:
// GIF the style, scale and delay; PNG the style, scale and columns; C source
// the layout, wiring, PROGMEM and name; raw bytes the layout and wiring; an
// X11 bitmap the name, and of the range only `from`: it holds one screen.
struct SExportOptions {
    EExportFormat format = EExportFormat::Gif;
    // The screens of the bank on display, 1-based, both included.
    int from = 1;
    int to = 1;
    SRenderOptions render;
    int delayMs = kDefaultGifDelayMs;
    int columns = kDefaultSheetColumns;
    EDotLayout layout = EDotLayout::Rows;
    // How the strip layout runs; the other layouts ignore it.
    SWiring wiring;
    bool progmem = false;
    // The C array's name; empty takes it from the file name.
    std::string name;
};

// The messages of an export that cannot start (caption kErrorCaption).
inline constexpr const char* kNothingToExportText = "書き出すスクリーンがありません。";
inline constexpr const char* kBadRangeText = "書き出すスクリーンの範囲が正しくありません。";
inline constexpr const char* kBadNameText = "Cの配列名として使えない名前です。";
inline constexpr const char* kSheetTooWideText =
    "PNGの画像の幅が大きすぎます(1000000ピクセルまで)。横に並べる枚数か倍率を小さくしてください。";

// Options of `format` for every screen of the current bank.
SExportOptions DefaultExportOptions(const CScreenStore& store, EExportFormat format);

// The bytes of the export of screens options.from .. options.to of `bank`
// into the file `path` (whose name gives the C name when options.name is
// empty, and whose extension .c asks for the C definition instead of a
// header). The range must lie within the bank's screen count and the name,
// if given, be a C identifier. `progress` is told after each screen.
EEncodeStatus EncodeExport(const CScreenStore& store, int bank, const SExportOptions& options,
                           const std::string& path, const FProgress& progress, std::string& bytes);

enum class EExportResult { Written, Cancelled, Failed };

// Whether the bank on display has a screen to export; shows the message
// that there is none when it has not.
bool CheckSomethingToExport(CViewCore& view);

// The export commands: writes screens options.from .. options.to of the
// bank on display to `path` in options.format, through the one file writer.
// Refused with a message: an empty bank, a range outside 1 .. screen count
// or running backwards, a name that is no C identifier, a PNG sheet wider
// or taller than kMaxPngSide (before anything is drawn), and a file that
// cannot be written (the old file, if any, is then intact). Cancelled
// through `progress`, nothing is written. The state is never changed.
EExportResult ExportScreens(CViewCore& view, const std::string& path, const SExportOptions& options,
                            const FProgress& progress = {});
