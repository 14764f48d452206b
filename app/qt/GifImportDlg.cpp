#include "app/qt/GifImportDlg.h"

#include "view/qt/ShellDialogs.h"
#include "view/qt/ShellResources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Pixels a dot of the preview: the screen shows at 288 x 192.
constexpr int kPreviewCell = 6;

} // namespace

CScreenPreview::CScreenPreview(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
}

void CScreenPreview::SetScreen(const std::array<Word, kWordsPerScreen>& screen) {
    m_screen = screen;
    update();
}

QSize CScreenPreview::sizeHint() const {
    return QSize(kScreenColumns * kPreviewCell, kScreenRows * kPreviewCell);
}

void CScreenPreview::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(16, 16, 16));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor lit(255, 236, 160), unlit(56, 48, 40);
    for (int column = 0; column < kScreenColumns; ++column) {
        for (int row = 0; row < kScreenRows; ++row) {
            painter.setBrush(TestDot(m_screen.data(), column, row) ? lit : unlit);
            painter.drawEllipse(column * kPreviewCell, row * kPreviewCell, kPreviewCell - 1,
                                kPreviewCell - 1);
        }
    }
}

CGifImportDlg::CGifImportDlg(const SGreyImage& firstFrame, QWidget* parent)
    : QDialog(parent), m_frame(firstFrame) {
    setWindowTitle(Utf8("GIFアニメ取込"));
    setFont(FormFont());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_preview = new CScreenPreview(this);

    m_threshold = new QSpinBox(this);
    m_threshold->setRange(0, 255);
    m_threshold->setValue(kDefaultThreshold);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(0, 255);
    m_slider->setValue(kDefaultThreshold);
    connect(m_slider, &QSlider::valueChanged, m_threshold, &QSpinBox::setValue);
    connect(m_threshold, &QSpinBox::valueChanged, m_slider, &QSlider::setValue);
    connect(m_threshold, &QSpinBox::valueChanged, this, &CGifImportDlg::RefreshPreview);
    auto* threshold = new QHBoxLayout;
    threshold->addWidget(m_slider, 1);
    threshold->addWidget(m_threshold);

    m_invert = new QCheckBox(Utf8("暗いところを点灯"), this);
    connect(m_invert, &QCheckBox::toggled, this, &CGifImportDlg::RefreshPreview);
    m_fit = new QComboBox(this);
    m_fit->addItem(Utf8("画面いっぱいに伸ばす"));
    m_fit->addItem(Utf8("縦横比を保つ"));
    connect(m_fit, &QComboBox::currentIndexChanged, this, &CGifImportDlg::RefreshPreview);

    auto* form = new QFormLayout;
    form->addRow(Utf8("しきい値:"), threshold);
    form->addRow(QString(), m_invert);
    form->addRow(Utf8("大きさ:"), m_fit);

    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_preview, 0, Qt::AlignHCenter);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    RefreshPreview();
}

SDotOptions CGifImportDlg::Options() const {
    SDotOptions options;
    options.threshold = m_threshold->value();
    options.invert = m_invert->isChecked();
    options.fit = m_fit->currentIndex() == 0 ? EFit::Stretch : EFit::Contain;
    return options;
}

void CGifImportDlg::RefreshPreview() {
    std::array<Word, kWordsPerScreen> screen{};
    if (!m_frame.pixels.empty())
        CDotConverter(m_frame.width, m_frame.height, Options()).Convert(m_frame, screen.data());
    m_preview->SetScreen(screen);
}
