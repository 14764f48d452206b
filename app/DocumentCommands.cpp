#include "app/DocumentCommands.h"

#include "app/QuorvelDoc.h"
#include "app/QvlFormat.h"
#include "store/FileIo.h"
#include "store/ViewCore.h"

#include <algorithm>

void NewAnimation(CViewCore& view) {
    view.Doc().OnNewDocument();
    view.OnInitialUpdate();
}

bool OpenAnimation(CViewCore& view, const std::string& path) {
    if (!view.Doc().OnOpenDocument(path, view.Platform()))
        return false;
    view.OnInitialUpdate();
    return true;
}

bool SaveAnimation(CViewCore& view, const std::string& path) {
    view.SyncDocument();
    return view.Doc().OnSaveDocument(path, view.Platform());
}

bool WriteBankFile(CViewCore& view, int bank, const std::string& path) {
    const CScreenStore& s = view.Store();
    bank = std::clamp(bank, 0, kBankCount - 1);
    const size_t words = static_cast<size_t>(s.m_screenCount[bank]) * kWordsPerScreen;
    const EFileError error = WriteFileSafely(path, EncodeQvl(s.m_banks[bank].data(), words));
    ReportFileError(view.Platform(), path, error);
    return error == EFileError::None;
}
