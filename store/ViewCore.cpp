#include "store/ViewCore.h"

#include "store/DataExchange.h"
#include "store/MessageText.h"
#include "store/Platform.h"

#include <algorithm>
#include <utility>

CViewCore::CViewCore(CPlatform& platform, CDocumentLink& doc, CGlyphRasterizer& rasterizer,
                     const CLogFont& font16, const CLogFont& font32)
    : m_platform(platform), m_doc(doc), m_rasterizer(&rasterizer) {
    m_store.m_logFont16 = font16;
    m_store.m_logFont32 = font32;
}

bool CViewCore::UpdateData(bool saveAndValidate) {
    const bool done = ExchangeData(m_store, m_platform, saveAndValidate);
    // Reading the form may select another bank; showing it shows the bank.
    LinkDisplayedBank();
    return done;
}

bool CViewCore::CheckCapacity(int highestScreen) {
    if (highestScreen <= kMaxScreens)
        return true;
    m_platform.MessageBox(kCapacityText, kErrorCaption, MB_ICONEXCLAMATION);
    return false;
}

void CViewCore::SyncDocument() {
    LinkDisplayedBank();
    // Read through const: the copy writes nothing an undo record must keep.
    m_doc.SetScreens(std::as_const(m_store).m_banks[m_store.m_currentBank].data(),
                     m_store.CurrentScreenCount());
}

void CViewCore::RepaintGrid() {
    m_platform.InvalidateGrid();
}

void CViewCore::LinkDisplayedBank() {
    m_doc.SetDisplayedBank(m_store.m_currentBank);
}

void CViewCore::SetModifiedFlag(bool modified) {
    LinkDisplayedBank();
    SetBankModified(m_store.m_currentBank, modified);
}

bool CViewCore::IsModified() const {
    return IsBankModified(m_store.m_currentBank);
}

void CViewCore::SetBankModified(int bank, bool modified) {
    BankMarks marks = m_doc.Marks();
    marks[static_cast<size_t>(std::clamp(bank, 0, kBankCount - 1))] = modified;
    m_doc.SetMarks(marks);
}

bool CViewCore::IsBankModified(int bank) const {
    return m_doc.Marks()[static_cast<size_t>(std::clamp(bank, 0, kBankCount - 1))];
}
