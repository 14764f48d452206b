#include "view/qt/BitmapButton.h"

#include <QPainter>

CBitmapButton::CBitmapButton(const QPixmap& normal, const QPixmap& pressed, QWidget* parent)
    : QAbstractButton(parent), m_normal(normal), m_pressed(pressed) {
    setFocusPolicy(Qt::NoFocus);
}

QSize CBitmapButton::sizeHint() const {
    return m_normal.size();
}

void CBitmapButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawPixmap(0, 0, isDown() && !m_pressed.isNull() ? m_pressed : m_normal);
}
