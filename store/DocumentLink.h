#pragma once

#include "store/ScreenGeometry.h"

// What the editing state needs of the document it belongs to: a place to copy
// the current bank into for saving, and the modified flag. The document
// itself lives above the store and implements this.
class CDocumentLink {
public:
    virtual ~CDocumentLink() = default;

    // Replaces the document's screens with `screenCount` screens of `words`.
    // Does not touch the modified flag.
    virtual void SetScreens(const Word* words, int screenCount) = 0;

    // Marks the document modified, or saved.
    virtual void SetModifiedFlag(bool modified = true) = 0;

    // Whether the document is marked modified.
    virtual bool IsModified() const = 0;
};
