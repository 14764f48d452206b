#include "view/qt/FormScrollBar.h"

#include "store/CommandIds.h"

#include <QMouseEvent>
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
    // Inside an action the thumb is placed once the action is reported.
    if (!m_inAction)
        setValue(m_position);
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

void CFormScrollBar::OnAction(int action) {
    const int code = ScrollCodeOf(action);
    if (code < 0)
        return;
    m_inAction = true;
    emit scrolled(code, sliderPosition());
    m_inAction = false;
    // The program decides where the thumb stands; only a thumb the user is
    // dragging follows the mouse.
    if (!(action == SliderMove && isSliderDown()))
        setSliderPosition(m_position);
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
