#pragma once

#include <QScrollBar>

// A scroll bar of the form that reports what the user does with Windows
// scroll codes (SB_LINELEFT .. SB_ENDSCROLL) and leaves its position to the
// program, as a Windows scroll bar control does: after each action the thumb
// goes where the program last put it with SetScrollPos, except while the
// user drags it. Releasing the mouse reports SB_THUMBPOSITION after a drag
// and then SB_ENDSCROLL; an action without a mouse press (a context menu
// item, an action the program triggers) is followed by SB_ENDSCROLL at once.
// The wheel does nothing here.
class CFormScrollBar : public QScrollBar {
    Q_OBJECT
public:
    CFormScrollBar(Qt::Orientation orientation, QWidget* parent);

    // The range and position the program sets; the position is kept inside
    // the range.
    void SetScrollRange(int minimum, int maximum);
    void SetScrollPos(int position);
    int ScrollPos() const { return m_position; }

    // SetScrollPos for the steps of a running preview, which come ten or
    // more a second: the slider takes the position only when the thumb
    // moves by a pixel, and the rest at Settle.
    void ShowScrollPos(int position);
    void Settle();

    // The Windows scroll code of a slider action, or -1 for none.
    static int ScrollCodeOf(int action);

    // The position the thumb would take centred on `point` (widget
    // coordinates), kept inside the range.
    int PositionAt(const QPoint& point) const;

signals:
    // The user did something: `code` is the SB_* code, `position` the
    // thumb position it took (meaningful for SB_THUMBTRACK and
    // SB_THUMBPOSITION).
    void scrolled(int code, int position);

protected:
    // The scroll bar menu of Windows: "scroll here" reports SB_THUMBPOSITION
    // at the clicked place, the edges SB_LEFT and SB_RIGHT (SB_TOP and
    // SB_BOTTOM), the page and line items their codes; SB_ENDSCROLL follows
    // each.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // A new position repaints the bar only when the thumb moves by a pixel:
    // over a long bank, the preview's screens pass under a thumb that stands
    // still for several of them.
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The groove as the style lays it out: where it starts along the bar,
    // the thumb's length, how far the thumb can travel, and whether the
    // values run against the bar's direction.
    struct STrack {
        int start = 0;
        int thumb = 0;
        int span = 0;
        bool upsideDown = false;
    };
    STrack Track() const;
    // Where the thumb would start in its groove at `position`, as the style
    // places it: cheap enough to ask on every new position.
    int ThumbStart(int position) const;
    // Whether the thumb at `position` would stand where it was last painted,
    // in the same range: a new position then needs no repaint.
    bool ThumbStandsAt(int position) const;
    void OnAction(int action);
    // Reports `code`, then the end of scrolling, and shows the thumb where
    // the program has put it by then.
    void ReportWithEnd(int code, int position);

    // Where the thumb was last painted: the room it moves in (-1 before the
    // first paint), its start in that room, and the range then.
    int m_paintedSpan = -1;
    int m_paintedStart = 0;
    int m_paintedMinimum = 0;
    int m_paintedMaximum = 0;
    int m_position = 0;
    // ShowScrollPos left the slider behind m_position.
    bool m_behind = false;
    bool m_inAction = false;
    bool m_pressed = false;
};
