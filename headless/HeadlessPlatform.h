#pragma once

#include "store/Platform.h"

#include <deque>
#include <string>
#include <vector>

// A platform without a window: it records every call and answers dialogs from
// queues. Tests script a session with it; glowmotion-cli replays macros on it.
// When a queue is empty, a message box is answered with its first button (OK,
// or Yes for a question) and every other dialog is cancelled.
class CHeadlessPlatform : public CPlatform {
public:
    // One message box that was shown.
    struct SMessage {
        std::string text;
        std::string caption;
        unsigned type = 0;
    };

    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    std::optional<std::string> GetOpenFileName(const CFileDialogInfo& dialog) override;
    std::optional<std::string> GetSaveFileName(const CFileDialogInfo& dialog) override;
    bool ChooseFont(CLogFont& font) override;
    std::optional<std::string> AskCharacters(int size) override;
    void ControlsChanged() override;
    void MacroListChanged() override;
    void FocusControl(int controlId) override;
    void EnableControl(int controlId, bool enabled) override;
    void InvalidateGrid() override;
    void DrawDot(int column, int row, bool lit) override;
    void SetScrollRange(int minimum, int maximum) override;
    void SetScrollPos(int position) override;
    void SetPreviewTimer(bool running) override;
    void SetStatusText(const std::string& text) override;
    void SetCursorShape(ECursorShape shape) override;
    void ClipCursor(const std::optional<CRect>& clip) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    bool IsShiftDown() override;
    void CommandNotHandled(int id) override;

    // The position the scroll bar shows: the last position set, kept inside
    // the last range set, as a Windows scroll bar keeps it.
    int ShownScrollPos() const;

    // Answers, taken front first.
    std::deque<int> messageAnswers;
    std::deque<std::optional<std::string>> openFileAnswers;
    std::deque<std::optional<std::string>> saveFileAnswers;
    std::deque<std::optional<CLogFont>> fontAnswers;
    std::deque<std::optional<std::string>> text16Answers;
    std::deque<std::optional<std::string>> text32Answers;
    bool shiftDown = false;

    // What was asked and done, in order.
    std::vector<SMessage> messages;
    std::vector<CFileDialogInfo> fileDialogs;
    std::vector<int> characterDialogs;
    std::vector<std::string> statusTexts;
    std::vector<int> focusedControls;
    struct SDot {
        int column, row;
        bool lit;
    };
    std::vector<SDot> drawnDots;
    int controlsChangedCount = 0;
    int macroListChangedCount = 0;
    int invalidateCount = 0;
    int fontDialogCount = 0;
    std::vector<int> unhandledCommands;
    int scrollMin = 0;
    int scrollMax = 0;
    int scrollPos = 0;
    bool previewTimerRunning = false;
    // How often the preview timer was started (again).
    int previewTimerStarts = 0;
    ECursorShape cursor = ECursorShape::Arrow;
    std::optional<CRect> cursorClip;
    bool captured = false;
    // Enabled state of the controls that were ever enabled or disabled.
    std::vector<std::pair<int, bool>> enableCalls;
    bool IsEnabled(int controlId) const;
};
