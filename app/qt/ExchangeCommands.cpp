#include "app/qt/ExchangeCommands.h"

#include "app/UndoCommands.h"
#include "app/qt/ExportDlg.h"
#include "app/qt/ExportSettings.h"
#include "app/qt/GifImportDlg.h"
#include "edit/GifImport.h"
#include "store/Platform.h"
#include "store/ViewCore.h"
#include "view/qt/ShellDialogs.h"
#include "view/qt/ShellResources.h"

#include <QProgressDialog>

#include <memory>
#include <optional>

namespace {

// A progress dialog that comes up once the work takes longer than a moment
// and cancels it on ｷｬﾝｾﾙ. The work runs on this thread: each report lets
// the window repaint and the button be pressed. The dialog closes for good
// before any message box, which would otherwise come up under it, or see
// it come back over it when its show timer fires.
class CProgress {
public:
    CProgress(QWidget* parent, const QString& label)
        : m_dialog(label, Utf8("ｷｬﾝｾﾙ"), 0, 1, parent), m_closeFirst([this] { Close(); }) {
        m_dialog.setWindowTitle(Utf8("Glowmotion"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(ExchangeProgressDelayMs());
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
    }

    FProgress Function() {
        return [this](int done, int total) {
            if (m_closed)
                return true;
            if (m_dialog.maximum() != total)
                m_dialog.setMaximum(total);
            m_dialog.setValue(done);
            return !m_dialog.wasCanceled();
        };
    }

private:
    void Close() {
        m_closed = true;
        // reset() stops the timer that would show the dialog.
        m_dialog.reset();
        m_dialog.hide();
    }

    QProgressDialog m_dialog;
    bool m_closed = false;
    CBeforeMessageBox m_closeFirst;
};

} // namespace

std::function<bool(QDialog& dialog)>& ExchangeDialogHook() {
    static std::function<bool(QDialog&)> hook;
    return hook;
}

bool RunOptionsDialog(QDialog& dialog) {
    if (ExchangeDialogHook())
        return ExchangeDialogHook()(dialog);
    return dialog.exec() == QDialog::Accepted;
}

int& ExchangeProgressDelayMs() {
    static int delay = 400;
    return delay;
}

void RunExportCommand(QWidget* parent, CViewCore& view, EExportFormat format,
                      const std::string& title, const std::string& documentPath) {
    if (!CheckSomethingToExport(view))
        return;
    // A GIF plays at the preview's speed unless the last export chose
    // another delay since that speed was chosen.
    SExportOptions kept = DefaultExportOptions(view.Store(), format);
    kept.delayMs = view.Store().m_previewInterval;
    ReadExportSettings(kept);
    CExportDlg dialog(format, view.Store().CurrentScreenCount(), kept, parent);
    if (!RunOptionsDialog(dialog))
        return;
    SExportOptions options = dialog.Options();
    WriteExportSettings(options);
    const std::string folder = ExportStartFolder(documentPath, ReadLastExportFolder());
    const std::optional<std::string> path =
        ShowFileDialog(parent, true, ExportSaveDialog(format, title, folder));
    if (!path)
        return;
    options.format = ExportFormatOfChoice(format, *path);
    CProgress progress(parent, Utf8("保存しています..."));
    if (ExportScreens(view, *path, options, progress.Function()) == EExportResult::Written)
        WriteLastExportFolder(*path);
}

void RunGifImportCommand(QWidget* parent, CViewCore& view) {
    const CFileDialogInfo request{"GIFアニメ取込",
                                  "GIF ﾌｧｲﾙ (*.gif)|*.gif|すべてのﾌｧｲﾙ (*.*)|*.*||", "gif", ""};
    const std::optional<std::string> path = ShowFileDialog(parent, false, request);
    if (!path)
        return;
    std::string bytes;
    SGreyImage first;
    // Everything that can be known before the frames are converted is
    // checked before the options are asked for.
    if (!ReadGifFile(view.Platform(), *path, bytes) || !CheckGifImport(view, bytes) ||
        !FirstGifFrame(view.Platform(), bytes, first))
        return;
    CGifImportDlg dialog(first, parent);
    if (!RunOptionsDialog(dialog))
        return;
    CProgress progress(parent, Utf8("取り込んでいます..."));
    const CUndoScope undo(view, "GIFアニメ取込");
    ImportGif(view, bytes, dialog.Options(), progress.Function());
}
