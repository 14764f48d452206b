#include "view/qt/Filmstrip.h"

#include "store/ScreenStore.h"
#include "view/qt/QuorvelView.h"
#include "view/qt/ShellResources.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace {

// Where the picture stands in its item, and the number under it.
constexpr int kThumbLeft = 6;
constexpr int kThumbTop = 4;
constexpr int kFrame = 3;
constexpr int kNumberTop = kThumbTop + CFilmstrip::kThumbHeight + 4;
constexpr int kNumberHeight = 14;
// Pictures kept beyond those in view; past it they are all dropped.
constexpr size_t kMaxPictures = 512;
constexpr QRgb kUnlit = qRgb(24, 24, 24);
constexpr QRgb kLit = qRgb(0, 255, 255);

int Key(int bank, int screen) {
    return bank * (kMaxScreens + 1) + screen;
}

} // namespace

CFilmstrip::CFilmstrip(CQuorvelView& view, QWidget* parent)
    : QAbstractScrollArea(parent), m_view(view) {
    setFont(FormFont());
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setSingleStep(kItemWidth / 2);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedHeight(kItemHeight + horizontalScrollBar()->sizeHint().height());
    hide();
}

QRect CFilmstrip::ItemRect(int screen) const {
    return {(screen - 1) * kItemWidth - horizontalScrollBar()->value(), 0, kItemWidth, kItemHeight};
}

int CFilmstrip::ScreenAt(const QPoint& point) const {
    if (point.x() < 0 || point.y() < 0 || point.y() >= kItemHeight)
        return 0;
    const int screen = (point.x() + horizontalScrollBar()->value()) / kItemWidth + 1;
    return screen <= m_count ? screen : 0;
}

std::pair<int, int> CFilmstrip::ScreensInView() const {
    const int value = horizontalScrollBar()->value();
    const int first = value / kItemWidth + 1;
    const int last = std::min(m_count, (value + viewport()->width() - 1) / kItemWidth + 1);
    return {first, last};
}

void CFilmstrip::UpdateRange() {
    QScrollBar* bar = horizontalScrollBar();
    const int width = viewport()->width();
    bar->setRange(0, std::max(0, std::max(m_count, 0) * kItemWidth - width));
    bar->setPageStep(width);
}

void CFilmstrip::KeepInView(int screen) {
    if (screen < 1 || screen > m_count)
        return;
    QScrollBar* bar = horizontalScrollBar();
    const int left = (screen - 1) * kItemWidth;
    const int width = viewport()->width();
    if (left < bar->value())
        bar->setValue(left + kItemWidth - width);
    else if (left + kItemWidth > bar->value() + width)
        bar->setValue(left);
}

void CFilmstrip::Refresh() {
    if (!isVisible())
        return;
    const CScreenStore& s = m_view.Core().Store();
    const int count = s.CurrentScreenCount();
    if (s.m_currentBank != m_bank || count != m_count) {
        m_bank = s.m_currentBank;
        m_count = count;
        UpdateRange();
        viewport()->update();
    }
    const int shown = s.ScreenOnDisplay();
    if (shown != m_shown) {
        const int before = std::exchange(m_shown, shown);
        KeepInView(m_shown);
        viewport()->update(ItemRect(before));
        viewport()->update(ItemRect(m_shown));
    }
    const auto [first, last] = ScreensInView();
    for (int screen = first; screen <= last; ++screen) {
        const auto it = m_pictures.find(Key(m_bank, screen));
        const auto words = s.ScreenAt(m_bank, screen);
        if (it == m_pictures.end() ||
            !std::equal(words.begin(), words.end(), it->second.words.begin()))
            viewport()->update(ItemRect(screen));
    }
}

const QImage& CFilmstrip::Picture(int screen) {
    const auto words = m_view.Core().Store().ScreenAt(m_bank, screen);
    const int key = Key(m_bank, screen);
    auto it = m_pictures.find(key);
    if (it != m_pictures.end() && std::equal(words.begin(), words.end(), it->second.words.begin()))
        return it->second.image;
    if (it == m_pictures.end()) {
        if (m_pictures.size() >= kMaxPictures)
            m_pictures.clear();
        it =
            m_pictures
                .emplace(key, SPicture{{}, QImage(kThumbWidth, kThumbHeight, QImage::Format_RGB32)})
                .first;
    }
    SPicture& picture = it->second;
    std::copy(words.begin(), words.end(), picture.words.begin());
    for (int y = 0; y < kThumbHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.image.scanLine(y));
        const int row = y / kDotPixels;
        for (int x = 0; x < kThumbWidth; ++x)
            line[x] = TestDot(words.data(), x / kDotPixels, row) ? kLit : kUnlit;
    }
    ++m_picturesDrawn;
    return picture.image;
}

void CFilmstrip::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    painter.fillRect(dirty, palette().color(QPalette::Window));
    const auto [first, last] = ScreensInView();
    for (int screen = first; screen <= last; ++screen) {
        const QRect item = ItemRect(screen);
        if (!item.intersects(dirty))
            continue;
        const QRect thumb(item.left() + kThumbLeft, kThumbTop, kThumbWidth, kThumbHeight);
        const QRect number(item.left(), kNumberTop, kItemWidth, kNumberHeight);
        const bool shown = screen == m_shown;
        if (shown) {
            painter.fillRect(thumb.adjusted(-kFrame, -kFrame, kFrame, kFrame),
                             palette().color(QPalette::Highlight));
            painter.fillRect(number.adjusted(kThumbLeft - kFrame, 0, kFrame - kThumbLeft, 0),
                             palette().color(QPalette::Highlight));
        }
        painter.drawImage(thumb.topLeft(), Picture(screen));
        painter.setPen(palette().color(shown ? QPalette::HighlightedText : QPalette::WindowText));
        painter.drawText(number, Qt::AlignCenter, QString::number(screen));
    }
}

void CFilmstrip::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateRange();
}

void CFilmstrip::hideEvent(QHideEvent* event) {
    QAbstractScrollArea::hideEvent(event);
    // Hidden, the strip costs the view nothing.
    disconnect(&m_view, &CQuorvelView::shownScreenChanged, this, &CFilmstrip::Refresh);
}

void CFilmstrip::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    connect(&m_view, &CQuorvelView::shownScreenChanged, this, &CFilmstrip::Refresh,
            Qt::UniqueConnection);
    // Everything may have changed while hidden.
    m_bank = -1;
    m_shown = 0;
    Refresh();
}

void CFilmstrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    if (const int screen = ScreenAt(event->position().toPoint()); screen > 0)
        m_view.Dispatcher().OnScreenPicked(screen);
}

void CFilmstrip::wheelEvent(QWheelEvent* event) {
    // The wheel turns the strip sideways, a third of an item a notch.
    const QPoint delta = event->angleDelta();
    const int notches = delta.y() != 0 ? delta.y() : delta.x();
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(bar->value() - notches * kItemWidth / (3 * 120));
    event->accept();
}

void CFilmstrip::scrollContentsBy(int dx, int /*dy*/) {
    viewport()->scroll(dx, 0);
}
