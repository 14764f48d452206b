#include "view/qt/DotGridWidget.h"

#include "store/ScreenStore.h"
#include "view/qt/ShellResources.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kWidth = CDotGridWidget::kPitch * kScreenColumns + 1;
constexpr int kHeight = CDotGridWidget::kPitch * kScreenRows + 1;
// Where the pictures of the dots stand in DotPictures().
constexpr int kLitPicture = 0;
constexpr int kUnlitPicture = CDotGridWidget::kDotSize;
constexpr int kDimmedPicture = 2 * CDotGridWidget::kDotSize;

} // namespace

CDotGridWidget::CDotGridWidget(const CScreenStore& store, QWidget* parent)
    : QWidget(parent), m_store(store), m_dots(DotPictures()) {
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
    return std::clamp(m_store.m_currentScreen + m_store.m_previewOffset, 1, kMaxScreens);
}

void CDotGridWidget::SetOnionSkin(bool on) {
    if (on == m_onionSkin)
        return;
    m_onionSkin = on;
    update();
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

void CDotGridWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const auto words = m_store.ScreenAt(m_store.m_currentBank, ShownScreen());
    const Word* previous = OnionScreen();
    const QRect dirty = event->rect();
    for (int column = 0; column < kScreenColumns; ++column) {
        const int x = column * kPitch;
        if (x > dirty.right() || x + kDotSize <= dirty.left())
            continue;
        for (int row = 0; row < kScreenRows; ++row) {
            const int y = row * kPitch;
            if (y > dirty.bottom() || y + kDotSize <= dirty.top())
                continue;
            int source = kUnlitPicture;
            if (TestDot(words.data(), column, row))
                source = kLitPicture;
            else if (previous != nullptr && TestDot(previous, column, row))
                source = kDimmedPicture;
            painter.drawPixmap(x, y, m_dots, source, 0, kDotSize, kDotSize);
        }
    }
}
