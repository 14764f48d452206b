#include "app/qt/CharEntryDlg.h"

#include "store/FormValues.h"
#include "view/qt/Cp932Validator.h"
#include "view/qt/ShellDialogs.h"
#include "view/qt/ShellResources.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {} // namespace

const char* CCharEntryDlg::TitleOf(int size) {
    return size == 32 ? "文字入力　３２×３２ドット" : "文字入力　１６×１６ドット";
}

CCharEntryDlg::CCharEntryDlg(int size, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(TitleOf(size)));
    setFont(FormFont());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_edit = new QLineEdit(this);
    m_edit->setValidator(
        new CCp932Validator(size == 32 ? kText32MaxBytes : kText16MaxBytes, m_edit));

    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_edit->setMinimumWidth(200);
    m_edit->setFocus();
}

QString CCharEntryDlg::Text() const {
    return m_edit->text();
}
