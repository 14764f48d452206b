#pragma once

#include "store/ScreenGeometry.h"

#include <QImage>
#include <QWidget>

#include <array>

class CScreenStore;

// The enlarged dot grid: the 48 x 32 dots of the screen on display (the
// current screen plus the preview offset, of the current bank, with a line or
// rectangle being dragged drawn in), each drawn as a 7 x 7 picture at a pitch
// of 6 pixels so that neighbouring frames share one black line. It only reads
// the editing state, and repaints without erasing: every pixel asked for is
// drawn, from a picture of the whole grid in which only the cells that
// changed are drawn again, and a repaint request repaints just those. Mouse events pass through it
// to the form underneath, which works in the form's coordinates.
class CDotGridWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPitch = 6;
    static constexpr int kDotSize = 7;

    CDotGridWidget(const CScreenStore& store, QWidget* parent);

    // Takes what the grid shows now and repaints the cells that changed:
    // nothing when none did.
    void Refresh();

    // Repaints the one cell (column 0..47, row 0..31).
    void UpdateCell(int column, int row);

    // The number of the screen on display, kept inside the bank.
    int ShownScreen() const;

    // The onion skin: while on, unlit cells show the lit dots of the
    // previous screen of the bank dimmed, except during a preview and on
    // screen 1. Off, the grid is drawn exactly as without it.
    void SetOnionSkin(bool on);
    bool OnionSkin() const { return m_onionSkin; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The previous screen's words when the onion skin shows, else nullptr.
    const Word* OnionScreen() const;
    // Draws the cells whose picture changed into m_image and returns the
    // rectangle around them (empty when none changed).
    QRect RefreshImage();

    const CScreenStore& m_store;
    QImage m_dots;
    QImage m_image;
    // What m_image shows: the lit and the dimmed dots, once it was drawn.
    std::array<Word, kWordsPerScreen> m_lit{};
    std::array<Word, kWordsPerScreen> m_dimmed{};
    bool m_drawn = false;
    bool m_onionSkin = false;
};
