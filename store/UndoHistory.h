#pragma once

#include "store/DocumentLink.h"
#include "store/ScreenGeometry.h"
#include "store/UndoJournal.h"

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class CScreenStore;
class CViewCore;

// The undo and redo lists of the editor. A record holds what one user action
// changed: the screens it wrote (kept by the banks' journal as runs of
// changed screens), the screen counts, the clips and their count, the
// character texts, the macro, the document's name when the action changed it
// (New, Open), and around them the view (current bank and screen, bank
// current screens, displayed counts, preview offset) and the banks' marks of
// unsaved changes before and after. An action that changes none of the data
// leaves no record, so moving around never does. Closing a record marks every
// bank whose screens or screen count the action changed, so no action that
// changes a bank can leave it unmarked. At most kMaxRecords records or
// kMaxBytes bytes are kept; the oldest go first.
class CUndoHistory {
public:
    static constexpr std::size_t kMaxRecords = 100;
    static constexpr std::size_t kMaxBytes = std::size_t{32} << 20;

    CUndoHistory();
    ~CUndoHistory();
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    // Opens a record for an action named `label`: from here on the banks and
    // the range clip save what is written to them. Within an open record it
    // only counts a level; the outermost label names the record.
    void Begin(CViewCore& view, const std::string& label);

    // Closes a level that Begin opened. The outermost close compares the
    // state with that at Begin, marks the banks whose screens or counts
    // changed (but those LoadsBank named), and keeps a record when data or
    // the document's name changed; a kept record empties the redo list and
    // pushes out the oldest records beyond the limits. Returns whether a
    // record was kept.
    bool Commit(CViewCore& view);

    // The open record's action fills bank `bank` from a file (New, Open):
    // what it writes there is the file's, so closing the record does not mark
    // the bank. Does nothing while no record is open.
    void LoadsBank(int bank);

    // A record that stays open between calls, from a mouse press to its
    // release. BeginHeld does nothing while one is held; CommitHeld does
    // nothing when none is, and otherwise returns what Commit returns.
    void BeginHeld(CViewCore& view, const std::string& label);
    bool CommitHeld(CViewCore& view);
    bool HeldOpen() const { return m_held; }

    bool IsOpen() const { return m_depth > 0; }
    bool CanUndo() const { return !IsOpen() && !m_undo.empty(); }
    bool CanRedo() const { return !IsOpen() && !m_redo.empty(); }

    // The names of the actions Undo would take back and Redo would do again;
    // empty when there is none.
    std::string UndoLabel() const;
    std::string RedoLabel() const;

    // What an undo or redo put back: nothing (`done` false) when it was not
    // possible; `macro` when the macro and its list changed.
    struct SRestored {
        bool done = false;
        bool macro = false;
    };

    // Puts back the state from before the last action and moves its record
    // to the redo list. Nothing happens while a record is open.
    SRestored Undo(CViewCore& view);

    // Puts back the state after the action that the last undo took back,
    // from what the record kept (the action does not run again).
    SRestored Redo(CViewCore& view);

    // Bank `bank` was just saved as `saved`: the bank on display is what that
    // file holds. Undo or redo to a state whose bank differs marks it
    // changed; a state that differs only in other banks, back to the last
    // New or Open, keeps it unmarked. The records of that stretch take the
    // new name (Save As renames the document they belong to); a state of
    // another document that was saved under the same path marks the bank.
    void MarkSaved(int bank, const SDocumentIdentity& saved);

    // Forgets every record.
    void Clear();

    std::size_t UndoCount() const { return m_undo.size(); }
    std::size_t RedoCount() const { return m_redo.size(); }
    // Bytes the records of both lists hold.
    std::size_t Bytes() const { return m_bytes; }

private:
    // Where the view stands; put back by every undo and redo.
    struct SViewState {
        int currentBank = 0;
        int previousBank = 0;
        int currentScreen = 1;
        int previewOffset = 0;
        std::array<int, kBankCount> bankCurrent{};
        std::array<int, kBankCount> displayedCount{};
    };
    // The data held outside the banks and the range clip.
    struct SDataState {
        std::array<int, kBankCount> screenCount{};
        int rangeClipCount = 0;
        std::array<Word, kWordsPerScreen> screenClip{};
        bool operator==(const SDataState&) const = default;
    };
    // The texts of the two character edits.
    using STexts = std::array<std::string, 2>;
    // The macro: code string, held string, insert position and list are its
    // data; selection, step count and the buttons follow them.
    struct SMacroState {
        std::string code;
        std::string held;
        int insertPos = -1;
        std::vector<std::string> lines;
        int selection = -1;
        int stepCount = 0;
        bool buttonsEnabled = true;
    };
    // The document's name before and after an action that changed it.
    struct SIdentityChange {
        SDocumentIdentity before, after;
    };
    struct SRecord {
        std::string label;
        SViewState viewBefore, viewAfter;
        SDataState dataBefore, dataAfter;
        std::optional<STexts> textsBefore, textsAfter;
        // The macro as it is not now: before the action while the record is
        // on the undo list, after it on the redo list.
        std::optional<SMacroState> macro;
        std::optional<SIdentityChange> identity;
        BankMarks marksBefore{};
        BankMarks marksAfter{};
        // The banks whose screens or screen count the action changed.
        BankMarks changedBanks{};
        CUndoJournal screens;
        std::size_t bytes = 0;
    };

    static SViewState CaptureView(const CScreenStore& s);
    static SDataState CaptureData(const CScreenStore& s);
    static STexts CaptureTexts(const CScreenStore& s);
    static SMacroState CaptureMacro(const CScreenStore& s);
    static bool SameMacro(const SMacroState& macro, const CScreenStore& s);
    static std::size_t RecordBytes(const SRecord& record);
    // The banks the closing record's journal and counts show changed.
    BankMarks ChangedBanks(const SDataState& after) const;
    // Debug builds: every screen that changed between Begin and Commit must
    // have been noted, or undo would miss it (a writer walked past the span
    // an accessor gave it).
    void TakeWriteCheck(CScreenStore& s);
    void RunWriteCheck(CScreenStore& s) const;
    // Puts the record's state before (`before`) or after its action.
    static void Apply(CViewCore& view, SRecord& record, bool before);
    // Takes the last record of `from`, puts back the state before (or
    // after) its action, and keeps the record last in `to`.
    SRestored Move(CViewCore& view, std::deque<SRecord>& from, std::deque<SRecord>& to,
                   bool before);
    void Trim();

    int m_depth = 0;
    bool m_held = false;
    std::string m_label;
    SViewState m_viewBefore;
    SDataState m_dataBefore;
    STexts m_textsBefore;
    BankMarks m_marksBefore{};
    SDocumentIdentity m_identityBefore;
    BankMarks m_loadedBanks{};
    // The macro as it was when the last record was opened or kept: compared
    // rather than copied at each Begin, since it rarely changes.
    SMacroState m_macroShadow;
    CUndoJournal m_journal;
    std::deque<SRecord> m_undo;
    std::deque<SRecord> m_redo;
    std::size_t m_bytes = 0;
    // The buffers as at Begin, for the write check of debug builds.
    std::vector<std::vector<Word>> m_writeCheck;
};
