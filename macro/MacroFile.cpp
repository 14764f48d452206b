#include "macro/MacroFile.h"

#include "macro/MacroRecorder.h"
#include "store/FileIo.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

bool LoadMacroFile(CViewCore& view, const std::string& path) {
    std::string bytes;
    const EFileError error = ReadFileLimited(path, kMaxMacroFileBytes, bytes);
    if (error == EFileError::TooLarge) {
        view.Platform().MessageBox("マクロファイルが 8192 バイトを超えています。", kErrorCaption,
                                   MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (error != EFileError::None) {
        ReportFileError(view.Platform(), path, error);
        return false;
    }
    view.Store().m_macroCode = std::move(bytes);
    RebuildMacroList(view);
    return true;
}
