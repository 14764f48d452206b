#include "store/ViewCore.h"

#include "app/QuorvelDoc.h"
#include "store/DataExchange.h"
#include "store/Platform.h"
#include "view/FormTemplate.h"

#include <algorithm>

CViewCore::CViewCore(CPlatform& platform, CQuorvelDoc& doc, const CLogFont& font16,
                     const CLogFont& font32)
    : m_platform(platform), m_doc(doc) {
    m_store.m_logFont16 = font16;
    m_store.m_logFont32 = font32;
}

bool CViewCore::UpdateData(bool saveAndValidate) {
    return ExchangeData(m_store, m_platform, saveAndValidate);
}

bool CViewCore::CheckCapacity(int highestScreen) {
    if (highestScreen <= kMaxScreens)
        return true;
    m_platform.MessageBox("スクリーン枚数がオーバーしました。", "エラー発生！", MB_ICONEXCLAMATION);
    return false;
}

void CViewCore::SyncDocument() {
    m_doc.SetScreens(m_store.m_banks[m_store.m_currentBank].data(), m_store.CurrentScreenCount());
}

void CViewCore::RepaintGrid() {
    m_platform.InvalidateGrid();
}

void CViewCore::SetModifiedFlag() {
    m_doc.SetModifiedFlag(true);
}

void CViewCore::OnInitialUpdate() {
    CScreenStore& s = m_store;
    s.m_previewOffset = 0;
    const int k = m_doc.ScreenCount();
    m_platform.SetScrollRange(1, k);
    s.m_screenCount[s.m_currentBank] = k;
    s.m_currentScreen = 1;
    m_platform.SetScrollPos(1);
    s.m_displayedCount[s.m_currentBank] = k;
    s.m_bankCurrent[s.m_currentBank] = 1;
    UpdateData(false);
    if (s.m_firstUpdate != 0) {
        s.m_gridRect = GridRectangle();
        s.m_firstUpdate = 0;
    }
    const auto& words = m_doc.Words();
    std::copy_n(words.begin(), k * kWordsPerScreen, s.m_banks[s.m_currentBank].begin());
    RepaintGrid();
}
