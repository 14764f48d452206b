#include "macro/MacroFile.h"

#include "macro/MacroRecorder.h"
#include "macro/TextModeFile.h"
#include "store/FileIo.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

namespace {

void RefuseLargeFile(CViewCore& view) {
    view.Platform().MessageBox("マクロファイルが 8192 バイトを超えています。", kErrorCaption,
                               MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

bool LoadMacroFile(CViewCore& view, const std::string& path) {
    std::string bytes;
    const EFileError error = ReadFileLimited(path, kMaxMacroFileBytes, bytes);
    // The reader refuses what is no regular file without waiting for it, and
    // a large file without reading a byte of it.
    if (error == EFileError::TooLarge) {
        RefuseLargeFile(view);
        return false;
    }
    if (error != EFileError::None) {
        ReportFileError(view.Platform(), path, error);
        return false;
    }
    view.Store().m_macroCode = FileBytesToText(bytes);
    RebuildMacroList(view);
    return true;
}

bool SaveMacroFile(CViewCore& view, const std::string& path) {
    const EFileError error = WriteFileSafely(path, TextToFileBytes(view.Store().m_macroCode));
    ReportFileError(view.Platform(), path, error);
    return error == EFileError::None;
}

bool SaveMacro(CViewCore& view) {
    const CFileDialogInfo dialog{"", kMacroFileFilter, kMacroFileExtension, "*.mcr"};
    if (const std::optional<std::string> path = view.Platform().GetSaveFileName(dialog))
        SaveMacroFile(view, *path);
    return true;
}

bool LoadMacro(CViewCore& view) {
    const CFileDialogInfo dialog{"", kMacroFileFilter, kMacroFileExtension, ""};
    if (const std::optional<std::string> path = view.Platform().GetOpenFileName(dialog))
        LoadMacroFile(view, *path);
    return true;
}
