#include "headless/HeadlessPlatform.h"

#include <algorithm>

namespace {

template <typename T>
std::optional<T> TakeAnswer(std::deque<std::optional<T>>& queue) {
    if (queue.empty())
        return std::nullopt;
    std::optional<T> answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

} // namespace

int CHeadlessPlatform::MessageBox(const std::string& text, const std::string& caption,
                                  unsigned type) {
    messages.push_back({text, caption, type});
    if (!messageAnswers.empty()) {
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    switch (type & kMbButtonsMask) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

std::optional<std::string> CHeadlessPlatform::GetOpenFileName(const CFileDialogInfo& dialog) {
    fileDialogs.push_back(dialog);
    return TakeAnswer(openFileAnswers);
}

std::optional<std::string> CHeadlessPlatform::GetSaveFileName(const CFileDialogInfo& dialog) {
    fileDialogs.push_back(dialog);
    return TakeAnswer(saveFileAnswers);
}

bool CHeadlessPlatform::ChooseFont(CLogFont& font) {
    ++fontDialogCount;
    std::optional<CLogFont> answer = TakeAnswer(fontAnswers);
    if (!answer)
        return false;
    font = *answer;
    return true;
}

std::optional<std::string> CHeadlessPlatform::AskCharacters(int size) {
    characterDialogs.push_back(size);
    return TakeAnswer(size == 16 ? text16Answers : text32Answers);
}

void CHeadlessPlatform::ControlsChanged() {
    ++controlsChangedCount;
}

void CHeadlessPlatform::MacroListChanged() {
    ++macroListChangedCount;
}

void CHeadlessPlatform::FocusControl(int controlId) {
    focusedControls.push_back(controlId);
}

void CHeadlessPlatform::EnableControl(int controlId, bool enabled) {
    enableCalls.emplace_back(controlId, enabled);
}

bool CHeadlessPlatform::IsEnabled(int controlId) const {
    auto it = std::find_if(enableCalls.rbegin(), enableCalls.rend(),
                           [controlId](const auto& call) { return call.first == controlId; });
    return it == enableCalls.rend() || it->second;
}

void CHeadlessPlatform::InvalidateGrid() {
    ++invalidateCount;
}

void CHeadlessPlatform::DrawDot(int column, int row, bool lit) {
    drawnDots.push_back({column, row, lit});
}

void CHeadlessPlatform::SetScrollRange(int minimum, int maximum) {
    scrollMin = minimum;
    scrollMax = maximum;
}

void CHeadlessPlatform::SetScrollPos(int position) {
    scrollPos = position;
}

int CHeadlessPlatform::ShownScrollPos() const {
    return std::clamp(scrollPos, scrollMin, std::max(scrollMin, scrollMax));
}

void CHeadlessPlatform::SetPreviewTimer(bool running) {
    previewTimerRunning = running;
    if (running)
        ++previewTimerStarts;
}

void CHeadlessPlatform::SetStatusText(const std::string& text) {
    statusTexts.push_back(text);
}

void CHeadlessPlatform::SetCursorShape(ECursorShape shape) {
    cursor = shape;
}

void CHeadlessPlatform::ClipCursor(const std::optional<CRect>& clip) {
    cursorClip = clip;
}

void CHeadlessPlatform::SetCapture() {
    captured = true;
}

void CHeadlessPlatform::ReleaseCapture() {
    captured = false;
}

bool CHeadlessPlatform::HasCapture() const {
    return captured;
}

bool CHeadlessPlatform::IsShiftDown() {
    return shiftDown;
}

void CHeadlessPlatform::CommandNotHandled(int id) {
    unhandledCommands.push_back(id);
}
