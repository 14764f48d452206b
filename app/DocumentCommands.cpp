#include "app/DocumentCommands.h"

#include "app/QuorvelDoc.h"
#include "app/QvlFormat.h"
#include "store/FileIo.h"
#include "store/Platform.h"
#include "store/ViewCore.h"
#include "view/FormTemplate.h"

#include <algorithm>

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
    std::copy_n(words.begin(), k * kWordsPerScreen, s.m_banks[s.m_currentBank].begin());
    view.RepaintGrid();
}

void NewAnimation(CViewCore& view, CQuorvelDoc& doc) {
    doc.OnNewDocument();
    OnInitialUpdate(view, doc);
}

bool OpenAnimation(CViewCore& view, CQuorvelDoc& doc, const std::string& path) {
    if (!doc.OnOpenDocument(path, view.Platform()))
        return false;
    OnInitialUpdate(view, doc);
    return true;
}

bool SaveAnimation(CViewCore& view, CQuorvelDoc& doc, const std::string& path) {
    view.SyncDocument();
    return doc.OnSaveDocument(path, view.Platform());
}

bool WriteBankFile(CViewCore& view, int bank, const std::string& path) {
    const CScreenStore& s = view.Store();
    bank = std::clamp(bank, 0, kBankCount - 1);
    const size_t words = static_cast<size_t>(s.m_screenCount[bank]) * kWordsPerScreen;
    const EFileError error = WriteFileSafely(path, EncodeQvl(s.m_banks[bank].data(), words));
    ReportFileError(view.Platform(), path, error);
    return error == EFileError::None;
}
