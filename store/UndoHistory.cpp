#include "store/UndoHistory.h"

#include "store/ScreenStore.h"
#include "store/ViewCore.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

constexpr int kBufferCount = kBankCount + 1;

#ifdef NDEBUG
constexpr bool kCheckWrites = false;
#else
constexpr bool kCheckWrites = true;
#endif

// The word buffers a journal names by number: the banks, then the range clip.
std::array<CScreenBank*, kBufferCount> Buffers(CScreenStore& s) {
    return {&s.m_banks[0], &s.m_banks[1], &s.m_banks[2], &s.m_rangeClip};
}

std::size_t StringsBytes(const std::vector<std::string>& lines) {
    std::size_t bytes = lines.capacity() * sizeof(std::string);
    for (const std::string& line : lines)
        bytes += line.capacity();
    return bytes;
}

} // namespace

CUndoHistory::CUndoHistory() = default;
CUndoHistory::~CUndoHistory() = default;

CUndoHistory::SViewState CUndoHistory::CaptureView(const CScreenStore& s) {
    return {s.m_currentBank,   s.m_previousBank, s.m_currentScreen,
            s.m_previewOffset, s.m_bankCurrent,  s.m_displayedCount};
}

CUndoHistory::SDataState CUndoHistory::CaptureData(const CScreenStore& s) {
    return {s.m_screenCount, s.m_rangeClipCount, s.m_screenClip};
}

CUndoHistory::STexts CUndoHistory::CaptureTexts(const CScreenStore& s) {
    // The edits' texts are what the user sees; the fields only catch up with
    // them when a command reads the form, which is no change of its own.
    return {s.m_form.text16, s.m_form.text32};
}

CUndoHistory::SMacroState CUndoHistory::CaptureMacro(const CScreenStore& s) {
    return {s.m_macroCode,      s.m_heldCode,  s.m_insertPos,          s.m_macroLines,
            s.m_macroSelection, s.m_stepCount, s.m_macroButtonsEnabled};
}

bool CUndoHistory::SameMacro(const SMacroState& macro, const CScreenStore& s) {
    return macro.insertPos == s.m_insertPos && macro.code == s.m_macroCode &&
           macro.held == s.m_heldCode && macro.lines == s.m_macroLines;
}

std::size_t CUndoHistory::RecordBytes(const SRecord& record) {
    std::size_t bytes = sizeof(SRecord) + record.label.capacity() + record.screens.Bytes();
    if (record.macro)
        bytes += record.macro->code.capacity() + record.macro->held.capacity() +
                 StringsBytes(record.macro->lines);
    if (record.identity)
        bytes +=
            record.identity->before.pathName.capacity() + record.identity->before.title.capacity() +
            record.identity->after.pathName.capacity() + record.identity->after.title.capacity();
    return bytes;
}

BankMarks CUndoHistory::ChangedBanks(const SDataState& after) const {
    BankMarks changed{};
    for (int bank = 0; bank < kBankCount; ++bank)
        changed[static_cast<size_t>(bank)] = after.screenCount[static_cast<size_t>(bank)] !=
                                             m_dataBefore.screenCount[static_cast<size_t>(bank)];
    // The journal names the banks 0..2 and the range clip after them.
    for (const CUndoJournal::SRun& run : m_journal.Runs())
        if (run.buffer >= 0 && run.buffer < kBankCount)
            changed[static_cast<size_t>(run.buffer)] = true;
    return changed;
}

void CUndoHistory::Begin(CViewCore& view, const std::string& label) {
    if (m_depth++ > 0)
        return;
    CScreenStore& s = view.Store();
    m_label = label;
    m_viewBefore = CaptureView(s);
    m_dataBefore = CaptureData(s);
    m_textsBefore = CaptureTexts(s);
    m_marksBefore = view.Document().Marks();
    m_identityBefore = view.Document().Identity();
    m_loadedBanks = {};
    if (!SameMacro(m_macroShadow, s)) {
        m_macroShadow = CaptureMacro(s);
    } else {
        m_macroShadow.selection = s.m_macroSelection;
        m_macroShadow.stepCount = s.m_stepCount;
        m_macroShadow.buttonsEnabled = s.m_macroButtonsEnabled;
    }
    m_journal = CUndoJournal();
    int number = 0;
    for (CScreenBank* buffer : Buffers(s))
        buffer->StartJournal(m_journal, number++);
    if (kCheckWrites)
        TakeWriteCheck(s);
}

