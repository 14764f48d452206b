#include "edit/ScreenExport.h"

#include "edit/XbmWriter.h"
#include "store/FileIo.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

std::string LowerExtension(std::string_view path) {
    const std::string_view name = path.substr(path.find_last_of('/') + 1);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return {};
    std::string extension(name.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

void ShowError(CViewCore& view, const char* text) {
    view.Platform().MessageBox(text, kErrorCaption, MB_ICONEXCLAMATION);
}

} // namespace

std::optional<EExportFormat> ExportFormatOfPath(std::string_view path) {
    const std::string extension = LowerExtension(path);
    if (extension == "gif")
        return EExportFormat::Gif;
    if (extension == "png")
        return EExportFormat::Png;
    if (extension == "h" || extension == "c")
        return EExportFormat::CSource;
    if (extension == "bin")
        return EExportFormat::Binary;
    if (extension == "xbm")
        return EExportFormat::Xbm;
    return std::nullopt;
}

const char* ExportTitle(EExportFormat format) {
    switch (format) {
    case EExportFormat::Gif:
        return "GIFアニメ保存";
    case EExportFormat::Png:
        return "PNG保存";
    case EExportFormat::CSource:
    case EExportFormat::Binary:
    case EExportFormat::Xbm:
        break;
    }
    return "Cソース保存";
}

CFileDialogInfo ExportSaveDialog(EExportFormat format, std::string title,
                                 const std::string& folder) {
    if (const size_t dot = title.find_last_of('.'); dot != std::string::npos && dot > 0)
        title.erase(dot);
    if (!folder.empty())
        title.insert(0, folder.back() == '/' ? folder : folder + '/');
    switch (format) {
    case EExportFormat::Gif:
        return {ExportTitle(format), "GIF ﾌｧｲﾙ (*.gif)|*.gif|すべてのﾌｧｲﾙ (*.*)|*.*||", "gif",
                title + ".gif"};
    case EExportFormat::Png:
        return {ExportTitle(format), "PNG ﾌｧｲﾙ (*.png)|*.png|すべてのﾌｧｲﾙ (*.*)|*.*||", "png",
                title + ".png"};
    case EExportFormat::CSource:
    case EExportFormat::Binary:
    case EExportFormat::Xbm:
        break;
    }
    return {ExportTitle(format),
            "C ﾍｯﾀﾞｰ (*.h)|*.h|C ｿｰｽ (*.c)|*.c|ﾊﾞｲﾅﾘ (*.bin)|*.bin|"
            "X11 ﾋﾞｯﾄﾏｯﾌﾟ (*.xbm)|*.xbm|すべてのﾌｧｲﾙ (*.*)|*.*||",
            "h", title + ".h"};
}

std::string ExportStartFolder(const std::string& documentPath, const std::string& lastFolder) {
    if (!documentPath.empty()) {
        // A name without a folder is in the current one, where the dialog
        // starts anyway.
        const size_t slash = documentPath.find_last_of('/');
        if (slash == std::string::npos)
            return {};
        return slash == 0 ? "/" : documentPath.substr(0, slash);
    }
    std::error_code error;
    if (!lastFolder.empty() && std::filesystem::is_directory(lastFolder, error))
        return lastFolder;
    return {};
}

EExportFormat ExportFormatOfChoice(EExportFormat chosen, std::string_view path) {
    if (chosen != EExportFormat::CSource)
        return chosen;
    const std::optional<EExportFormat> named = ExportFormatOfPath(path);
    if (named == EExportFormat::Binary || named == EExportFormat::Xbm)
        return *named;
    return chosen;
}

SExportOptions DefaultExportOptions(const CScreenStore& store, EExportFormat format) {
    SExportOptions options;
    options.format = format;
    options.from = 1;
    options.to = std::max(1, store.CurrentScreenCount());
    return options;
}

EEncodeStatus EncodeExport(const CScreenStore& store, int bank, const SExportOptions& options,
                           const std::string& path, const FProgress& progress, std::string& bytes) {
    const Word* screens = store.ScreenAt(bank, options.from).data();
    const int count = options.format == EExportFormat::Xbm ? 1 : options.to - options.from + 1;
    const std::string name = options.name.empty() ? CIdentifierFromPath(path) : options.name;
    switch (options.format) {
    case EExportFormat::Gif:
        return EncodeGifAnimation(screens, count, options.render, options.delayMs, progress, bytes);
    case EExportFormat::Png:
        return EncodePngSheet(screens, count, options.render, options.columns, progress, bytes);
    case EExportFormat::CSource: {
        SCSourceOptions source;
        source.layout = options.layout;
        source.wiring = options.wiring;
        source.progmem = options.progmem;
        source.kind = LowerExtension(path) == "c" ? ECSourceKind::Definition : ECSourceKind::Header;
        bytes = EncodeCSource(screens, count, source, name);
        break;
    }
    case EExportFormat::Binary:
        bytes = PackScreens(screens, count, options.layout, options.wiring);
        break;
    case EExportFormat::Xbm:
        bytes = EncodeXbm(screens, name);
        break;
    }
    // The text formats take a moment even for a full bank.
    if (progress && !progress(count, count)) {
        bytes.clear();
        return EEncodeStatus::Cancelled;
    }
    return EEncodeStatus::Done;
}

bool CheckSomethingToExport(CViewCore& view) {
    if (view.Store().CurrentScreenCount() >= 1)
        return true;
    ShowError(view, kNothingToExportText);
    return false;
}

EExportResult ExportScreens(CViewCore& view, const std::string& path, const SExportOptions& options,
                            const FProgress& progress) {
    const CScreenStore& s = view.Store();
    const int count = s.CurrentScreenCount();
    if (!CheckSomethingToExport(view))
        return EExportResult::Failed;
    if (options.from < 1 || options.to > count || options.from > options.to) {
        ShowError(view, kBadRangeText);
        return EExportResult::Failed;
    }
    const bool named =
        options.format == EExportFormat::CSource || options.format == EExportFormat::Xbm;
    if (named && !options.name.empty() && !IsCIdentifier(options.name)) {
        ShowError(view, kBadNameText);
        return EExportResult::Failed;
    }
    if (options.format == EExportFormat::Png &&
        !SheetFits(SheetSize(options.to - options.from + 1, options.render, options.columns))) {
        ShowError(view, kSheetTooWideText);
        return EExportResult::Failed;
    }
    std::string bytes;
    switch (EncodeExport(s, s.m_currentBank, options, path, progress, bytes)) {
    case EEncodeStatus::Done:
        break;
    case EEncodeStatus::Cancelled:
        return EExportResult::Cancelled;
    case EEncodeStatus::Failed:
        ReportFileError(view.Platform(), path, EFileError::WriteFailed);
        return EExportResult::Failed;
    }
    const EFileError error = WriteFileSafely(path, bytes);
    ReportFileError(view.Platform(), path, error);
    return error == EFileError::None ? EExportResult::Written : EExportResult::Failed;
}
