#pragma once

#include "store/CommandIds.h"
#include "store/DrawingTool.h"
#include "store/FormValues.h"
#include "store/LogFont.h"
#include "store/Rect.h"
#include "store/ScreenBank.h"
#include "store/ScreenGeometry.h"

#include <array>
#include <span>
#include <string>
#include <vector>

// The whole editing state of the form view, as plain data: the three banks
// with their counters, the clip buffers, the character texts and import
// fonts, the macro, the preview, the drawing state and the form values.
// Operations elsewhere keep its invariants:
//   1 <= current screen <= 800, and normally <= the current bank's count;
//   every screen count lies in 0..800;
//   the current bank's bank current screen equals the current screen
//   whenever the controls are refreshed.
class CScreenStore {
public:
    // The state of a freshly created view: ten blank screens in every bank,
    // screen 1 of select1 current, everything else empty or zero.
    CScreenStore();

    // The 48 column words of screen n (1-based, 1..800) of `bank` (0..2).
    // Out-of-range arguments are a programming error; they are pulled back
    // into range rather than let a write leave the bank. The span covers that
    // one screen: an undo record keeps only it, so a writer must not walk on
    // from it into the next screens (ScreensAt gives several).
    std::span<Word, kWordsPerScreen> ScreenAt(int bank, int n);
    std::span<const Word, kWordsPerScreen> ScreenAt(int bank, int n) const;

    // The words of `count` screens of `bank` from screen `first` (1-based),
    // cut to the bank. Writers of several screens take them here, so that
    // an open undo record keeps just those screens.
    std::span<Word> ScreensAt(int bank, int first, int count);

    // The current screen of the current bank.
    std::span<Word, kWordsPerScreen> CurrentScreenWords();
    // The screen count of the current bank.
    int CurrentScreenCount() const { return m_screenCount[m_currentBank]; }
    // The screen the grid shows: the current one, or during a preview the
    // one the preview stands at (1..800).
    int ScreenOnDisplay() const;

    // Fields bound to the form (see CFormValues for the controls).
    int m_currentScreen = 1;
    std::string m_text16;
    int m_recording = 0;
    int m_stepCount = 0;
    int m_breakStep = 0;
    std::string m_text32;
    int m_breakFlag = 0;

    // Screens. The banks and the range clip note what is written to them
    // for undo (see CScreenBank): writers of a few screens take them through
    // ScreenAt or ScreensAt, which note only those.
    std::array<CScreenBank, kBankCount> m_banks;
    std::array<Word, kWordsPerScreen> m_screenClip{};
    CScreenBank m_rangeClip;
    int m_rangeClipCount = 0;

    // Banks and counters.
    int m_currentBank = 0;
    int m_previousBank = 0;
    std::array<int, kBankCount> m_screenCount{10, 10, 10};
    std::array<int, kBankCount> m_displayedCount{10, 10, 10};
    std::array<int, kBankCount> m_bankCurrent{1, 1, 1};

    // Character import.
    CLogFont m_logFont16;
    CLogFont m_logFont32;
    int m_glyphRotation = 0;
    // Whether the import font of each size exists: a failed character
    // discards it, and only the font command creates it again.
    bool m_importFont16 = true;
    bool m_importFont32 = true;

    // Macro.
    std::string m_macroCode;
    std::string m_heldCode;
    int m_insertPos = -1;
    int m_playback = 0;
    // Set by an operation that ends its command with an error during a
    // playback (a file that cannot be read); the player stops after that
    // step. The player clears it when it starts and when it ends.
    bool m_stopPlayback = false;
    std::vector<std::string> m_macroLines;
    int m_macroSelection = -1;
    bool m_macroButtonsEnabled = true;

    // Preview and the screen scroll bar.
    int m_previewOffset = 0;
    int m_previewFlag = 0;
    int m_scrollPos = 1;
    // Milliseconds between two screens of the preview ("再生速度").
    int m_previewInterval = kPreviewIntervalMs;

    // Drawing and geometry.
    int m_firstUpdate = 1;
    int m_lastColumn = 0;
    int m_lastRow = 0;
    CRect m_gridRect;
    CRect m_cursorClip;

    // The drawing tool, and the line or rectangle being dragged: whether one
    // is, which tool it began with, whether it lights or clears, the cell
    // pressed and the cell under the pointer, and the cells it covers as a
    // mask over the current screen (a set bit for each). Nothing of it is
    // written to a bank before the release.
    EDrawingTool m_drawingTool = EDrawingTool::Pen;
    bool m_shapeActive = false;
    EDrawingTool m_shapeTool = EDrawingTool::Line;
    bool m_shapeLights = true;
    int m_shapeStartColumn = 0;
    int m_shapeStartRow = 0;
    int m_shapeEndColumn = 0;
    int m_shapeEndRow = 0;
    std::array<Word, kWordsPerScreen> m_shapeMask{};

    // The form's controls.
    CFormValues m_form;
};