void CUndoHistory::TakeWriteCheck(CScreenStore& s) {
    m_writeCheck.clear();
    for (const CScreenBank* buffer : Buffers(s))
        m_writeCheck.emplace_back(buffer->cbegin(), buffer->cend());
}

void CUndoHistory::RunWriteCheck(CScreenStore& s) const {
    const auto buffers = Buffers(s);
    for (size_t b = 0; b < m_writeCheck.size(); ++b) {
        const CScreenBank& buffer = *buffers[b];
        for (int screen = 0; screen < kMaxScreens; ++screen) {
            const size_t at = static_cast<size_t>(screen) * kWordsPerScreen;
            if (buffer.WasNoted(screen) ||
                std::memcmp(buffer.cbegin() + at, m_writeCheck[b].data() + at, kScreenBytes) == 0)
                continue;
            std::fprintf(stderr,
                         "Undo record \"%s\": screen %d of buffer %zu was written without "
                         "being noted (write through ScreensAt, not past a ScreenAt span)\n",
                         m_label.c_str(), screen + 1, b);
            std::abort();
        }
    }
}

bool CUndoHistory::Commit(CViewCore& view) {
    if (m_depth == 0 || --m_depth > 0)
        return false;
    CScreenStore& s = view.Store();
    const auto buffers = Buffers(s);
    for (CScreenBank* buffer : buffers)
        buffer->StopJournal();
    if (kCheckWrites)
        RunWriteCheck(s);
    m_journal.KeepChanged(buffers);

    SRecord record;
    record.dataBefore = m_dataBefore;
    record.dataAfter = CaptureData(s);
    record.changedBanks = ChangedBanks(record.dataAfter);
    // Whatever changed a bank marks it, but what a file put there.
    for (int bank = 0; bank < kBankCount; ++bank)
        if (record.changedBanks[static_cast<size_t>(bank)] &&
            !m_loadedBanks[static_cast<size_t>(bank)])
            view.SetBankModified(bank, true);
    bool changed = !m_journal.Empty() || !(record.dataAfter == m_dataBefore);
    if (SDocumentIdentity identity = view.Document().Identity(); identity != m_identityBefore) {
        record.identity = SIdentityChange{m_identityBefore, std::move(identity)};
        changed = true;
    }
    if (STexts texts = CaptureTexts(s); texts != m_textsBefore) {
        record.textsBefore = m_textsBefore;
        record.textsAfter = std::move(texts);
        changed = true;
    }
    if (!SameMacro(m_macroShadow, s)) {
        record.macro = std::exchange(m_macroShadow, CaptureMacro(s));
        changed = true;
    }
    if (!changed) {
        m_journal = CUndoJournal();
        return false;
    }
    record.label = std::move(m_label);
    record.viewBefore = m_viewBefore;
    record.viewAfter = CaptureView(s);
    record.marksBefore = m_marksBefore;
    record.marksAfter = view.Document().Marks();
    record.screens = std::exchange(m_journal, CUndoJournal());
    record.bytes = RecordBytes(record);

    for (const SRecord& dropped : m_redo)
        m_bytes -= dropped.bytes;
    m_redo.clear();
    m_bytes += record.bytes;
    m_undo.push_back(std::move(record));
    Trim();
    return true;
}

void CUndoHistory::BeginHeld(CViewCore& view, const std::string& label) {
    if (m_held)
        return;
    m_held = true;
    Begin(view, label);
}

void CUndoHistory::LoadsBank(int bank) {
    if (m_depth > 0 && bank >= 0 && bank < kBankCount)
        m_loadedBanks[static_cast<size_t>(bank)] = true;
}

bool CUndoHistory::CommitHeld(CViewCore& view) {
    if (!m_held)
        return false;
    m_held = false;
    return Commit(view);
}

std::string CUndoHistory::UndoLabel() const {
    return m_undo.empty() ? std::string() : m_undo.back().label;
}

std::string CUndoHistory::RedoLabel() const {
    return m_redo.empty() ? std::string() : m_redo.back().label;
}

