#include "app/qt/ExportDlg.h"

#include "app/qt/WiringEditor.h"
#include "view/qt/ShellDialogs.h"
#include "view/qt/ShellResources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The layouts in the order of EDotLayout.
const char* const kLayouts[] = {
    "行ごと (1行6バイト、左のドットが上位ビット)",
    "行ごと・LSB (1行6バイト、左のドットが下位ビット、XBM/u8g2)",
    "ページ (8行ずつ1列1バイト、上のドットがビット0)",
    "列ごと (1列1ワード、上のドットがビット31)",
    "LEDストリップ (配線の順、1バイト8ドット)",
};

} // namespace

CExportDlg::CExportDlg(EExportFormat format, int screenCount, const SExportOptions& initial,
                       QWidget* parent)
    : QDialog(parent), m_format(format), m_initial(initial) {
    setWindowTitle(Utf8(ExportTitle(format)));
    setFont(FormFont());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    screenCount = std::max(screenCount, 1);

    auto* form = new QFormLayout;
    // The range, kept running forwards: each end bounds the other.
    m_from = SpinBox(this, 1, screenCount, 1);
    m_to = SpinBox(this, 1, screenCount, screenCount);
    connect(m_from, &QSpinBox::valueChanged, this, [this](int value) { m_to->setMinimum(value); });
    connect(m_to, &QSpinBox::valueChanged, this, [this](int value) { m_from->setMaximum(value); });
    auto* range = new QHBoxLayout;
    range->addWidget(m_from);
    range->addWidget(new QLabel(Utf8("から"), this));
    range->addWidget(m_to);
    range->addWidget(new QLabel(Utf8("まで"), this));
    range->addStretch();
    form->addRow(Utf8("スクリーン:"), range);

    if (format == EExportFormat::Gif || format == EExportFormat::Png) {
        m_style = new QComboBox(this);
        m_style->addItem(Utf8("LED (丸いランプ)"));
        m_style->addItem(Utf8("ドット (白黒の四角)"));
        m_style->setCurrentIndex(initial.render.style == ERenderStyle::Led ? 0 : 1);
        form->addRow(Utf8("表示:"), m_style);
        m_scale = SpinBox(this, kMinRenderScale, kMaxRenderScale, initial.render.scale);
        m_scale->setSuffix(Utf8(" ピクセル/ドット"));
        form->addRow(Utf8("倍率:"), m_scale);
    }
    if (format == EExportFormat::Gif) {
        m_delay = SpinBox(this, kMinGifDelayMs, kMaxGifDelayMs, initial.delayMs);
        m_delay->setSingleStep(10);
        m_delay->setSuffix(Utf8(" ms"));
        form->addRow(Utf8("1枚の時間:"), m_delay);
    }
    if (format == EExportFormat::Png) {
        m_columns = SpinBox(this, kMinSheetColumns, kMaxSheetColumns, initial.columns);
        form->addRow(Utf8("横に並べる枚数:"), m_columns);
    }
    if (format == EExportFormat::CSource || format == EExportFormat::Binary) {
        m_layout = new QComboBox(this);
        for (const char* name : kLayouts)
            m_layout->addItem(Utf8(name));
        m_layout->setCurrentIndex(static_cast<int>(initial.layout));
        form->addRow(Utf8("並び:"), m_layout);
        m_wiring = new CWiringEditor(initial.wiring, this);
        form->addRow(Utf8("配線:"), m_wiring);
        connect(m_layout, &QComboBox::currentIndexChanged, this, &CExportDlg::RefreshWiring);
        RefreshWiring();
        // Raw bytes and X11 bitmaps have no declarations to mark.
        m_progmem =
            new QCheckBox(Utf8("PROGMEM を付ける (AVR のフラッシュに置く、.h と .c)"), this);
        m_progmem->setChecked(initial.progmem);
        form->addRow(QString(), m_progmem);
        m_name = new QLineEdit(this);
        m_name->setPlaceholderText(Utf8("ファイル名から"));
        m_name->setMaxLength(64);
        connect(m_name, &QLineEdit::textChanged, this, &CExportDlg::RefreshOk);
        form->addRow(Utf8("配列名:"), m_name);
    }

    QDialogButtonBox* buttons = OkCancelButtons(this, &m_ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CExportDlg::RefreshWiring() {
    // Only a strip has a wiring; the other layouts fix their order.
    const bool strip = m_layout->currentIndex() == static_cast<int>(EDotLayout::Strip);
    m_wiring->setEnabled(strip);
}

void CExportDlg::RefreshOk() {
    const std::string name = m_name->text().toStdString();
    m_ok->setEnabled(name.empty() || IsCIdentifier(name));
}

SExportOptions CExportDlg::Options() const {
    SExportOptions options = m_initial;
    options.format = m_format;
    options.from = m_from->value();
    options.to = m_to->value();
    if (m_style != nullptr)
        options.render.style =
            m_style->currentIndex() == 0 ? ERenderStyle::Led : ERenderStyle::Pixel;
    if (m_scale != nullptr)
        options.render.scale = m_scale->value();
    if (m_delay != nullptr)
        options.delayMs = m_delay->value();
    if (m_columns != nullptr)
        options.columns = m_columns->value();
    if (m_layout != nullptr) {
        options.layout = static_cast<EDotLayout>(m_layout->currentIndex());
        options.wiring = m_wiring->Wiring();
        options.progmem = m_progmem->isChecked();
    }
    if (m_name != nullptr)
        options.name = m_name->text().toStdString();
    return options;
}
