#include "view/qt/FormScrollBar.h"

#include "store/CommandIds.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <algorithm>

CFormScrollBar::CFormScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    setFocusPolicy(Qt::NoFocus);
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QAbstractSlider::actionTriggered, this, &CFormScrollBar::OnAction);
}

void CFormScrollBar::SetScrollRange(int minimum, int maximum) {
    setRange(minimum, maximum);
    SetScrollPos(m_position);
}

void CFormScrollBar::SetScrollPos(int position) {
    m_position = std::clamp(position, minimum(), std::max(minimum(), maximum()));
    m_behind = false;
    // Inside an action the thumb is placed once the action is reported.
    if (!m_inAction)
        setValue(m_position);
}

void CFormScrollBar::ShowScrollPos(int position) {
    m_position = std::clamp(position, minimum(), std::max(minimum(), maximum()));
    if (m_inAction)
        return;
    m_behind = ThumbStandsAt(m_position);
    if (!m_behind)
        setValue(m_position);
}

void CFormScrollBar::Settle() {
    if (m_behind && !m_inAction)
        setValue(m_position);
    m_behind = false;
}

int CFormScrollBar::ScrollCodeOf(int action) {
    switch (action) {
    case SliderSingleStepSub:
        return SB_LINELEFT;
    case SliderSingleStepAdd:
        return SB_LINERIGHT;
    case SliderPageStepSub:
        return SB_PAGELEFT;
    case SliderPageStepAdd:
        return SB_PAGERIGHT;
    case SliderMove:
        return SB_THUMBTRACK;
    case SliderToMinimum:
        return SB_LEFT;
    case SliderToMaximum:
        return SB_RIGHT;
    default:
        return -1;
    }
}

int CFormScrollBar::ThumbStart(int position) const {
    return QStyle::sliderPositionFromValue(minimum(), maximum(), position, m_paintedSpan);
}

bool CFormScrollBar::ThumbStandsAt(int position) const {
    return m_paintedSpan >= 0 && minimum() == m_paintedMinimum && maximum() == m_paintedMaximum &&
           ThumbStart(position) == m_paintedStart;
}

void CFormScrollBar::sliderChange(SliderChange change) {
    if (change == SliderValueChange && ThumbStandsAt(sliderPosition()))
        return;
    QScrollBar::sliderChange(change);
}

void CFormScrollBar::paintEvent(QPaintEvent* event) {
    m_paintedSpan = Track().span;
    m_paintedMinimum = minimum();
    m_paintedMaximum = maximum();
    m_paintedStart = ThumbStart(sliderPosition());
    QScrollBar::paintEvent(event);
}

CFormScrollBar::STrack CFormScrollBar::Track() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, this);
    const QRect thumb =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    const bool horizontal = orientation() == Qt::Horizontal;
    STrack track;
    track.start = horizontal ? groove.left() : groove.top();
    track.thumb = horizontal ? thumb.width() : thumb.height();
    track.span = std::max(0, (horizontal ? groove.width() : groove.height()) - track.thumb);
    track.upsideDown = option.upsideDown;
    return track;
}

int CFormScrollBar::PositionAt(const QPoint& point) const {
    const STrack track = Track();
    const int offset =
        (orientation() == Qt::Horizontal ? point.x() : point.y()) - track.thumb / 2 - track.start;
    return QStyle::sliderValueFromPosition(minimum(), maximum(), std::clamp(offset, 0, track.span),
                                           track.span, track.upsideDown);
}

void CFormScrollBar::OnAction(int action) {
    const int code = ScrollCodeOf(action);
    if (code < 0)
        return;
    m_inAction = true;
    emit scrolled(code, sliderPosition());
    // Only a mouse release ends a pressed action; any other has nothing to
    // wait for, and the program places the thumb on the end of scrolling.
    if (!m_pressed)
        emit scrolled(SB_ENDSCROLL, m_position);
    m_inAction = false;
    // The program decides where the thumb stands; only a thumb the user is
    // dragging follows the mouse.
    if (!(action == SliderMove && isSliderDown()))
        setSliderPosition(m_position);
}

