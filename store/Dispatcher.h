#pragma once

#include <string>

class CViewCore;

// Mouse messages of the view.
enum class EMouseMessage { LButtonDown, LButtonUp, RButtonDown, RButtonUp, MouseMove };

// The view's message map: routes commands, control notifications, mouse
// messages and timer ticks to the core's handlers. The Qt view connects every
// widget to it; tests call it exactly as a click would. Controls write their
// new value into the form values first (what the user typed, the state an
// auto check box or radio button took) and then send their notification.
class CDispatcher {
public:
    explicit CDispatcher(CViewCore& view) : m_view(view) {}

    // A menu, toolbar or accelerator command, or a button click (BN_CLICKED).
    // Returns false when no handler is mapped to `id`.
    bool OnCommand(int id);

    // Whether OnCommand has a handler for `id`.
    static bool HandlesCommand(int id);

    // A scroll bar notification (SB_* code) from control `controlId`.
    // Returns false when no handler is mapped to the control.
    bool OnScroll(int controlId, int code, int thumbPosition);

    // A mouse message at (x, y) in view client pixels with MK_* key flags.
    void OnMouse(EMouseMessage message, unsigned keyFlags, int x, int y);

    // A tick of the view's timer.
    void OnTimer(int timerId);

    // The user changed the text of an edit control.
    void OnEditChanged(int controlId, const std::string& text);

    // A push-like check box took the state `checked`.
    void OnCheckChanged(int controlId, bool checked);

    // The bank radio button `index` (0..2) became the pressed one.
    void OnRadioChanged(int index);

    // The user selected macro list line `index` (-1 for none).
    void OnListSelect(int index);

private:
    CViewCore& m_view;
};
