#pragma once

#include "store/ScreenGeometry.h"

#include <array>
#include <string>

// For each bank, whether its screens changed since they were last opened or
// saved.
using BankMarks = std::array<bool, kBankCount>;

// What names the document apart from its screens: the file it was opened
// from or saved to (empty for a new one) and the title the window shows.
struct SDocumentIdentity {
    std::string pathName;
    std::string title;
    bool operator==(const SDocumentIdentity&) const = default;
};

// What the editing state needs of the document it belongs to: a place to copy
// the current bank into for saving, the per-bank marks of unsaved changes and
// the document's name, which undo brings back with the screens. The document
// itself lives above the store and implements this.
class CDocumentLink {
public:
    virtual ~CDocumentLink() = default;

    // Replaces the document's screens with `screenCount` screens of `words`.
    // Does not touch the marks.
    virtual void SetScreens(const Word* words, int screenCount) = 0;

    // The bank whose screens the document carries, the one on display: the
    // document's modified flag is that bank's mark. Banks outside 0..2 are
    // pulled into range.
    virtual void SetDisplayedBank(int bank) = 0;

    // The marks of all banks, and replacing them.
    virtual const BankMarks& Marks() const = 0;
    virtual void SetMarks(const BankMarks& marks) = 0;

    // The document's file and title, and replacing them (undo of New and
    // Open). The title is taken as given.
    virtual SDocumentIdentity Identity() const = 0;
    virtual void SetIdentity(const SDocumentIdentity& identity) = 0;
};
