#include "app/QuorvelDoc.h"

#include "app/QvlFormat.h"
#include "store/FileIo.h"
#include "store/MessageText.h"
#include "store/Platform.h"

#include <algorithm>

const char* const CQuorvelDoc::kUntitled = "無題";

namespace {
constexpr int kNewScreens = 10;
} // namespace

CQuorvelDoc::CQuorvelDoc() : m_words(kWordsPerBank, 0), m_title(kUntitled) {}

void CQuorvelDoc::OnNewDocument() {
    m_byteCount = kNewScreens * kScreenBytes;
    std::fill_n(m_words.begin(), kNewScreens * kWordsPerScreen, Word{0});
    SetModifiedFlag(false);
    m_pathName.clear();
    m_title = kUntitled;
}

bool CQuorvelDoc::OnOpenDocument(const std::string& path, CPlatform& platform) {
    std::string bytes;
    const EFileError error = ReadFileLimited(path, kMaxAnimationBytes, bytes);
    if (error == EFileError::TooLarge ||
        (error == EFileError::None && !IsValidQvlLength(bytes.size()))) {
        platform.MessageBox("qvlファイルではありません。", kErrorCaption,
                            MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (error != EFileError::None) {
        ReportFileError(platform, path, error);
        return false;
    }
    m_byteCount = static_cast<int>(bytes.size());
    DecodeQvl(bytes, m_words.data());
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool CQuorvelDoc::OnSaveDocument(const std::string& path, CPlatform& platform) {
    const EFileError error =
        WriteFileSafely(path, EncodeQvl(m_words.data(), static_cast<size_t>(m_byteCount / 4)));
    if (error != EFileError::None) {
        ReportFileError(platform, path, error);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

void CQuorvelDoc::SetScreens(const Word* words, int screenCount) {
    screenCount = std::clamp(screenCount, 0, kMaxScreens);
    std::copy_n(words, screenCount * kWordsPerScreen, m_words.begin());
    m_byteCount = screenCount * kScreenBytes;
}

void CQuorvelDoc::SetDisplayedBank(int bank) {
    m_displayedBank = std::clamp(bank, 0, kBankCount - 1);
}

void CQuorvelDoc::SetIdentity(const SDocumentIdentity& identity) {
    m_pathName = identity.pathName;
    m_title = identity.title;
}

void CQuorvelDoc::SetPathName(const std::string& path) {
    m_pathName = path;
    const size_t slash = path.rfind('/');
    m_title = slash == std::string::npos ? path : path.substr(slash + 1);
}
