#pragma once

#include "store/LogFont.h"
#include "store/Rect.h"

#include <optional>
#include <string>

// Message box types and answers, with the values Windows gives them.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_OKCANCEL = 0x01;
inline constexpr unsigned MB_YESNOCANCEL = 0x03;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONSTOP = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
// The second button is the default (the first is otherwise).
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned kMbButtonsMask = 0x0F;
inline constexpr unsigned kMbIconMask = 0xF0;
inline constexpr unsigned kMbDefaultButtonMask = 0xF00;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// What a common file dialog shows: its title (empty for the default one),
// the filter as "text|pattern|text|pattern||", the default extension without
// its dot, and the file name it proposes.
struct CFileDialogInfo {
    std::string title;
    std::string filter;
    std::string defaultExtension;
    std::string initialName;
    bool operator==(const CFileDialogInfo&) const = default;
};

// Pointer shapes the view asks for.
enum class ECursorShape { Arrow, SetDot, ClearDot };

// The one door from the core to the outside world: dialogs, the widgets that
// mirror the state, the grid, timers, the mouse and the keyboard. The Qt view
// implements it for the window; CHeadlessPlatform for tests and the CLI.
class CPlatform {
public:
    virtual ~CPlatform() = default;

    // Shows a modal message box (MB_* type) and returns the button pressed
    // (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned type) = 0;

    // Modal file dialogs; nullopt when the user cancels.
    virtual std::optional<std::string> GetOpenFileName(const CFileDialogInfo& dialog) = 0;
    virtual std::optional<std::string> GetSaveFileName(const CFileDialogInfo& dialog) = 0;

    // The font dialog on `font`; true (with `font` rewritten) when the user
    // pressed OK.
    virtual bool ChooseFont(CLogFont& font) = 0;

    // The character-entry dialog of size 16 or 32; the text typed, or nullopt
    // when the user cancels.
    virtual std::optional<std::string> AskCharacters(int size) = 0;

    // The form values changed: the widgets must show them again.
    virtual void ControlsChanged() = 0;
    // The macro list's lines or selection changed.
    virtual void MacroListChanged() = 0;
    // Moves the keyboard focus to a control (after a failed validation).
    virtual void FocusControl(int controlId) = 0;
    // Enables or disables a control.
    virtual void EnableControl(int controlId, bool enabled) = 0;

    // Asks for a repaint of the whole grid; the background is not erased.
    virtual void InvalidateGrid() = 0;
    // Draws one cell of the grid at once, lit or unlit.
    virtual void DrawDot(int column, int row, bool lit) = 0;

    // Range and thumb position of the screen scroll bar (control 1002).
    virtual void SetScrollRange(int minimum, int maximum) = 0;
    virtual void SetScrollPos(int position) = 0;

    // Starts or stops the preview timer (timer id 1), which ticks every
    // m_previewInterval ms of the state (100 unless "再生速度" changed it).
    // Starting a running timer starts it again at that interval.
    virtual void SetPreviewTimer(bool running) = 0;

    // Text of the status bar's only pane.
    virtual void SetStatusText(const std::string& text) = 0;

    // Mouse: pointer shape, confinement of the pointer to a rectangle in view
    // client coordinates (nullopt frees it), and the mouse capture.
    virtual void SetCursorShape(ECursorShape shape) = 0;
    virtual void ClipCursor(const std::optional<CRect>& clip) = 0;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;

    // Whether the SHIFT key is held as the current command arrives.
    virtual bool IsShiftDown() = 0;

    // A command or control reached the view that it has no handler for (a
    // fault of the program, never of the user): it is reported, not dropped.
    virtual void CommandNotHandled(int id) = 0;

    // The undo or redo list changed: what Undo and Redo would do, or whether
    // they can, may differ now. A platform without such menus ignores it.
    virtual void UndoHistoryChanged() {}
};
