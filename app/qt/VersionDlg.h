#pragma once

#include <QDialog>

// The version dialog of Help > ﾊﾞｰｼﾞｮﾝ情報: the icon, the program name and
// version, a copyright line and OK, laid out in dialog units like the form.
class CVersionDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVersionDlg(QWidget* parent = nullptr);
};
