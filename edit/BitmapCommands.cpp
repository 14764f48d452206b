#include "edit/BitmapCommands.h"

#include "edit/BitmapCodec.h"
#include "edit/ScreenEditing.h"
#include "macro/MacroPlayer.h"
#include "store/FileIo.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

CFileDialogInfo BitmapDialog() {
    return CFileDialogInfo{.title = "",
                           .filter = "ﾋﾞｯﾄﾏｯﾌﾟ ﾌｧｲﾙ (*.bmp) |*.bmp||",
                           .defaultExtension = "bmp",
                           .initialName = ""};
}

} // namespace

bool ImportBitmap(CViewCore& view) {
    CPlatform& platform = view.Platform();
    const std::optional<std::string> path = platform.GetOpenFileName(BitmapDialog());
    if (!path)
        return true;
    std::string bytes;
    if (const EFileError error = ReadFileHead(*path, kBitmapFileBytes, bytes);
        error != EFileError::None) {
        ReportFileError(platform, *path, error);
        // The file error ends the command, and with it a playback.
        StopPlayback(view);
        return false;
    }
    const auto picture = DecodeBitmap(bytes);
    if (!picture) {
        platform.MessageBox("サイズが合いません。", kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    // The screen is cut before the picture replaces it, so the screen clip
    // holds what was there; that cut is part of the import, not a step.
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    const auto screen = s.CurrentScreenWords();
    std::copy(screen.begin(), screen.end(), s.m_screenClip.begin());
    std::copy(picture->begin(), picture->end(), screen.begin());
    view.RepaintGrid();
    view.SetModifiedFlag();
    return true;
}

bool ExportBitmap(CViewCore& view) {
    BeginScreenEdit(view);
    const std::string bytes = EncodeBitmap(view.Store().CurrentScreenWords());
    view.RepaintGrid();
    // Building the image has always marked the document, before the dialog
    // is shown; a cancelled export leaves it marked.
    view.SetModifiedFlag();
    CPlatform& platform = view.Platform();
    const std::optional<std::string> path = platform.GetSaveFileName(BitmapDialog());
    if (!path)
        return true;
    ReportFileError(platform, *path, WriteFileSafely(*path, bytes));
    return true;
}
