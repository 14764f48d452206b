#pragma once

#include "store/ScreenGeometry.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <array>

class CQuorvelView;
class QAction;
class QActionGroup;

// The LED sign window: the screen the grid shows, the preview's included, as
// the sign shows it, in a window of its own that may take any size. The 48 x
// 32 LEDs fill the largest 3:2 area the window holds, centred on black; lit
// LEDs glow in the sign's colour, unlit ones stay a dim disc of it. Its
// context menu chooses the colour (赤, 橙, 緑, 白); F11 switches full
// screen on and off, Esc leaves it.
//
// It follows the view's shownScreenChanged and repaints only the LEDs that
// changed, from two small pictures made once for each size and colour; while
// hidden it does nothing at all.
class CSignWindow : public QWidget {
    Q_OBJECT
public:
    enum class EColour { Red, Orange, Green, White };
    static constexpr int kColourCount = 4;

    // A hidden window following `view`, which must outlive it. `parent` is
    // the window it closes with.
    CSignWindow(CQuorvelView& view, QWidget* parent);

    void SetColour(EColour colour);
    EColour Colour() const { return m_colour; }

    // The colours of a lit and of an unlit LED.
    static QColor LitColour(EColour colour);
    static QColor UnlitColour(EColour colour);
    // The name of a colour in its menu ("赤"), and in the settings ("red").
    static const char* ColourText(EColour colour);
    static const char* ColourKey(EColour colour);

    // The rectangle of LED (column, row) in the window, and its middle, which
    // always shows the LED's colour unblended.
    QRect LedRect(int column, int row) const;
    QPoint LedCentre(int column, int row) const;

    // The window's place and size outside full screen.
    QRect NormalGeometry() const { return m_normalGeometry; }

    QAction* FullScreenAction() const { return m_fullScreen; }

signals:
    // The user closed the window.
    void closed();
    // The user chose another colour.
    void colourChosen(CSignWindow::EColour colour);

public slots:
    // Takes the screen the grid shows now and repaints the LEDs that changed.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Places the LED area in the window and draws the two LED pictures.
    void Layout();
    void DrawLeds();
    // The side of an LED's square picture: the pitch, whole pixels, at least 1.
    int LedSize() const;
    // Left edge of column `column` (0..48) and top edge of row `row` (0..32).
    int ColumnEdge(int column) const;
    int RowEdge(int row) const;
    void ToggleFullScreen(bool on);

    CQuorvelView& m_view;
    EColour m_colour = EColour::Red;
    std::array<Word, kWordsPerScreen> m_shown{};
    double m_left = 0;
    double m_top = 0;
    double m_pitch = 1;
    // An LED picture, lit and unlit: the disc on black, one pixel larger
    // than the smaller LED rectangles so that it covers the larger ones.
    QImage m_lit;
    QImage m_unlit;
    // Where the disc lies in an LED picture.
    QRect m_disc;
    // The left edges of the columns and the top edges of the rows, each
    // with the edge after the last.
    std::array<int, kScreenColumns + 1> m_columnEdges{};
    std::array<int, kScreenRows + 1> m_rowEdges{};
    QRect m_normalGeometry;
    QAction* m_fullScreen = nullptr;
    QActionGroup* m_colours = nullptr;
};
