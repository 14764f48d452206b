#include "app/qt/OutputDlg.h"

#include "app/qt/WiringEditor.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "view/qt/ShellDialogs.h"
#include "view/qt/ShellResources.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const char* const kTargetHelp =
    "e131://ホスト/ユニバース　artnet://ホスト/ユニバース\n"
    "ddp://ホスト　tpm2net://ホスト　ft://ホスト　tpm2:/dev/ttyACM0?baud=115200\n"
    "(ホストの後に :ポート を付けられます)";

QLineEdit* HexColourEdit(QWidget* parent, const SLedColour& colour) {
    auto* edit = new QLineEdit(QString::fromStdString(RgbText(colour)), parent);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,6}")), edit));
    edit->setMaxLength(6);
    return edit;
}

} // namespace

COutputDlg::COutputDlg(const SOutputSettings& settings,
                       std::function<void(const SOutputSettings&)> test, QWidget* parent)
    : QDialog(parent), m_testLighting(std::move(test)) {
    setWindowTitle(Utf8("LED出力設定"));
    setFont(FormFont());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const SOutputOptions& o = settings.options;

    auto* form = new QFormLayout;
    m_target = new QLineEdit(QString::fromStdString(settings.target), this);
    m_target->setPlaceholderText(QStringLiteral("ddp://192.168.1.50"));
    m_target->setMinimumWidth(320);
    form->addRow(Utf8("出力先:"), m_target);
    auto* help = new QLabel(Utf8(kTargetHelp), this);
    help->setEnabled(false);
    form->addRow(QString(), help);

    m_lit = HexColourEdit(this, o.lit);
    m_off = HexColourEdit(this, o.off);
    auto* colours = new QHBoxLayout;
    colours->addWidget(new QLabel(Utf8("点灯"), this));
    colours->addWidget(m_lit);
    colours->addWidget(new QLabel(Utf8("消灯"), this));
    colours->addWidget(m_off);
    colours->addStretch();
    form->addRow(Utf8("色 (RRGGBB):"), colours);
    m_dmxRgb = new QCheckBox(Utf8("E1.31/Art-Net で1ドット3チャンネル (RGB) にする"), this);
    m_dmxRgb->setChecked(o.dmxRgb);
    form->addRow(QString(), m_dmxRgb);

    m_wiring = new CWiringEditor(o.wiring, this);
    form->addRow(Utf8("配線:"), m_wiring);

    m_panelWidth = SpinBox(this, 1, kMaxPanelSide, o.panelWidth);
    m_panelHeight = SpinBox(this, 1, kMaxPanelSide, o.panelHeight);
    auto* panel = new QHBoxLayout;
    panel->addWidget(m_panelWidth);
    panel->addWidget(new QLabel(QStringLiteral("x"), this));
    panel->addWidget(m_panelHeight);
    panel->addWidget(new QLabel(Utf8("ドット"), this));
    panel->addStretch();
    form->addRow(Utf8("パネル:"), panel);
    m_offsetX = SpinBox(this, -kMaxPanelOffset, kMaxPanelOffset, o.offsetX);
    m_offsetY = SpinBox(this, -kMaxPanelOffset, kMaxPanelOffset, o.offsetY);
    auto* offset = new QHBoxLayout;
    offset->addWidget(new QLabel(QStringLiteral("X"), this));
    offset->addWidget(m_offsetX);
    offset->addWidget(new QLabel(QStringLiteral("Y"), this));
    offset->addWidget(m_offsetY);
    offset->addStretch();
    form->addRow(Utf8("スクリーンの位置:"), offset);

    QDialogButtonBox* buttons = OkCancelButtons(this, &m_ok);
    m_test = buttons->addButton(Utf8("テスト点灯"), QDialogButtonBox::ActionRole);
    connect(m_test, &QPushButton::clicked, this, [this] {
        if (Check() && m_testLighting)
            m_testLighting(Settings());
    });
    connect(m_target, &QLineEdit::textChanged, this, &COutputDlg::RefreshEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    RefreshEnabled();
}

SOutputSettings COutputDlg::Settings() const {
    SOutputSettings settings;
    settings.target = m_target->text().trimmed().toStdString();
    SOutputOptions& o = settings.options;
    o.lit = ParseRgb(m_lit->text().toStdString()).value_or(o.lit);
    o.off = ParseRgb(m_off->text().toStdString()).value_or(o.off);
    o.dmxRgb = m_dmxRgb->isChecked();
    o.wiring = m_wiring->Wiring();
    o.panelWidth = m_panelWidth->value();
    o.panelHeight = m_panelHeight->value();
    o.offsetX = m_offsetX->value();
    o.offsetY = m_offsetY->value();
    return settings;
}

bool COutputDlg::Check() {
    std::string error;
    if (!ParseRgb(m_lit->text().toStdString()) || !ParseRgb(m_off->text().toStdString())) {
        error = "色は RRGGBB (16進数6桁) で指定してください。";
    } else if (CheckOutputSettings(Settings(), error)) {
        return true;
    }
    ShowMessageBox(this, error, kAppCaption, MB_ICONEXCLAMATION);
    return false;
}

void COutputDlg::RefreshEnabled() {
    std::string ignored;
    const std::optional<SOutputTarget> target =
        ParseOutputTarget(m_target->text().trimmed().toStdString(), ignored);
    // A picture for FlaschenTaschen: the server has its own size and order.
    const bool picture = target && target->kind == EOutputKind::FlaschenTaschen;
    for (QWidget* widget : {static_cast<QWidget*>(m_wiring), static_cast<QWidget*>(m_panelWidth),
                            static_cast<QWidget*>(m_panelHeight)})
        widget->setEnabled(!picture);
    m_dmxRgb->setEnabled(!target || IsDmxKind(target->kind));
}

void COutputDlg::accept() {
    if (Check())
        QDialog::accept();
}
