#include "app/DocumentCommands.h"

#include "app/QuorvelDoc.h"
#include "app/QvlFormat.h"
#include "app/UndoCommands.h"
#include "store/CommandIds.h"
#include "store/FileIo.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ViewCore.h"
#include "view/FormTemplate.h"

#include <algorithm>
#include <optional>

void OnInitialUpdate(CViewCore& view, const CQuorvelDoc& doc) {
    CScreenStore& s = view.Store();
    CPlatform& platform = view.Platform();
    s.m_previewOffset = 0;
    const int k = doc.ScreenCount();
    platform.SetScrollRange(1, k);
    s.m_screenCount[s.m_currentBank] = k;
    s.m_currentScreen = 1;
    platform.SetScrollPos(1);
    s.m_displayedCount[s.m_currentBank] = k;
    s.m_bankCurrent[s.m_currentBank] = 1;
    view.UpdateData(false);
    if (s.m_firstUpdate != 0) {
        s.m_gridRect = GridRectangle();
        s.m_firstUpdate = 0;
    }
    const auto& words = doc.Words();
    std::copy_n(words.begin(), k * kWordsPerScreen, s.ScreensAt(s.m_currentBank, 1, k).begin());
    view.RepaintGrid();
}

namespace {

// The first New or Open is the program's start, which is nothing to undo.
// Either fills the current bank from a file, which leaves it unmarked.
void OpenFileRecord(std::optional<CUndoScope>& undo, CViewCore& view, int id) {
    view.LinkDisplayedBank();
    if (view.Store().m_firstUpdate == 0) {
        undo.emplace(view, CommandName(id));
        view.UndoHistory().LoadsBank(view.Store().m_currentBank);
    }
}

const char* const kBankNames[kBankCount] = {"select1", "select2", "select3"};

} // namespace

void NewAnimation(CViewCore& view, CQuorvelDoc& doc) {
    std::optional<CUndoScope> undo;
    OpenFileRecord(undo, view, ID_FILE_NEW);
    doc.OnNewDocument();
    OnInitialUpdate(view, doc);
}

bool OpenAnimation(CViewCore& view, CQuorvelDoc& doc, const std::string& path) {
    std::optional<CUndoScope> undo;
    OpenFileRecord(undo, view, ID_FILE_OPEN);
    if (!doc.OnOpenDocument(path, view.Platform()))
        return false;
    OnInitialUpdate(view, doc);
    return true;
}

bool SaveAnimation(CViewCore& view, CQuorvelDoc& doc, const std::string& path) {
    view.SyncDocument();
    if (!doc.OnSaveDocument(path, view.Platform()))
        return false;
    view.UndoHistory().MarkSaved(view.Store().m_currentBank, doc.Identity());
    return true;
}

std::vector<int> UnsavedHiddenBanks(const CViewCore& view) {
    std::vector<int> banks;
    for (int bank = 0; bank < kBankCount; ++bank)
        if (bank != view.Store().m_currentBank && view.IsBankModified(bank))
            banks.push_back(bank);
    return banks;
}

std::string DiscardQuestion(const std::vector<int>& banks) {
    std::string names;
    for (const int bank : banks) {
        if (bank < 0 || bank >= kBankCount)
            continue;
        if (!names.empty())
            names += ", ";
        names += kBankNames[bank];
    }
    if (names.empty())
        return {};
    return names + " の変更は保存されていません。破棄しますか？";
}

bool ConfirmDiscardHiddenBanks(CViewCore& view) {
    const std::vector<int> banks = UnsavedHiddenBanks(view);
    if (banks.empty())
        return true;
    return view.Platform().MessageBox(DiscardQuestion(banks), kAppCaption,
                                      MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

bool WriteBankFile(CViewCore& view, int bank, const std::string& path) {
    const CScreenStore& s = view.Store();
    bank = std::clamp(bank, 0, kBankCount - 1);
    const size_t words = static_cast<size_t>(s.m_screenCount[bank]) * kWordsPerScreen;
    const EFileError error = WriteFileSafely(path, EncodeQvl(s.m_banks[bank].data(), words));
    ReportFileError(view.Platform(), path, error);
    return error == EFileError::None;
}
