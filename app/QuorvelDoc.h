#pragma once

#include "store/DocumentLink.h"
#include "store/ScreenGeometry.h"

#include <string>
#include <vector>

class CPlatform;

// The animation document: a copy of one bank's screens, the carrier between
// the editor and a .qvl file. It also keeps what the window needs to know of
// it: the path, the title and whether it was changed since the last save.
class CQuorvelDoc : public CDocumentLink {
public:
    // A new document: ten blank screens, titled "無題", not modified.
    CQuorvelDoc();

    // New: ten blank screens (words 0..479 cleared), no path, title "無題",
    // not modified. Words beyond the ten screens are left as they are.
    void OnNewDocument();

    // Opens the .qvl file at `path`. A file of the wrong length gets
    // "qvlファイルではありません。" / "エラー発生！", a file-system failure the
    // standard file message; either way false is returned and the document
    // keeps its words, byte count, path, title and modified flag. On success
    // the document holds the file, takes its path and title, and is not
    // modified.
    bool OnOpenDocument(const std::string& path, CPlatform& platform);

    // Writes the first byteCount bytes of the words to `path`, atomically.
    // On success the document takes the path and title and is not modified;
    // on failure the standard file message is shown, the old file is intact
    // and false is returned.
    bool OnSaveDocument(const std::string& path, CPlatform& platform);

    int ByteCount() const { return m_byteCount; }
    int ScreenCount() const { return m_byteCount / kScreenBytes; }
    const std::vector<Word>& Words() const { return m_words; }

    // Replaces the document's screens with `screenCount` screens of `words`
    // (the bank copy of SyncDocument). Does not touch the modified flag.
    void SetScreens(const Word* words, int screenCount) override;

    bool IsModified() const override { return m_modified; }
    void SetModifiedFlag(bool modified = true) override { m_modified = modified; }
    const std::string& PathName() const { return m_pathName; }
    const std::string& Title() const { return m_title; }

    // The title a new document gets.
    static const char* const kUntitled;

private:
    void SetPathName(const std::string& path);

    int m_byteCount = 10 * kScreenBytes;
    std::vector<Word> m_words;
    bool m_modified = false;
    std::string m_pathName;
    std::string m_title;
};