void CFormScrollBar::ReportWithEnd(int code, int position) {
    emit scrolled(code, position);
    emit scrolled(SB_ENDSCROLL, m_position);
    setValue(m_position);
}

void CFormScrollBar::contextMenuEvent(QContextMenuEvent* event) {
    // Qt's own menu would move the thumb without a word for "scroll here";
    // this one reports every item, and the thumb stays the program's.
    struct SItem {
        const char* horizontal;
        const char* vertical;
        int code;
    };
    // Qt's texts, so that they read in the language Qt speaks. The edges
    // are SB_TOP and SB_BOTTOM on a vertical bar, the same numbers.
    static constexpr SItem kItems[] = {
        {QT_TRANSLATE_NOOP("QScrollBar", "Scroll here"),
         QT_TRANSLATE_NOOP("QScrollBar", "Scroll here"), SB_THUMBPOSITION},
        {nullptr, nullptr, -1},
        {QT_TRANSLATE_NOOP("QScrollBar", "Left edge"), QT_TRANSLATE_NOOP("QScrollBar", "Top"),
         SB_LEFT},
        {QT_TRANSLATE_NOOP("QScrollBar", "Right edge"), QT_TRANSLATE_NOOP("QScrollBar", "Bottom"),
         SB_RIGHT},
        {nullptr, nullptr, -1},
        {QT_TRANSLATE_NOOP("QScrollBar", "Page left"), QT_TRANSLATE_NOOP("QScrollBar", "Page up"),
         SB_PAGELEFT},
        {QT_TRANSLATE_NOOP("QScrollBar", "Page right"),
         QT_TRANSLATE_NOOP("QScrollBar", "Page down"), SB_PAGERIGHT},
        {nullptr, nullptr, -1},
        {QT_TRANSLATE_NOOP("QScrollBar", "Scroll left"),
         QT_TRANSLATE_NOOP("QScrollBar", "Scroll up"), SB_LINELEFT},
        {QT_TRANSLATE_NOOP("QScrollBar", "Scroll right"),
         QT_TRANSLATE_NOOP("QScrollBar", "Scroll down"), SB_LINERIGHT},
    };
    const bool horizontal = orientation() == Qt::Horizontal;
    const QPointer<CFormScrollBar> self(this);
    const QPointer<QMenu> menu = new QMenu(this);
    for (const SItem& item : kItems) {
        if (item.horizontal == nullptr) {
            menu->addSeparator();
            continue;
        }
        const char* text = horizontal ? item.horizontal : item.vertical;
        menu->addAction(QCoreApplication::translate("QScrollBar", text))->setData(item.code);
    }
    QAction* chosen = menu->exec(event->globalPos());
    // The window may have gone while the menu was up, and the menu with it.
    if (self.isNull())
        return;
    const int code = chosen != nullptr ? chosen->data().toInt() : -1;
    delete menu;
    if (code >= 0)
        ReportWithEnd(code, code == SB_THUMBPOSITION ? PositionAt(event->pos()) : m_position);
}

void CFormScrollBar::mousePressEvent(QMouseEvent* event) {
    // Qt ignores presses on a bar without range; no end of scrolling follows.
    m_pressed = event->button() == Qt::LeftButton && maximum() != minimum();
    QScrollBar::mousePressEvent(event);
}

void CFormScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    const bool dragging = isSliderDown();
    const int thumb = sliderPosition();
    QScrollBar::mouseReleaseEvent(event);
    if (!m_pressed || event->button() != Qt::LeftButton)
        return;
    m_pressed = false;
    if (dragging)
        emit scrolled(SB_THUMBPOSITION, thumb);
    emit scrolled(SB_ENDSCROLL, m_position);
}

void CFormScrollBar::wheelEvent(QWheelEvent* event) {
    event->ignore();
}
