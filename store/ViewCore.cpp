#include "store/ViewCore.h"

#include "store/DataExchange.h"
#include "store/DocumentLink.h"
#include "store/MessageText.h"
#include "store/Platform.h"

#include <utility>

CViewCore::CViewCore(CPlatform& platform, CDocumentLink& doc, CGlyphRasterizer& rasterizer,
                     const CLogFont& font16, const CLogFont& font32)
    : m_platform(platform), m_doc(doc), m_rasterizer(&rasterizer) {
    m_store.m_logFont16 = font16;
    m_store.m_logFont32 = font32;
}

bool CViewCore::UpdateData(bool saveAndValidate) {
    return ExchangeData(m_store, m_platform, saveAndValidate);
}

bool CViewCore::CheckCapacity(int highestScreen) {
    if (highestScreen <= kMaxScreens)
        return true;
    m_platform.MessageBox("スクリーン枚数がオーバーしました。", kErrorCaption, MB_ICONEXCLAMATION);
    return false;
}

void CViewCore::SyncDocument() {
    // Read through const: the copy writes nothing an undo record must keep.
    m_doc.SetScreens(std::as_const(m_store).m_banks[m_store.m_currentBank].data(),
                     m_store.CurrentScreenCount());
}

void CViewCore::RepaintGrid() {
    m_platform.InvalidateGrid();
}

void CViewCore::SetModifiedFlag(bool modified) {
    m_doc.SetModifiedFlag(modified);
}

bool CViewCore::IsModified() const {
    return m_doc.IsModified();
}
