#include "macro/MacroRecorder.h"

#include "macro/MacroScanner.h"
#include "macro/StepTable.h"
#include "store/CommandIds.h"
#include "store/Cp932.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

#include <algorithm>

namespace {

// The nine buttons an insert locks, in the order they are switched.
constexpr int kMacroButtons[] = {IDC_MACRO_START, IDC_MACRO_SAVE,   IDC_MACRO_RECORD,
                                 IDC_MACRO_LOAD,  IDC_MACRO_INS,    IDC_MACRO_DEL,
                                 IDC_MACRO_CLEAR, IDC_MACRO_EXPORT, IDC_OPTIMIZE};

// Whether a token shows a line in the macro list: a step code token or a
// go-to-screen token.
bool ShowsLine(std::string_view token) {
    return FindStep(StepCodeOf(token)) != nullptr || IsGoToScreenToken(token);
}

void Record(CViewCore& view, const std::string& token, const std::string& line) {
    CScreenStore& s = view.Store();
    if (s.m_playback != 0 || s.m_recording != 1)
        return;
    s.m_macroCode += token;
    s.m_macroCode += ',';
    auto& lines = s.m_macroLines;
    if (s.m_insertPos < 0) {
        lines.push_back(line);
        s.m_macroSelection = static_cast<int>(lines.size()) - 1;
    } else {
        const size_t at = std::min(static_cast<size_t>(s.m_insertPos), lines.size());
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
        // The selection stays on the line it was on, as a list box keeps it
        // when a line goes in before the selected one.
        if (s.m_macroSelection >= static_cast<int>(at))
            ++s.m_macroSelection;
        MergePendingInsert(view);
    }
    ShowMacroStepCount(view);
}

} // namespace

void RecordStep(CViewCore& view, EStep step) {
    const int code = StepNumber(step);
    if (const SStep* entry = FindStep(code))
        Record(view, std::to_string(code), entry->label);
}

void RecordGoToScreen(CViewCore& view, int screen) {
    const std::string number = std::to_string(screen);
    // Appended piece by piece: GCC 12 sees an overlap in "[" + text + "]"
    // that is not there (-Wrestrict).
    std::string token = "[";
    token += number;
    token += ']';
    Record(view, token, number);
}

void MergePendingInsert(CViewCore& view) {
    CScreenStore& s = view.Store();
    std::string merged;
    merged.reserve(s.m_heldCode.size() + s.m_macroCode.size());
    bool placed = false;
    // The insert position is a line of the list; tokens that show no line
    // (an edited macro file may hold them) are skipped in finding its token.
    const int before = TokenOfLine(s.m_heldCode, s.m_insertPos);
    int index = 0;
    CMacroScanner scanner(s.m_heldCode);
    while (const auto token = scanner.Next()) {
        if (index++ == before) {
            merged += s.m_macroCode;
            placed = true;
        }
        merged += *token;
        merged += ',';
    }
    // The list always has fewer lines than the held string has tokens, so the
    // position is reached; should it not be, the new step goes last rather
    // than being lost.
    if (!placed)
        merged += s.m_macroCode;
    s.m_macroCode = std::move(merged);
    s.m_insertPos = -1;
    EnableMacroButtons(view, true);
}

int TokenOfLine(std::string_view code, int line) {
    if (line < 0)
        return -1;
    int index = 0;
    int lines = 0;
    CMacroScanner scanner(code);
    while (const auto token = scanner.Next()) {
        if (ShowsLine(*token) && lines++ == line)
            return index;
        ++index;
    }
    return -1;
}

std::vector<std::string> MacroListLines(const std::string& code) {
    std::vector<std::string> lines;
    CMacroScanner scanner(code);
    while (const auto token = scanner.Next()) {
        if (const SStep* step = FindStep(StepCodeOf(*token)))
            lines.emplace_back(step->label);
        else if (IsGoToScreenToken(*token))
            // A macro file is bytes in code page 932; the list shows UTF-8.
            lines.emplace_back(Cp932ToUtf8(scanner.GoToScreenText()));
    }
    return lines;
}

void ShowMacroStepCount(CViewCore& view) {
    CScreenStore& s = view.Store();
    s.m_stepCount = static_cast<int>(s.m_macroLines.size());
    view.UpdateData(false);
    view.Platform().MacroListChanged();
}

void RebuildMacroList(CViewCore& view) {
    CScreenStore& s = view.Store();
    // While an insert waits for its step the macro sits in the held code
    // string and the macro code string is empty; the list must go on showing
    // the macro, or the line of the coming step would land in an empty list
    // and the list would no longer match the merged macro.
    s.m_macroLines = MacroListLines(s.m_insertPos >= 0 ? s.m_heldCode : s.m_macroCode);
    s.m_macroSelection = -1;
    ShowMacroStepCount(view);
}

bool ToggleRecording(CViewCore& view) {
    view.UpdateData(true);
    return true;
}

void EnableMacroButtons(CViewCore& view, bool enabled) {
    view.Store().m_macroButtonsEnabled = enabled;
    for (const int id : kMacroButtons)
        view.Platform().EnableControl(id, enabled);
}

void SelectLastMacroLine(CViewCore& view) {
    CScreenStore& s = view.Store();
    s.m_macroSelection = static_cast<int>(s.m_macroLines.size()) - 1;
    ShowMacroStepCount(view);
}
