#include "view/qt/DotGridWidget.h"

#include "store/ScreenStore.h"
#include "store/ShownScreen.h"
#include "view/qt/ShellResources.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <bit>

namespace {

constexpr int kWidth = CDotGridWidget::kPitch * kScreenColumns + 1;
constexpr int kHeight = CDotGridWidget::kPitch * kScreenRows + 1;
// The pictures of the dots, in their order in DotPictures().
constexpr int kLitPicture = 0;
constexpr int kUnlitPicture = 1;
constexpr int kDimmedPicture = 2;
// The most lines painted at once.
constexpr int kPaintBand = 64;

} // namespace

CDotGridWidget::CDotGridWidget(const CScreenStore& store, QWidget* parent)
    : QWidget(parent), m_store(store),
      m_dots(DotPictures().toImage().convertToFormat(QImage::Format_RGB32)),
      m_image(kWidth, kHeight, QImage::Format_RGB32) {
    m_image.fill(Qt::black);
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CDotGridWidget::UpdateCell(int column, int row) {
    if (column < 0 || column >= kScreenColumns || row < 0 || row >= kScreenRows)
        return;
    update(column * kPitch, row * kPitch, kDotSize, kDotSize);
}

int CDotGridWidget::ShownScreen() const {
    return m_store.ScreenOnDisplay();
}

void CDotGridWidget::SetOnionSkin(bool on) {
    if (on == m_onionSkin)
        return;
    m_onionSkin = on;
    Refresh();
}

const Word* CDotGridWidget::OnionScreen() const {
    if (!m_onionSkin || m_store.m_previewFlag != 0 || m_store.m_previewOffset != 0)
        return nullptr;
    const int shown = ShownScreen();
    if (shown <= 1)
        return nullptr;
    return m_store.ScreenAt(m_store.m_currentBank, shown - 1).data();
}

QSize CDotGridWidget::sizeHint() const {
    return {kWidth, kHeight};
}

void CDotGridWidget::Refresh() {
    const QRect changed = RefreshImage();
    if (!changed.isEmpty())
        update(changed);
}

QRect CDotGridWidget::RefreshImage() {
    const auto words = ShownScreenWords(m_store);
    const Word* previous = OnionScreen();
    const int rowBytes = kDotSize * 4;
    uchar* image = nullptr;
    const qsizetype imageLine = m_image.bytesPerLine();
    const uchar* dots = m_dots.constBits();
    const qsizetype dotsLine = m_dots.bytesPerLine();
    int firstColumn = kScreenColumns;
    int lastColumn = -1;
    int firstRow = kScreenRows;
    int lastRow = -1;
    for (int column = 0; column < kScreenColumns; ++column) {
        const size_t at = static_cast<size_t>(column);
        const Word lit = words[at];
        const Word dimmed = previous != nullptr ? previous[column] & ~lit : 0;
        Word changed = m_drawn ? (lit ^ m_lit[at]) | (dimmed ^ m_dimmed[at]) : ~Word{0};
        if (changed == 0)
            continue;
        m_lit[at] = lit;
        m_dimmed[at] = dimmed;
        if (image == nullptr)
            image = m_image.bits();
        firstColumn = std::min(firstColumn, column);
        lastColumn = column;
        firstRow = std::min(firstRow, std::countl_zero(changed));
        lastRow = std::max(lastRow, kScreenRows - 1 - std::countr_zero(changed));
        for (; changed != 0; changed &= changed - 1) {
            const int row = kScreenRows - 1 - std::countr_zero(changed);
            const Word bit = DotMask(row);
            const int picture = (lit & bit) != 0      ? kLitPicture
                                : (dimmed & bit) != 0 ? kDimmedPicture
                                                      : kUnlitPicture;
            // Neighbouring pictures share their black frame lines, so each
            // cell is drawn whole.
            uchar* to = image + row * kPitch * imageLine + column * kPitch * 4;
            const uchar* from = dots + picture * rowBytes;
            for (int line = 0; line < kDotSize; ++line)
                std::copy_n(reinterpret_cast<const quint32*>(from + line * dotsLine), kDotSize,
                            reinterpret_cast<quint32*>(to + line * imageLine));
        }
    }
    m_drawn = true;
    if (lastColumn < 0)
        return {};
    return QRect(firstColumn * kPitch, firstRow * kPitch,
                 (lastColumn - firstColumn) * kPitch + kDotSize,
                 (lastRow - firstRow) * kPitch + kDotSize);
}

void CDotGridWidget::paintEvent(QPaintEvent* event) {
    // The state may have changed since the last Refresh (an uncovered grid
    // paints at once): what changed outside this paint is painted next.
    const QRect changed = RefreshImage();
    if (!changed.isEmpty() && !event->region().contains(changed))
        update(changed);
    QPainter painter(this);
    // In bands: Qt hands a copy of more than about a hundred lines to its
    // thread pool, and waking the pool on every screen of a preview costs
    // more than the few kilobytes of the grid take to copy here.
    for (const QRect& rect : event->region())
        for (int top = rect.top(); top <= rect.bottom(); top += kPaintBand) {
            const QRect band(rect.left(), top, rect.width(),
                             std::min(kPaintBand, rect.bottom() - top + 1));
            painter.drawImage(band.topLeft(), m_image, band);
        }
}
