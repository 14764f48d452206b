#pragma once

#include <QLineEdit>
#include <QPixmap>
#include <QRawFont>

#include <array>
#include <string>

// A read-only box of the form: a screen number or a count. During a running
// preview the screen numbers change on every screen, and laying out their
// text costs QLineEdit more than all the rest of a preview's step. So while
// the preview runs the box draws a number's digits itself, from the glyphs
// of its font, where QLineEdit would draw them; QLineEdit takes the text
// once the preview stops (Settle). Anything but digits is always left to
// QLineEdit, and so is every box while no preview runs.
class CReadOnlyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CReadOnlyEdit(QWidget* parent);

    // Shows `text` (UTF-8): drawn by the box itself when `quick` and it is
    // digits only, else through QLineEdit.
    void ShowText(const std::string& text, bool quick);
    // The text on display, whoever draws it.
    QString ShownText() const { return m_quick ? m_quickText : text(); }
    // Whether the box draws its text itself now.
    bool IsQuick() const { return m_quick; }
    // Hands the text on display to QLineEdit.
    void Settle();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The glyphs of the ten digits in the box's font; false when the font
    // has none.
    bool PrepareDigits();
    // The box's frame and background as the style draws them, kept until
    // the size or the look changes, and the rectangle left for the text.
    const QPixmap& Panel();

    // The text last asked for, and how.
    std::string m_asked;
    bool m_askedQuick = false;
    QString m_quickText;
    bool m_quick = false;
    bool m_digitsReady = false;
    QRawFont m_rawFont;
    std::array<quint32, 10> m_glyphs{};
    std::array<qreal, 10> m_advances{};
    int m_ascent = 0;
    int m_lineHeight = 0;
    QPixmap m_panel;
    bool m_panelEnabled = true;
    qint64 m_panelPalette = 0;
    QRect m_contents;
};
