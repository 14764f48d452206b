#pragma once

#include "app/Dispatcher.h"
#include "store/DrawingTool.h"

#include <string>

class CViewCore;
struct SCommand;

// Undo and redo of the user's actions. A record is taken in few places: the
// common command frame (RunCommand) and the scroll bars, the mouse from press
// to release, New and Open; other work that changes the banks outside a
// command (GIF import) wraps itself in a CUndoScope. What a record holds is
// CUndoHistory's business (store/UndoHistory.h).

// "元に戻す": puts back the state from before the last recorded action, its
// macro step included. Returns false, changing nothing, when there is nothing
// to undo, while a macro plays or while a record is still open (a drag).
bool Undo(CViewCore& view);

// "やり直し": does the action the last undo took back again, from what its
// record kept. Returns false, changing nothing, when there is nothing to redo
// or in the cases where Undo refuses.
bool Redo(CViewCore& view);

// Whether Undo and Redo would do something now.
bool CanUndo(const CViewCore& view);
bool CanRedo(const CViewCore& view);

// The names of what Undo and Redo would take back or do again ("上へスクロール");
// empty when there is nothing.
std::string UndoLabel(const CViewCore& view);
std::string RedoLabel(const CViewCore& view);

// Whether command `id` works on the history itself (Undo, Redo): such a
// command is no action of its own and takes no record.
bool IsHistoryCommand(int id);

// The name a record of command `id` gets when no macro step names it: the
// control's caption, else its menu text without the access key and the key
// hint, else its tooltip or prompt.
std::string CommandName(int id);

// One undo record around everything done during the scope's life: opened by
// the constructor, kept by the destructor when data changed. Scopes nest; an
// inner one joins the record of the outer. GIF import and any other work
// that changes the banks outside the command table uses it like this:
//     { const CUndoScope undo(view, "GIF取込"); ImportGif(view, ...); }
class CUndoScope {
public:
    // A scope named `label`.
    CUndoScope(CViewCore& view, const std::string& label);
    // The scope of a click on `command`: named by its macro step (the SHIFT
    // form's when SHIFT is down), else by CommandName. Undo and Redo
    // themselves open none.
    CUndoScope(CViewCore& view, const SCommand& command);
    // The scope of scroll bar notification `code` on `command`'s control.
    CUndoScope(CViewCore& view, const SCommand& command, int code);
    ~CUndoScope();
    CUndoScope(const CUndoScope&) = delete;
    CUndoScope& operator=(const CUndoScope&) = delete;

private:
    void Open(const std::string& label);

    CViewCore& m_view;
    bool m_open = false;
};

// The record of mouse drawing, named after the tool and the button: a press
// opens one that stays open through the drag and is kept at the release; a press that starts no
// drag (off the cells) closes it again at once. Construct it around the handling of every mouse
// message.
class CDrawingRecord {
public:
    CDrawingRecord(CViewCore& view, EMouseMessage message);
    ~CDrawingRecord();
    CDrawingRecord(const CDrawingRecord&) = delete;
    CDrawingRecord& operator=(const CDrawingRecord&) = delete;

private:
    CViewCore& m_view;
    EMouseMessage m_message;
};

// The names of the records of drawing and of the screen scroll bar, which
// have no macro step of their own: the pen, line, rectangle and fill tools
// with the left (lighting) and right (clearing) button.
inline constexpr const char* kDrawLabel = "ドット描画";
inline constexpr const char* kEraseLabel = "ドット消去";
inline constexpr const char* kLineLabel = "直線描画";
inline constexpr const char* kLineEraseLabel = "直線消去";
inline constexpr const char* kRectangleLabel = "四角形描画";
inline constexpr const char* kRectangleEraseLabel = "四角形消去";
inline constexpr const char* kFillLabel = "塗りつぶし";
inline constexpr const char* kFillEraseLabel = "塗りつぶし消去";
inline constexpr const char* kGoToScreenLabel = "スクリーン移動";

// The name of the record of a press with `tool`, lighting or clearing.
const char* DrawingLabel(EDrawingTool tool, bool lights);
