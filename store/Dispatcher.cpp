#include "store/Dispatcher.h"

#include "macro/MacroPlayer.h"
#include "macro/MacroRecorder.h"
#include "store/CommandIds.h"
#include "store/ViewCore.h"
#include "view/MouseDrawing.h"
#include "view/Navigation.h"
#include "view/Preview.h"

#include <array>

namespace {

struct SCommandEntry {
    int id;
    void (*handler)(CViewCore&);
};

struct SScrollEntry {
    int id;
    void (*handler)(CViewCore&, int code, int thumbPosition);
};

void OnResetButton(CViewCore& view) {
    Reset(view);
}

const std::array kCommands = {
    SCommandEntry{IDC_FIRST_SCREEN, OnFirstScreenButton},
    SCommandEntry{IDC_LAST_SCREEN, OnLastScreenButton},
    SCommandEntry{IDC_SELECT1, OnSelect1},
    SCommandEntry{IDC_SELECT2, OnSelect2},
    SCommandEntry{IDC_SELECT3, OnSelect3},
    SCommandEntry{IDC_PLAY, TogglePreview},
    SCommandEntry{IDC_RESET, OnResetButton},
    SCommandEntry{IDC_MACRO_RECORD, ToggleRecording},
    SCommandEntry{IDC_MACRO_START, PlayMacro},
    SCommandEntry{IDC_MACRO_BREAK, ToggleBreak},
};

const std::array kScrolls = {
    SScrollEntry{IDC_SCREEN_SCROLL, OnScreenScroll},
};

template <typename Table>
auto Find(const Table& table, int id) -> decltype(&table[0]) {
    for (const auto& entry : table)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

} // namespace

bool CDispatcher::OnCommand(int id) {
    const SCommandEntry* entry = Find(kCommands, id);
    if (entry == nullptr)
        return false;
    entry->handler(m_view);
    return true;
}

bool CDispatcher::HandlesCommand(int id) {
    return Find(kCommands, id) != nullptr;
}

bool CDispatcher::OnScroll(int controlId, int code, int thumbPosition) {
    const SScrollEntry* entry = Find(kScrolls, controlId);
    if (entry == nullptr)
        return false;
    entry->handler(m_view, code, thumbPosition);
    return true;
}

void CDispatcher::OnMouse(EMouseMessage message, unsigned keyFlags, int x, int y) {
    switch (message) {
    case EMouseMessage::LButtonDown:
        OnButtonDown(m_view, true, keyFlags, x, y);
        break;
    case EMouseMessage::RButtonDown:
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

void CDispatcher::OnCheckChanged(int controlId, bool checked) {
    CFormValues& form = m_view.Store().m_form;
    if (controlId == IDC_MACRO_RECORD)
        form.recording = checked;
    else if (controlId == IDC_MACRO_BREAK)
        form.breakFlag = checked;
}

void CDispatcher::OnRadioChanged(int index) {
    if (index >= 0 && index < kBankCount)
        m_view.Store().m_form.bankRadio = index;
}

void CDispatcher::OnListSelect(int index) {
    CScreenStore& s = m_view.Store();
    const int count = static_cast<int>(s.m_macroLines.size());
    s.m_macroSelection = index >= 0 && index < count ? index : -1;
}
