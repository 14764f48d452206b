#include "view/qt/SignWindow.h"

#include "store/ShownScreen.h"
#include "view/qt/QuorvelView.h"
#include "view/qt/ShellResources.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDefaultWidth = 768;
constexpr int kDefaultHeight = 512;
constexpr int kMinimumWidth = 96;
constexpr int kMinimumHeight = 64;
// The disc of an LED against its square, and the square below which an LED
// fills its square, too small to show a disc.
constexpr double kDiscShare = 0.8;
constexpr int kSmallestDisc = 4;

struct SColour {
    const char* text;
    const char* key;
    QRgb lit;
    QRgb unlit;
};

// Unlit LEDs keep every channel below half, dark enough to tell at a glance.
constexpr SColour kColours[CSignWindow::kColourCount] = {
    {"赤", "red", qRgb(255, 40, 32), qRgb(64, 12, 10)},
    {"橙", "orange", qRgb(255, 150, 0), qRgb(64, 38, 0)},
    {"緑", "green", qRgb(40, 255, 80), qRgb(10, 64, 20)},
    {"白", "white", qRgb(255, 255, 255), qRgb(56, 56, 56)},
};

const SColour& ColourOf(CSignWindow::EColour colour) {
    return kColours[std::clamp(static_cast<int>(colour), 0, CSignWindow::kColourCount - 1)];
}

// One LED: a disc of `colour` on black, centred on the middle pixel of a
// `size` x `size` square, in a picture one pixel larger on each side's end.
QImage LedPicture(int size, QRgb colour) {
    QImage image(size + 1, size + 1, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    if (size < kSmallestDisc) {
        painter.fillRect(0, 0, size, size, QColor(colour));
        return image;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(colour));
    const double middle = size / 2 + 0.5;
    const double radius = size * kDiscShare / 2;
    painter.drawEllipse(QPointF(middle, middle), radius, radius);
    return image;
}

// The pixels of an LED picture of `size` that its disc may touch; the rest
// stays black whatever the LED shows.
QRect LedDisc(int size) {
    if (size < kSmallestDisc)
        return QRect(0, 0, size, size);
    const double middle = size / 2 + 0.5;
    const double radius = size * kDiscShare / 2;
    const int first = std::max(0, static_cast<int>(std::floor(middle - radius)));
    const int last = std::min(size - 1, static_cast<int>(std::ceil(middle + radius)));
    return QRect(QPoint(first, first), QPoint(last, last));
}

} // namespace

