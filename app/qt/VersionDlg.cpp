#include "app/qt/VersionDlg.h"

#include "view/FormTemplate.h"
#include "view/qt/ShellResources.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

QRect Pixels(int x, int y, int cx, int cy) {
    const CRect rect = DluToPixels(CDluRect{x, y, cx, cy});
    return {rect.left, rect.top, rect.Width(), rect.Height()};
}

QLabel* AddText(QWidget* parent, const char* text, const QRect& rect) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Eight dialog units are less than a line of the font: the label takes
    // the font's full height, or the descenders are cut off.
    label->setGeometry(rect.x(), rect.y(), rect.width(),
                       std::max(rect.height(), label->fontMetrics().height()));
    return label;
}

} // namespace

CVersionDlg::CVersionDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報(Glowmotion)"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(FormFont());
    setFixedSize(Pixels(0, 0, 217, 55).size());

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->move(Pixels(11, 17, 0, 0).topLeft());
    icon->resize(32, 32);

    AddText(this, "Glowmotion 32 Version 1.1", Pixels(40, 15, 119, 8));
    AddText(this, "Copyright (C) 2026 Corvane", Pixels(40, 31, 119, 8));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(Pixels(178, 7, 32, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
