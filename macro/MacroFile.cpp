#include "macro/MacroFile.h"

#include "macro/MacroRecorder.h"
#include "macro/TextModeFile.h"
#include "store/FileIo.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

#include <sys/stat.h>

namespace {

void RefuseLargeFile(CViewCore& view) {
    view.Platform().MessageBox("マクロファイルが 8192 バイトを超えています。", kErrorCaption,
                               MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

bool LoadMacroFile(CViewCore& view, const std::string& path) {
    // Looked at before it is opened: a FIFO would block the read until
    // someone writes to it, a device may never end, and a large file is
    // refused without reading a byte of it. A path that does not exist is
    // left for the reader to report.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            ReportFileError(view.Platform(), path, EFileError::ReadFailed);
            return false;
        }
        if (static_cast<unsigned long long>(info.st_size) > kMaxMacroFileBytes) {
            RefuseLargeFile(view);
            return false;
        }
    }
    std::string bytes;
    const EFileError error = ReadFileLimited(path, kMaxMacroFileBytes, bytes);
    if (error == EFileError::TooLarge) {
        // It grew after the look.
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
    const EFileError error = WriteFileAtomically(path, TextToFileBytes(view.Store().m_macroCode));
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
