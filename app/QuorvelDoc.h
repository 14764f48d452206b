#pragma once

#include "store/DocumentLink.h"
#include "store/ScreenGeometry.h"

#include <string>
#include <vector>

class CPlatform;

// The animation document: a copy of the screens of the bank on display, the
// carrier between the editor and a .qvl file. It also keeps what the window
// needs to know of it: the path, the title, and for each bank whether it
// changed since its screens were last opened or saved. The document's
// modified flag is the mark of the bank on display.
class CQuorvelDoc : public CDocumentLink {
public:
    // A new document: ten blank screens, titled "無題", no bank marked,
    // select1 on display.
    CQuorvelDoc();

    // New: ten blank screens (words 0..479 cleared), no path, title "無題",
    // the bank on display not modified (the other banks keep their marks).
    // Words beyond the ten screens are left as they are.
    void OnNewDocument();

    // Opens the .qvl file at `path`. A file of the wrong length gets
    // "qvlファイルではありません。" / "エラー発生！", a file-system failure the
    // standard file message; either way false is returned and the document
    // keeps its words, byte count, path, title and marks. On success the
    // document holds the file, takes its path and title, and the bank on
    // display is not modified.
    bool OnOpenDocument(const std::string& path, CPlatform& platform);

    // Writes the first byteCount bytes of the words to `path`, atomically.
    // On success the document takes the path and title and the bank on
    // display is not modified; on failure the standard file message is shown, the old file is
    // intact and false is returned.
    bool OnSaveDocument(const std::string& path, CPlatform& platform);

    int ByteCount() const { return m_byteCount; }
    int ScreenCount() const { return m_byteCount / kScreenBytes; }
    const std::vector<Word>& Words() const { return m_words; }

    // Replaces the document's screens with `screenCount` screens of `words`
    // (the bank copy of SyncDocument). Does not touch the marks.
    void SetScreens(const Word* words, int screenCount) override;

    // Whether the bank on display changed since it was opened or saved, and
    // marking it so (or, with false, as saved).
    bool IsModified() const { return m_marks[static_cast<size_t>(m_displayedBank)]; }
    void SetModifiedFlag(bool modified = true) {
        m_marks[static_cast<size_t>(m_displayedBank)] = modified;
    }

    void SetDisplayedBank(int bank) override;
    const BankMarks& Marks() const override { return m_marks; }
    void SetMarks(const BankMarks& marks) override { m_marks = marks; }
    SDocumentIdentity Identity() const override { return {m_pathName, m_title}; }
    void SetIdentity(const SDocumentIdentity& identity) override;

    const std::string& PathName() const { return m_pathName; }
    const std::string& Title() const { return m_title; }

    // The title a new document gets.
    static const char* const kUntitled;

private:
    void SetPathName(const std::string& path);

    int m_byteCount = 10 * kScreenBytes;
    std::vector<Word> m_words;
    BankMarks m_marks{};
    int m_displayedBank = 0;
    std::string m_pathName;
    std::string m_title;
};
