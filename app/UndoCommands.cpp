#include "app/UndoCommands.h"

#include "app/CommandInventory.h"
#include "app/CommandTable.h"
#include "macro/MacroRecorder.h"
#include "macro/StepTable.h"
#include "store/CommandIds.h"
#include "store/Platform.h"
#include "store/ViewCore.h"
#include "view/FormTemplate.h"

#include <algorithm>

namespace {

// The name of an action with no other: it changes nothing anyway.
constexpr const char* kUnnamedAction = "操作";

std::string StepLabel(EStep step) {
    const SStep* entry = FindStep(StepNumber(step));
    return entry != nullptr ? entry->label : std::string();
}

// A menu text as a name: without the key hint, the access key and the dots.
std::string MenuName(const char* text) {
    std::string name(text);
    if (const size_t tab = name.find('\t'); tab != std::string::npos)
        name.erase(tab);
    if (const size_t key = name.find("(&");
        key != std::string::npos && key + 3 < name.size() && name[key + 3] == ')')
        name.erase(key, 4);
    name.erase(std::remove(name.begin(), name.end(), '&'), name.end());
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
    return name;
}

// A drag whose release never came (the pointer was lost to another window)
// must not swallow every later action into its record.
void CloseStaleDrag(CViewCore& view) {
    CUndoHistory& history = view.UndoHistory();
    if (history.HeldOpen() && !view.Platform().HasCapture() && history.CommitHeld(view))
        view.Platform().UndoHistoryChanged();
}

// Shows the state an undo or redo put back.
void ShowRestored(CViewCore& view, const CUndoHistory::SRestored& restored) {
    CScreenStore& s = view.Store();
    CPlatform& platform = view.Platform();
    platform.SetScrollRange(1, s.CurrentScreenCount());
    platform.SetScrollPos(s.m_currentScreen + s.m_previewOffset);
    if (restored.macro) {
        EnableMacroButtons(view, s.m_macroButtonsEnabled);
        platform.MacroListChanged();
    }
    view.UpdateData(false);
    view.RepaintGrid();
    platform.UndoHistoryChanged();
}

} // namespace

const char* DrawingLabel(EDrawingTool tool, bool lights) {
    switch (tool) {
    case EDrawingTool::Line:
        return lights ? kLineLabel : kLineEraseLabel;
    case EDrawingTool::Rectangle:
        return lights ? kRectangleLabel : kRectangleEraseLabel;
    case EDrawingTool::Fill:
        return lights ? kFillLabel : kFillEraseLabel;
    case EDrawingTool::Pen:
        break;
    }
    return lights ? kDrawLabel : kEraseLabel;
}

bool CanUndo(const CViewCore& view) {
    return view.Store().m_playback == 0 && view.UndoHistory().CanUndo();
}

bool CanRedo(const CViewCore& view) {
    return view.Store().m_playback == 0 && view.UndoHistory().CanRedo();
}

bool Undo(CViewCore& view) {
    CloseStaleDrag(view);
    if (!CanUndo(view))
        return false;
    ShowRestored(view, view.UndoHistory().Undo(view));
    return true;
}

bool Redo(CViewCore& view) {
    CloseStaleDrag(view);
    if (!CanRedo(view))
        return false;
    ShowRestored(view, view.UndoHistory().Redo(view));
    return true;
}

std::string UndoLabel(const CViewCore& view) {
    return CanUndo(view) ? view.UndoHistory().UndoLabel() : std::string();
}

std::string RedoLabel(const CViewCore& view) {
    return CanRedo(view) ? view.UndoHistory().RedoLabel() : std::string();
}

bool IsHistoryCommand(int id) {
    return id == ID_EDIT_UNDO || id == ID_EDIT_REDO;
}

std::string CommandName(int id) {
    if (id == IDC_SCREEN_SCROLL || id == ID_NEXT_SCREEN || id == ID_PREVIOUS_SCREEN)
        return kGoToScreenLabel;
    if (const SFormControl* control = FindFormControl(id);
        control != nullptr && control->caption != nullptr && *control->caption != '\0')
        return control->caption;
    if (const SCommandText* texts = FindCommandText(id)) {
        if (texts->text != nullptr)
            return MenuName(texts->text);
        if (texts->toolTip != nullptr)
            return texts->toolTip;
        if (texts->prompt != nullptr)
            return texts->prompt;
    }
    return kUnnamedAction;
}

CUndoScope::CUndoScope(CViewCore& view, const std::string& label) : m_view(view) {
    Open(label);
}

CUndoScope::CUndoScope(CViewCore& view, const SCommand& command) : m_view(view) {
    if (IsHistoryCommand(command.id))
        return;
    // The SHIFT key as the frame is about to read it picks the form's name.
    EStep step = command.plainStep;
    if (command.shift != nullptr && command.shiftStep != EStep::None &&
        view.Platform().IsShiftDown())
        step = command.shiftStep;
    Open(step != EStep::None ? StepLabel(step) : CommandName(command.id));
}

CUndoScope::CUndoScope(CViewCore& view, const SCommand& command, int code) : m_view(view) {
    // A bit-move bar's second arrow is its SHIFT form in the table.
    const EStep step = code == SB_LINEDOWN ? command.shiftStep : command.plainStep;
    Open(step != EStep::None ? StepLabel(step) : CommandName(command.id));
}

CUndoScope::~CUndoScope() {
    if (m_open && m_view.UndoHistory().Commit(m_view))
        m_view.Platform().UndoHistoryChanged();
}

void CUndoScope::Open(const std::string& label) {
    CloseStaleDrag(m_view);
    m_view.UndoHistory().Begin(m_view, label);
    m_open = true;
}

CDrawingRecord::CDrawingRecord(CViewCore& view, EMouseMessage message)
    : m_view(view), m_message(message) {
    CloseStaleDrag(view);
    if (message == EMouseMessage::LButtonDown || message == EMouseMessage::RButtonDown)
        view.UndoHistory().BeginHeld(
            view, DrawingLabel(view.Store().m_drawingTool, message == EMouseMessage::LButtonDown));
}

CDrawingRecord::~CDrawingRecord() {
    const bool press =
        m_message == EMouseMessage::LButtonDown || m_message == EMouseMessage::RButtonDown;
    const bool release =
        m_message == EMouseMessage::LButtonUp || m_message == EMouseMessage::RButtonUp;
    // A press that took no capture started no drag: its record ends with it.
    if ((release || (press && !m_view.Platform().HasCapture())) &&
        m_view.UndoHistory().CommitHeld(m_view))
        m_view.Platform().UndoHistoryChanged();
}
