#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button drawn entirely by two pictures: its normal face, and its pressed
// face while the mouse holds it down. Like the Windows bitmap button it has no
// caption and no focus frame; a face smaller than the button leaves the rest
// in the window colour.
class CBitmapButton : public QAbstractButton {
    Q_OBJECT
public:
    CBitmapButton(const QPixmap& normal, const QPixmap& pressed, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_normal;
    QPixmap m_pressed;
};
