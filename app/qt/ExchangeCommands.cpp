#include "app/qt/ExchangeCommands.h"

#include "app/UndoCommands.h"
#include "app/qt/ExportDlg.h"
#include "app/qt/GifImportDlg.h"
#include "edit/GifImport.h"
#include "store/Platform.h"
#include "store/ViewCore.h"
#include "view/qt/ShellDialogs.h"
#include "view/qt/ShellResources.h"

#include <QProgressDialog>
#include <QSpinBox>

#include <memory>
#include <optional>

namespace {

// Shows `dialog` modally, or lets the test hook answer for it.
bool Accepted(QDialog& dialog) {
    if (ExchangeDialogHook())
        return ExchangeDialogHook()(dialog);
    return dialog.exec() == QDialog::Accepted;
}

// A progress dialog that comes up once the work takes longer than a moment
// and cancels it on ｷｬﾝｾﾙ. The work runs on this thread: each report lets
// the window repaint and the button be pressed.
class CProgress {
public:
    CProgress(QWidget* parent, const QString& label)
        : m_dialog(label, Utf8("ｷｬﾝｾﾙ"), 0, 1, parent) {
        m_dialog.setWindowTitle(Utf8("Glowmotion"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(400);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
    }

    FProgress Function() {
        return [this](int done, int total) {
            if (m_dialog.maximum() != total)
                m_dialog.setMaximum(total);
            m_dialog.setValue(done);
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

std::function<bool(QDialog& dialog)>& ExchangeDialogHook() {
    static std::function<bool(QDialog&)> hook;
    return hook;
}

void RunExportCommand(QWidget* parent, CViewCore& view, EExportFormat format,
                      const std::string& title) {
    if (!CheckSomethingToExport(view))
        return;
    CExportDlg dialog(format, view.Store().CurrentScreenCount(), parent);
    // A GIF plays at the preview's speed unless told otherwise.
    if (QSpinBox* delay = dialog.DelayBox())
        delay->setValue(view.Store().m_previewInterval);
    if (!Accepted(dialog))
        return;
    SExportOptions options = dialog.Options();
    const std::optional<std::string> path =
        ShowFileDialog(parent, true, ExportSaveDialog(format, title));
    if (!path)
        return;
    options.format = ExportFormatOfChoice(format, *path);
    CProgress progress(parent, Utf8("保存しています..."));
    ExportScreens(view, *path, options, progress.Function());
}

void RunGifImportCommand(QWidget* parent, CViewCore& view) {
    const CFileDialogInfo request{"GIFアニメ取込",
                                  "GIF ﾌｧｲﾙ (*.gif)|*.gif|すべてのﾌｧｲﾙ (*.*)|*.*||", "gif", ""};
    const std::optional<std::string> path = ShowFileDialog(parent, false, request);
    if (!path)
        return;
    std::string bytes;
    SGreyImage first;
    if (!ReadGifFile(view.Platform(), *path, bytes) ||
        !FirstGifFrame(view.Platform(), bytes, first))
        return;
    CGifImportDlg dialog(first, parent);
    if (!Accepted(dialog))
        return;
    CProgress progress(parent, Utf8("取り込んでいます..."));
    const CUndoScope undo(view, "GIFアニメ取込");
    ImportGif(view, bytes, dialog.Options(), progress.Function());
}
