#include "app/Dispatcher.h"

#include "app/CommandTable.h"
#include "app/UndoCommands.h"
#include "store/CommandIds.h"
#include "store/Platform.h"
#include "store/ViewCore.h"
#include "view/FormTemplate.h"
#include "view/MouseDrawing.h"
#include "view/Navigation.h"
#include "view/Preview.h"

#include <algorithm>

namespace {

// A scroll bar has a row too (its arrows are operations the player
// replays), but it is never clicked.
bool IsClickable(const SCommand* command) {
    return command != nullptr && command->scroll == nullptr &&
           (command->plain != nullptr || command->handler != nullptr);
}

// Puts the state a clicked check box or radio button took into the form.
void TakeControlState(CFormValues& form, int id, bool checked) {
    if (bool* state = form.CheckState(id))
        *state = checked;
    else if (const int index = RadioButtonIndex(id); index >= 0)
        form.bankRadio = index;
}

} // namespace

bool CDispatcher::OnClick(int id, bool checked) {
    TakeControlState(m_view.Store().m_form, id, checked);
    const SCommand* command = FindCommand(id);
    if (!IsClickable(command)) {
        m_view.Platform().CommandNotHandled(id);
        return false;
    }
    RunCommand(m_view, *command);
    return true;
}

bool CDispatcher::HandlesCommand(int id) {
    return IsClickable(FindCommand(id));
}

bool CDispatcher::OnScroll(int controlId, int code, int thumbPosition) {
    const SCommand* command = FindCommand(controlId);
    if (command == nullptr || command->scroll == nullptr) {
        m_view.Platform().CommandNotHandled(controlId);
        return false;
    }
    const CUndoScope undo(m_view, *command, code);
    // The bit-move bars move the screen on display; the screen scroll bar
    // takes it as its start itself.
    if (WorksOnCurrentScreen(*command))
        TakeScreenOnDisplay(m_view);
    command->scroll(m_view, code, thumbPosition);
    return true;
}

void CDispatcher::OnScreenPicked(int screen) {
    screen = std::clamp(screen, 1, std::max(1, m_view.Store().CurrentScreenCount()));
    for (const int code : {SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL})
        OnScroll(IDC_SCREEN_SCROLL, code, screen);
}

void CDispatcher::OnMouse(EMouseMessage message, unsigned keyFlags, int x, int y) {
    const CDrawingRecord undo(m_view, message);
    switch (message) {
    case EMouseMessage::LButtonDown:
        // A press draws on the screen on display, which it makes current.
        TakeScreenOnDisplay(m_view);
        OnButtonDown(m_view, true, keyFlags, x, y);
        break;
    case EMouseMessage::RButtonDown:
        TakeScreenOnDisplay(m_view);
        OnButtonDown(m_view, false, keyFlags, x, y);
        break;
    case EMouseMessage::LButtonUp:
    case EMouseMessage::RButtonUp:
        OnButtonUp(m_view);
        break;
    case EMouseMessage::MouseMove:
        OnMouseMove(m_view, keyFlags, x, y);
        break;
    }
}

void CDispatcher::OnTimer(int /*timerId*/) {
    PreviewTick(m_view);
}

void CDispatcher::OnEditChanged(int controlId, const std::string& text) {
    if (std::string* field = m_view.Store().m_form.EditText(controlId))
        *field = text;
}

void CDispatcher::OnListSelect(int index) {
    CScreenStore& s = m_view.Store();
    const int count = static_cast<int>(s.m_macroLines.size());
    s.m_macroSelection = index >= 0 && index < count ? index : -1;
}
