#pragma once

#include "edit/ScreenExport.h"

#include <QDialog>

class CWiringEditor;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The options of one export of the Tools menu: the range of screens (the
// whole bank unless changed) and what the format needs: scale, style and
// delay for a GIF, scale, style and columns for a PNG, and for C source the
// layout, the wiring of the strip layout (enabled for it alone), PROGMEM and
// the array's name.
class CExportDlg : public QDialog {
    Q_OBJECT
public:
    // A dialog for `format` over a bank of `screenCount` screens (at least
    // 1), its fields set from `initial` (the choices of the last export);
    // the range is always the whole bank and the C name empty.
    CExportDlg(EExportFormat format, int screenCount, const SExportOptions& initial = {},
               QWidget* parent = nullptr);

    // The options as the dialog holds them; what it does not show is as
    // `initial` gave it.
    SExportOptions Options() const;

    QSpinBox* FromBox() const { return m_from; }
    QSpinBox* ToBox() const { return m_to; }
    QSpinBox* ScaleBox() const { return m_scale; }
    QComboBox* StyleBox() const { return m_style; }
    QSpinBox* DelayBox() const { return m_delay; }
    QSpinBox* ColumnsBox() const { return m_columns; }
    QComboBox* LayoutBox() const { return m_layout; }
    CWiringEditor* WiringEditor() const { return m_wiring; }
    QCheckBox* ProgmemCheck() const { return m_progmem; }
    QLineEdit* NameEdit() const { return m_name; }
    QPushButton* OkButton() const { return m_ok; }

private:
    void RefreshOk();
    void RefreshWiring();

    EExportFormat m_format;
    SExportOptions m_initial;
    QSpinBox* m_from = nullptr;
    QSpinBox* m_to = nullptr;
    QSpinBox* m_scale = nullptr;
    QComboBox* m_style = nullptr;
    QSpinBox* m_delay = nullptr;
    QSpinBox* m_columns = nullptr;
    QComboBox* m_layout = nullptr;
    CWiringEditor* m_wiring = nullptr;
    QCheckBox* m_progmem = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_ok = nullptr;
};
