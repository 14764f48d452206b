#pragma once

#include "store/DocumentLink.h"
#include "store/ScreenStore.h"
#include "store/UndoHistory.h"

class CGlyphRasterizer;
class CPlatform;

// The form view without pixels: the editing state together with the platform
// it talks through and the document it copies the current bank into. Every
// operation and command handler of the core takes one; the Qt view owns one
// and forwards its events to it through the dispatcher.
class CViewCore {
public:
    // A freshly constructed view: the state of CScreenStore with the two
    // import fonts read from the settings, drawing characters with
    // `rasterizer`.
    CViewCore(CPlatform& platform, CDocumentLink& doc, CGlyphRasterizer& rasterizer,
              const CLogFont& font16, const CLogFont& font32);

    CScreenStore& Store() { return m_store; }
    const CScreenStore& Store() const { return m_store; }
    CPlatform& Platform() { return m_platform; }

    // What character import draws its characters with.
    CGlyphRasterizer& Rasterizer() { return *m_rasterizer; }
    // Draws characters with `rasterizer` from now on; it must outlive the view.
    void SetRasterizer(CGlyphRasterizer& rasterizer) { m_rasterizer = &rasterizer; }

    // Moves values between the fields and the form. With `saveAndValidate`
    // false the fields are formatted into the form values and the widgets
    // refreshed. With true the form values are read back in the exchange
    // order and checked; the first failing check shows its message (caption
    // kAppCaption), the fields read before it keep their new values, and
    // false is returned. Either way the document learns which bank is on
    // display.
    bool UpdateData(bool saveAndValidate);

    // Whether an operation may write screens up to `highestScreen`. Above 800
    // it shows kCapacityText / kErrorCaption and returns false; the caller
    // then changes nothing.
    bool CheckCapacity(int highestScreen);

    // Copies the current bank's screens (its screen count of them) into the
    // document. Does not mark the document modified.
    void SyncDocument();

    // Tells the document which bank is on display, so that its modified flag
    // is that bank's mark.
    void LinkDisplayedBank();

    // Asks for a repaint of the grid rectangle.
    void RepaintGrid();

    // Marks the current bank changed since it was opened or saved (or, with
    // false, not changed).
    void SetModifiedFlag(bool modified = true);

    // Whether the current bank is marked changed.
    bool IsModified() const;

    // The same for bank `bank` (0..2; others are pulled into range).
    void SetBankModified(int bank, bool modified = true);
    bool IsBankModified(int bank) const;

    // The document the state belongs to: its marks and its name.
    CDocumentLink& Document() { return m_doc; }
    const CDocumentLink& Document() const { return m_doc; }

    // The undo and redo lists of this view's actions.
    CUndoHistory& UndoHistory() { return m_undoHistory; }
    const CUndoHistory& UndoHistory() const { return m_undoHistory; }

private:
    CScreenStore m_store;
    CPlatform& m_platform;
    CDocumentLink& m_doc;
    CGlyphRasterizer* m_rasterizer;
    CUndoHistory m_undoHistory;
};
