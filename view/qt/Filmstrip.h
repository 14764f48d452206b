#pragma once

#include "store/ScreenGeometry.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <array>
#include <utility>
#include <unordered_map>

class CQuorvelView;

// The filmstrip: the screens of the bank on display as small numbered
// pictures in a row that scrolls sideways, the screen the grid shows framed
// and kept in view (it follows the preview). A click on a picture goes to
// that screen as the screen scroll bar's thumb would (CDispatcher::
// OnScreenPicked), recorded as the bar records.
//
// It follows the view's shownScreenChanged. Only the pictures in view are
// drawn; each is kept with the words it was drawn from and drawn again only
// when its screen's words differ, so that a bank of 800 screens scrolls and
// plays without drawing more than what changed. Hidden, it does nothing.
class CFilmstrip : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The size of a picture, its place in a strip item, and the item.
    static constexpr int kDotPixels = 2;
    static constexpr int kThumbWidth = kScreenColumns * kDotPixels;
    static constexpr int kThumbHeight = kScreenRows * kDotPixels;
    static constexpr int kItemWidth = kThumbWidth + 12;
    static constexpr int kItemHeight = kThumbHeight + 24;

    // A hidden strip following `view`, which must outlive it.
    CFilmstrip(CQuorvelView& view, QWidget* parent);

    // The rectangle of the item of screen `screen` (1-based) in the
    // viewport, wherever the strip is scrolled to.
    QRect ItemRect(int screen) const;
    // The screen whose item holds `point` of the viewport, or 0.
    int ScreenAt(const QPoint& point) const;
    // The screen framed as the one on display.
    int ShownScreen() const { return m_shown; }
    // How many pictures were drawn since the strip was made (for tests).
    int PicturesDrawn() const { return m_picturesDrawn; }

public slots:
    // Takes the bank, the screen on display and the screens in view as they
    // are now, and repaints what of them changed.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct SPicture {
        std::array<Word, kWordsPerScreen> words;
        QImage image;
    };
    // The range of screens with an item in view, first and last (1-based).
    std::pair<int, int> ScreensInView() const;
    void UpdateRange();
    // Scrolls so that the item of `screen` is in view: the least scrolling
    // that shows it, at the start of the view when it lies beyond the end.
    void KeepInView(int screen);
    // The picture of `screen` of the bank on display, drawn again if its
    // words changed.
    const QImage& Picture(int screen);

    CQuorvelView& m_view;
    int m_bank = -1;
    int m_count = -1;
    int m_shown = 0;
    // Pictures by bank and screen; dropped when they grow many.
    std::unordered_map<int, SPicture> m_pictures;
    int m_picturesDrawn = 0;
};
