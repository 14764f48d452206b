#pragma once

#include <string>

class CViewCore;

// Mouse messages of the view.
enum class EMouseMessage { LButtonDown, LButtonUp, RButtonDown, RButtonUp, MouseMove };

// The view's message map: routes clicks, scroll bar notifications, mouse
// messages, timer ticks and typing to the core. The Qt view connects every
// widget to it; tests and glowmotion-cli call it exactly as a click would.
class CDispatcher {
public:
    explicit CDispatcher(CViewCore& view) : m_view(view) {}

    // The one click path: a menu, toolbar or accelerator command, or a
    // control of the form clicked with the state it took (`checked`, for the
    // push-like check boxes; a radio button is pressed by being clicked). The
    // control's state goes into the form values first, then the command's
    // handler runs. A command the view has no handler for is reported to the
    // platform and false is returned.
    bool OnClick(int id, bool checked = false);

    // Whether OnClick has a handler for `id`.
    static bool HandlesCommand(int id);

    // A scroll bar notification (SB_* code) from control `controlId`.
    // Returns false when no handler is mapped to the control.
    bool OnScroll(int controlId, int code, int thumbPosition);

    // Screen `screen` of the current bank was picked on an overview of the
    // bank (the filmstrip): the screen scroll bar's thumb dragged there and
    // let go (SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL), with the
    // go-to-screen step that records. A screen outside the bank is taken as
    // its nearest screen.
    void OnScreenPicked(int screen);

    // A mouse message at (x, y) in view client pixels with MK_* key flags.
    void OnMouse(EMouseMessage message, unsigned keyFlags, int x, int y);

    // A tick of the view's timer.
    void OnTimer(int timerId);

    // The user changed the text of an edit control.
    void OnEditChanged(int controlId, const std::string& text);

    // The user selected macro list line `index` (-1 for none).
    void OnListSelect(int index);

private:
    CViewCore& m_view;
};