void CUndoHistory::Apply(CViewCore& view, SRecord& record, bool before) {
    CScreenStore& s = view.Store();
    record.screens.Swap(Buffers(s));

    const SViewState& place = before ? record.viewBefore : record.viewAfter;
    s.m_currentBank = place.currentBank;
    s.m_previousBank = place.previousBank;
    s.m_currentScreen = place.currentScreen;
    s.m_previewOffset = place.previewOffset;
    s.m_bankCurrent = place.bankCurrent;
    s.m_displayedCount = place.displayedCount;

    const SDataState& data = before ? record.dataBefore : record.dataAfter;
    s.m_screenCount = data.screenCount;
    s.m_rangeClipCount = data.rangeClipCount;
    s.m_screenClip = data.screenClip;

    // Texts the action did not change stay as the user left them.
    if (const std::optional<STexts>& texts = before ? record.textsBefore : record.textsAfter) {
        s.m_text16 = s.m_form.text16 = (*texts)[0];
        s.m_text32 = s.m_form.text32 = (*texts)[1];
    }

    if (record.macro) {
        SMacroState now{std::move(s.m_macroCode),  std::move(s.m_heldCode), s.m_insertPos,
                        std::move(s.m_macroLines), s.m_macroSelection,      s.m_stepCount,
                        s.m_macroButtonsEnabled};
        SMacroState& put = *record.macro;
        s.m_macroCode = std::move(put.code);
        s.m_heldCode = std::move(put.held);
        s.m_insertPos = put.insertPos;
        s.m_macroLines = std::move(put.lines);
        s.m_macroSelection = put.selection;
        s.m_stepCount = put.stepCount;
        s.m_macroButtonsEnabled = put.buttonsEnabled;
        put = std::move(now);
    }

    CDocumentLink& doc = view.Document();
    doc.SetMarks(before ? record.marksBefore : record.marksAfter);
    if (record.identity)
        doc.SetIdentity(before ? record.identity->before : record.identity->after);
    view.LinkDisplayedBank();
}

CUndoHistory::SRestored CUndoHistory::Undo(CViewCore& view) {
    if (!CanUndo())
        return {};
    return Move(view, m_undo, m_redo, true);
}

CUndoHistory::SRestored CUndoHistory::Redo(CViewCore& view) {
    if (!CanRedo())
        return {};
    return Move(view, m_redo, m_undo, false);
}

CUndoHistory::SRestored CUndoHistory::Move(CViewCore& view, std::deque<SRecord>& from,
                                           std::deque<SRecord>& to, bool before) {
    SRecord record = std::move(from.back());
    from.pop_back();
    m_bytes -= record.bytes;
    Apply(view, record, before);
    // The record now holds the other side's words, which may differ in size.
    record.bytes = RecordBytes(record);
    m_bytes += record.bytes;
    const bool macro = record.macro.has_value();
    to.push_back(std::move(record));
    return {true, macro};
}

void CUndoHistory::MarkSaved(int bank, const SDocumentIdentity& saved) {
    if (bank < 0 || bank >= kBankCount)
        return;
    const size_t b = static_cast<size_t>(bank);
    // Walks away from the state on display, through the undo list backwards
    // and the redo list forwards. `same`: the bank still holds what was
    // saved; `ours`: the state belongs to the document saved (no New or
    // Open crossed); `path`: the file of the states reached.
    const auto walk = [&](std::deque<SRecord>& list, bool backwards) {
        bool same = true;
        bool ours = true;
        std::string path = saved.pathName;
        const auto mark = [&](BankMarks& marks) {
            if (ours)
                marks[b] = !same;
            else if (!saved.pathName.empty() && path == saved.pathName)
                marks[b] = true;
        };
        for (auto it = list.rbegin(); it != list.rend(); ++it) {
            SRecord& record = *it;
            mark(backwards ? record.marksAfter : record.marksBefore);
            if (record.identity) {
                SDocumentIdentity& near =
                    backwards ? record.identity->after : record.identity->before;
                if (ours)
                    near = saved;
                ours = false;
                path = (backwards ? record.identity->before : record.identity->after).pathName;
            }
            if (record.changedBanks[b])
                same = false;
            mark(backwards ? record.marksBefore : record.marksAfter);
        }
    };
    walk(m_undo, true);
    walk(m_redo, false);
}

void CUndoHistory::Clear() {
    m_undo.clear();
    m_redo.clear();
    m_bytes = 0;
}

void CUndoHistory::Trim() {
    while (!m_undo.empty() && (m_undo.size() > kMaxRecords || m_bytes > kMaxBytes)) {
        m_bytes -= m_undo.front().bytes;
        m_undo.pop_front();
    }
}
