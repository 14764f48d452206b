#include "macro/MacroExport.h"

#include "macro/TextModeFile.h"
#include "store/Cp932.h"
#include "store/FileIo.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

namespace {

bool WriteText(CViewCore& view, const std::string& path, const std::string& bytes) {
    const EFileError error = WriteFileSafely(path, bytes);
    ReportFileError(view.Platform(), path, error);
    return error == EFileError::None;
}

} // namespace

std::string MacroTextBytes(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return TextToFileBytes(Utf8ToCp932(text));
}

bool WriteMacroText(CViewCore& view, const std::string& path) {
    return WriteText(view, path, MacroTextBytes(view.Store().m_macroLines));
}

bool ExportMacroText(CViewCore& view) {
    // The text is taken before the dialog opens: what is written is the list
    // the user exported, whatever happens while the dialog is up.
    const std::string bytes = MacroTextBytes(view.Store().m_macroLines);
    const CFileDialogInfo dialog{"", kMacroTextFilter, kMacroTextExtension, "*.txt"};
    if (const std::optional<std::string> path = view.Platform().GetSaveFileName(dialog))
        WriteText(view, *path, bytes);
    return true;
}
