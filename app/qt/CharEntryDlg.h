#pragma once

#include <QDialog>

class QLineEdit;

// The character-entry dialog of character import and macro playback: one
// edit for the characters to import, limited to 6 bytes of code page 932 for
// the 16 x 16 size and 3 bytes for 32 x 32, empty when shown; OK and Cancel.
class CCharEntryDlg : public QDialog {
    Q_OBJECT
public:
    // `size` is 16 or 32; any other size is taken as 16.
    CCharEntryDlg(int size, QWidget* parent = nullptr);

    // The text typed (meaningful after OK).
    QString Text() const;

    // The title of the dialog of a size.
    static const char* TitleOf(int size);

private:
    QLineEdit* m_edit = nullptr;
};