CSignWindow::CSignWindow(CQuorvelView& view, QWidget* parent)
    : QWidget(parent, Qt::Window), m_view(view) {
    setWindowTitle(Utf8("LED看板 - Glowmotion 32"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kDefaultWidth, kDefaultHeight);
    m_normalGeometry = geometry();

    m_colours = new QActionGroup(this);
    m_colours->setExclusive(true);
    for (int i = 0; i < kColourCount; ++i) {
        const auto colour = static_cast<EColour>(i);
        QAction* action = m_colours->addAction(Utf8(ColourText(colour)));
        action->setCheckable(true);
        action->setChecked(colour == m_colour);
        connect(action, &QAction::triggered, this, [this, colour] {
            SetColour(colour);
            emit colourChosen(colour);
        });
    }
    m_fullScreen = new QAction(Utf8("全画面表示(&F)"), this);
    m_fullScreen->setCheckable(true);
    m_fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    connect(m_fullScreen, &QAction::triggered, this, &CSignWindow::ToggleFullScreen);
    addAction(m_fullScreen);

    Layout();
}

QColor CSignWindow::LitColour(EColour colour) {
    return QColor(ColourOf(colour).lit);
}

QColor CSignWindow::UnlitColour(EColour colour) {
    return QColor(ColourOf(colour).unlit);
}

const char* CSignWindow::ColourText(EColour colour) {
    return ColourOf(colour).text;
}

const char* CSignWindow::ColourKey(EColour colour) {
    return ColourOf(colour).key;
}

void CSignWindow::SetColour(EColour colour) {
    colour = static_cast<EColour>(std::clamp(static_cast<int>(colour), 0, kColourCount - 1));
    m_colours->actions().at(static_cast<int>(colour))->setChecked(true);
    if (colour == m_colour)
        return;
    m_colour = colour;
    DrawLeds();
    update();
}

int CSignWindow::ColumnEdge(int column) const {
    return m_columnEdges[static_cast<size_t>(std::clamp(column, 0, kScreenColumns))];
}

int CSignWindow::RowEdge(int row) const {
    return m_rowEdges[static_cast<size_t>(std::clamp(row, 0, kScreenRows))];
}

QRect CSignWindow::LedRect(int column, int row) const {
    return QRect(QPoint(ColumnEdge(column), RowEdge(row)),
                 QPoint(ColumnEdge(column + 1) - 1, RowEdge(row + 1) - 1));
}

QPoint CSignWindow::LedCentre(int column, int row) const {
    const int size = LedSize();
    return LedRect(column, row).topLeft() + QPoint(size / 2, size / 2);
}

void CSignWindow::Layout() {
    const double width = std::min<double>(this->width(), this->height() * 3.0 / 2.0);
    m_pitch = std::max(width / kScreenColumns, 1.0);
    m_left = (this->width() - m_pitch * kScreenColumns) / 2;
    m_top = (this->height() - m_pitch * kScreenRows) / 2;
    for (int column = 0; column <= kScreenColumns; ++column)
        m_columnEdges[static_cast<size_t>(column)] =
            static_cast<int>(std::lround(m_left + column * m_pitch));
    for (int row = 0; row <= kScreenRows; ++row)
        m_rowEdges[static_cast<size_t>(row)] = static_cast<int>(std::lround(m_top + row * m_pitch));
    DrawLeds();
}

int CSignWindow::LedSize() const {
    return std::max(1, static_cast<int>(m_pitch));
}

void CSignWindow::DrawLeds() {
    const int size = LedSize();
    m_lit = LedPicture(size, ColourOf(m_colour).lit);
    m_unlit = LedPicture(size, ColourOf(m_colour).unlit);
    m_disc = LedDisc(size);
}

void CSignWindow::Refresh() {
    if (!isVisible())
        return;
    const std::array<Word, kWordsPerScreen> words = ShownScreenWords(m_view.Core().Store());
    if (words == m_shown)
        return;
    // Only the discs of the LEDs that changed: a rectangle for each run of
    // them in a row, rows from the top, runs from the left, as a region
    // takes them whole.
    std::array<Word, kWordsPerScreen> changed;
    for (size_t at = 0; at < changed.size(); ++at)
        changed[at] = words[at] ^ m_shown[at];
    QList<QRect> rects;
    for (int row = 0; row < kScreenRows; ++row) {
        const Word bit = DotMask(row);
        const auto differs = [&changed, bit](int column) {
            return (changed[static_cast<size_t>(column)] & bit) != 0;
        };
        const int top = RowEdge(row) + m_disc.top();
        for (int column = 0; column < kScreenColumns;) {
            if (!differs(column)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < kScreenColumns && differs(column))
                ++column;
            const int left = ColumnEdge(first) + m_disc.left();
            const int right = ColumnEdge(column - 1) + m_disc.right();
            rects.append(QRect(left, top, right - left + 1, m_disc.height()));
        }
    }
    m_shown = words;
    QRegion region;
    region.setRects(rects.constData(), static_cast<int>(rects.size()));
    update(region);
}

void CSignWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area(QPoint(ColumnEdge(0), RowEdge(0)),
                     QPoint(ColumnEdge(kScreenColumns) - 1, RowEdge(kScreenRows) - 1));
    for (const QRect& rect : event->region()) {
        if (!area.contains(rect))
            for (const QRect& margin : QRegion(rect).subtracted(area))
                painter.fillRect(margin, Qt::black);
        const QRect inside = rect & area;
        if (inside.isEmpty())
            continue;
        int firstColumn = std::max(0, static_cast<int>((inside.left() - m_left) / m_pitch) - 1);
        while (ColumnEdge(firstColumn + 1) <= inside.left())
            ++firstColumn;
        int firstRow = std::max(0, static_cast<int>((inside.top() - m_top) / m_pitch) - 1);
        while (RowEdge(firstRow + 1) <= inside.top())
            ++firstRow;
        // Each LED draws just its part of the rectangle, which keeps every
        // copy a plain one whatever the shape of the region.
        for (int row = firstRow; row < kScreenRows && RowEdge(row) <= inside.bottom(); ++row) {
            for (int column = firstColumn;
                 column < kScreenColumns && ColumnEdge(column) <= inside.right(); ++column) {
                const QRect led = LedRect(column, row);
                const QRect part = led & inside;
                const bool lit = TestDot(m_shown.data(), column, row);
                painter.drawImage(part.topLeft(), lit ? m_lit : m_unlit,
                                  part.translated(-led.topLeft()));
            }
        }
    }
}

void CSignWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isFullScreen())
        m_normalGeometry = geometry();
    Layout();
    update();
}

void CSignWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!isFullScreen())
        m_normalGeometry = geometry();
}

void CSignWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Hidden, the window costs the view nothing.
    disconnect(&m_view, &CQuorvelView::shownScreenChanged, this, &CSignWindow::Refresh);
}

void CSignWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    connect(&m_view, &CQuorvelView::shownScreenChanged, this, &CSignWindow::Refresh,
            Qt::UniqueConnection);
    m_shown = ShownScreenWords(m_view.Core().Store());
    update();
}

void CSignWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void CSignWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addActions(m_colours->actions());
    menu.addSeparator();
    menu.addAction(m_fullScreen);
    menu.exec(event->globalPos());
}

void CSignWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        ToggleFullScreen(false);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CSignWindow::ToggleFullScreen(bool on) {
    m_fullScreen->setChecked(on);
    if (on)
        showFullScreen();
    else
        showNormal();
}
