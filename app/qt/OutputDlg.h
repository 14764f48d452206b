#pragma once

#include "output/OutputSettings.h"

#include <QDialog>

#include <functional>

class CWiringEditor;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "LED出力設定": where live output goes (the target as on the command line),
// the colours of lit and unlit dots, DMX channels a dot, the wiring, the
// panel and the screen's offset on it, and "テスト点灯", which lights every
// dot of the sign for a second. OK checks the settings and keeps the dialog
// open with a message box when they do not suit the target.
class COutputDlg : public QDialog {
    Q_OBJECT
public:
    // `test` lights the sign of the settings it is given.
    COutputDlg(const SOutputSettings& settings, std::function<void(const SOutputSettings&)> test,
               QWidget* parent = nullptr);

    // The settings as the dialog holds them.
    SOutputSettings Settings() const;

    QLineEdit* TargetEdit() const { return m_target; }
    QLineEdit* ColourEdit() const { return m_lit; }
    QLineEdit* OffColourEdit() const { return m_off; }
    QCheckBox* DmxRgbBox() const { return m_dmxRgb; }
    CWiringEditor* WiringEditor() const { return m_wiring; }
    QSpinBox* PanelWidthBox() const { return m_panelWidth; }
    QSpinBox* PanelHeightBox() const { return m_panelHeight; }
    QSpinBox* OffsetXBox() const { return m_offsetX; }
    QSpinBox* OffsetYBox() const { return m_offsetY; }
    QPushButton* TestButton() const { return m_test; }
    QPushButton* OkButton() const { return m_ok; }

    void accept() override;

private:
    // Checks the settings; shows why they do not suit and returns false.
    bool Check();
    // Greys what the target does not use.
    void RefreshEnabled();

    std::function<void(const SOutputSettings&)> m_testLighting;
    QLineEdit* m_target = nullptr;
    QLineEdit* m_lit = nullptr;
    QLineEdit* m_off = nullptr;
    QCheckBox* m_dmxRgb = nullptr;
    CWiringEditor* m_wiring = nullptr;
    QSpinBox* m_panelWidth = nullptr;
    QSpinBox* m_panelHeight = nullptr;
    QSpinBox* m_offsetX = nullptr;
    QSpinBox* m_offsetY = nullptr;
    QPushButton* m_test = nullptr;
    QPushButton* m_ok = nullptr;
};
