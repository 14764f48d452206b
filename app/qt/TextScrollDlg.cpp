#include "app/qt/TextScrollDlg.h"

#include "app/qt/GifImportDlg.h"
#include "edit/FreeTypeRasterizer.h"
#include "store/CommandIds.h"
#include "store/MessageText.h"
#include "store/ViewCore.h"
#include "view/qt/ShellDialogs.h"
#include "view/qt/ShellResources.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

// The spin box value that stands for a centred line.
constexpr int kCentredRow = -1;

} // namespace

CTextScrollDlg::CTextScrollDlg(CViewCore& view, const STextScrollOptions& options, QWidget* parent)
    : QDialog(parent), m_view(view) {
    setWindowTitle(Utf8("テキストスクロール"));
    setFont(FormFont());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_preview = new CScreenPreview(this);
    m_info = new QLabel(this);

    m_message = new QLineEdit(QString::fromStdString(options.message), this);
    m_message->setMinimumWidth(m_preview->sizeHint().width());

    m_size = new QComboBox(this);
    for (const int size : kTextSizes)
        m_size->addItem(QString::number(size) + Utf8("ドット"), size);
    m_size->setCurrentIndex(std::max(m_size->findData(options.size), 0));

    // The first entry is the size's default; the installed families follow.
    m_font = new QComboBox(this);
    m_font->addItem(QString(), QString());
    for (const std::string& family : InstalledFontFamilies())
        m_font->addItem(QString::fromStdString(family), QString::fromStdString(family));
    int font = 0;
    if (!options.family.empty()) {
        const QString family = QString::fromStdString(options.family);
        font = m_font->findData(family);
        // A family kept from before that is no longer installed stays
        // choosable: the write then says it is missing.
        if (font < 0) {
            m_font->addItem(family, family);
            font = m_font->count() - 1;
        }
    }
    m_font->setCurrentIndex(font);

    m_row = new QSpinBox(this);
    m_row->setSpecialValueText(Utf8("中央"));
    m_row->setRange(kCentredRow, LastTextRow(options.size));
    m_row->setValue(options.row.value_or(kCentredRow));

    m_step = new QSpinBox(this);
    m_step->setRange(kMinTextStep, kMaxTextStep);
    m_step->setSuffix(Utf8(" ドット"));
    m_step->setValue(options.step);

    auto* form = new QFormLayout;
    form->addRow(Utf8("メッセージ:"), m_message);
    form->addRow(Utf8("大きさ:"), m_size);
    form->addRow(Utf8("フォント:"), m_font);
    form->addRow(Utf8("行:"), m_row);
    form->addRow(Utf8("移動量:"), m_step);

    QDialogButtonBox* buttons = OkCancelButtons(this, &m_ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_preview, 0, Qt::AlignHCenter);
    layout->addWidget(m_info);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_timer = new QTimer(this);
    m_timer->setInterval(kPreviewIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &CTextScrollDlg::AdvancePreview);

    connect(m_message, &QLineEdit::textChanged, this, &CTextScrollDlg::Refresh);
    connect(m_size, &QComboBox::currentIndexChanged, this, [this] {
        // The row keeps the line on the sign; a centred line stays centred.
        m_row->setMaximum(LastTextRow(m_size->currentData().toInt()));
        RefreshDefaultFont();
        Refresh();
    });
    connect(m_font, &QComboBox::currentIndexChanged, this, &CTextScrollDlg::Refresh);
    connect(m_row, &QSpinBox::valueChanged, this, &CTextScrollDlg::Refresh);
    connect(m_step, &QSpinBox::valueChanged, this, &CTextScrollDlg::Refresh);
    RefreshDefaultFont();
    Refresh();
    m_timer->start();
}

STextScrollOptions CTextScrollDlg::Options() const {
    STextScrollOptions options;
    options.message = m_message->text().toStdString();
    options.size = m_size->currentData().toInt();
    options.family = m_font->currentData().toString().toStdString();
    if (m_row->value() != kCentredRow)
        options.row = m_row->value();
    options.step = m_step->value();
    return options;
}

int CTextScrollDlg::ScreenCount() const {
    return m_text ? m_text->ScreenCount() : 0;
}

void CTextScrollDlg::AdvancePreview() {
    const int count = ScreenCount();
    m_frame = count > 0 ? (m_frame + 1) % count : 0;
    ShowFrame();
}

void CTextScrollDlg::RefreshDefaultFont() {
    const std::string family = DefaultTextFamily(m_view, m_size->currentData().toInt());
    m_font->setItemText(0, Utf8("標準 (") + QString::fromStdString(family) + Utf8(")"));
}

void CTextScrollDlg::Refresh() {
    const STextScrollOptions options = Options();
    const STextFont font = TextFontOf(m_view, options);
    m_text = RenderScrollingText(m_view, options, font);
    m_frame = 0;
    if (!m_text) {
        m_info->setText(QString::fromStdString(FormatMessage(kNoFontText, {font.family})));
    } else if (m_text->ScreenCount() > kMaxScreens) {
        m_info->setText(Utf8(kCapacityText));
    } else {
        m_info->setText(QString::number(m_text->ScreenCount()) + Utf8(" スクリーン"));
    }
    m_ok->setEnabled(!options.message.empty());
    ShowFrame();
}

void CTextScrollDlg::ShowFrame() {
    std::array<Word, kWordsPerScreen> screen{};
    if (m_text)
        m_text->Screen(m_frame, screen.data());
    m_preview->SetScreen(screen);
}
