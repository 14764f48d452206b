#include "app/qt/TextScrollCommand.h"

#include "app/UndoCommands.h"
#include "app/qt/ExchangeCommands.h"
#include "app/qt/TextScrollDlg.h"
#include "app/qt/TextSettings.h"
#include "edit/ScrollingText.h"

void RunTextScrollCommand(QWidget* parent, CViewCore& view) {
    CTextScrollDlg dialog(view, ReadTextOptions(), parent);
    if (!RunOptionsDialog(dialog))
        return;
    const STextScrollOptions options = dialog.Options();
    WriteTextOptions(options);
    const CUndoScope undo(view, "テキストスクロール");
    WriteScrollingText(view, options);
}
