#include "view/qt/ReadOnlyEdit.h"

#include <QEvent>
#include <QGlyphRun>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// QLineEdit's margin left of the text inside its contents rectangle.
constexpr int kHorizontalMargin = 2;
constexpr qsizetype kMaxQuickDigits = 8;

bool IsDigits(const QString& text) {
    return !text.isEmpty() && text.size() <= kMaxQuickDigits &&
           std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

} // namespace

CReadOnlyEdit::CReadOnlyEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
}

void CReadOnlyEdit::ShowText(const std::string& asked, bool quick) {
    if (asked == m_asked && quick == m_askedQuick)
        return;
    m_asked = asked;
    m_askedQuick = quick;
    const QString text = QString::fromStdString(asked);
    if (quick && IsDigits(text) && PrepareDigits()) {
        m_quickText = text;
        m_quick = true;
        // Drawn whole from the panel's picture: nothing under the box needs
        // painting first.
        setAttribute(Qt::WA_OpaquePaintEvent, true);
        update();
        return;
    }
    const bool wasQuick = m_quick;
    m_quick = false;
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    if (this->text() != text)
        setText(text);
    else if (wasQuick)
        update();
}

void CReadOnlyEdit::Settle() {
    if (m_quick)
        ShowText(m_asked, false);
}

bool CReadOnlyEdit::PrepareDigits() {
    if (m_digitsReady)
        return true;
    m_rawFont = QRawFont::fromFont(font(), QFontDatabase::Latin);
    if (!m_rawFont.isValid())
        return false;
    const QList<quint32> glyphs = m_rawFont.glyphIndexesForString(QStringLiteral("0123456789"));
    if (glyphs.size() != 10 || std::count(glyphs.begin(), glyphs.end(), 0u) != 0)
        return false;
    const QList<QPointF> advances = m_rawFont.advancesForGlyphIndexes(glyphs);
    for (int digit = 0; digit < 10; ++digit) {
        m_glyphs[static_cast<size_t>(digit)] = glyphs[digit];
        m_advances[static_cast<size_t>(digit)] = advances.value(digit).x();
    }
    const QFontMetrics metrics = fontMetrics();
    m_ascent = metrics.ascent();
    m_lineHeight = metrics.height();
    m_digitsReady = true;
    return true;
}

const QPixmap& CReadOnlyEdit::Panel() {
    const qreal ratio = devicePixelRatioF();
    if (m_panel.isNull() || m_panel.deviceIndependentSize() != QSizeF(size()) ||
        m_panel.devicePixelRatio() != ratio || m_panelEnabled != isEnabled() ||
        m_panelPalette != palette().cacheKey()) {
        m_panel = QPixmap(size() * ratio);
        m_panel.setDevicePixelRatio(ratio);
        // On the form's own colour, so that the picture covers every pixel.
        m_panel.fill(parentWidget() != nullptr ? parentWidget()->palette().color(QPalette::Window)
                                               : palette().color(QPalette::Window));
        QPainter painter(&m_panel);
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
        m_panelEnabled = isEnabled();
        m_panelPalette = palette().cacheKey();
        m_contents = style()
                         ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                         .marginsRemoved(textMargins());
    }
    return m_panel;
}

void CReadOnlyEdit::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
        m_digitsReady = false;
        Settle();
        break;
    case QEvent::StyleChange:
        m_panel = QPixmap();
        break;
    default:
        break;
    }
    QLineEdit::changeEvent(event);
}

void CReadOnlyEdit::paintEvent(QPaintEvent* event) {
    if (!m_quick) {
        QLineEdit::paintEvent(event);
        return;
    }
    // The panel and the text where QLineEdit puts them: the contents less
    // the text margins, the line centred in them, the text at its left.
    QPainter painter(this);
    painter.drawPixmap(0, 0, Panel());
    painter.setClipRect(m_contents);
    const int top = m_contents.y() + (m_contents.height() - m_lineHeight + 1) / 2;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    qreal x = 0;
    for (const QChar c : m_quickText) {
        const size_t digit = static_cast<size_t>(c.unicode() - '0');
        glyphs.append(m_glyphs[digit]);
        positions.append(QPointF(x, 0));
        x += m_advances[digit];
    }
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawGlyphRun(QPointF(m_contents.x() + kHorizontalMargin, top + m_ascent), run);
}
