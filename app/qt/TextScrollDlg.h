#pragma once

#include "edit/ScrollingText.h"

#include <QDialog>

#include <optional>

class CScreenPreview;
class CViewCore;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

// The options of "テキストスクロール": the message, the line's height, its
// font, its row and the step, with a preview of the sign that plays the
// screens they make, one every 100 ms, from the first again after the last.
// The preview is drawn by the core (CScrollingText) with the view's
// rasterizer, so it shows what OK writes.
class CTextScrollDlg : public QDialog {
    Q_OBJECT
public:
    // A dialog showing `options`, drawing with `view`'s fonts.
    CTextScrollDlg(CViewCore& view, const STextScrollOptions& options, QWidget* parent = nullptr);

    // The options as the dialog holds them. The font is empty while the
    // size's default is chosen.
    STextScrollOptions Options() const;

    // How many screens the options make (0 when the font cannot be had),
    // and the one the preview shows (from 0).
    int ScreenCount() const;
    int PreviewScreen() const { return m_frame; }

    // Shows the next screen of the preview; what the preview's timer does.
    void AdvancePreview();

    QLineEdit* MessageEdit() const { return m_message; }
    QComboBox* SizeBox() const { return m_size; }
    QComboBox* FontBox() const { return m_font; }
    QSpinBox* RowBox() const { return m_row; }
    QSpinBox* StepBox() const { return m_step; }
    CScreenPreview* Preview() const { return m_preview; }
    QLabel* InfoLabel() const { return m_info; }
    QPushButton* OkButton() const { return m_ok; }
    QTimer* PreviewTimer() const { return m_timer; }

private:
    // Draws the text again after a change and starts the preview over.
    void Refresh();
    // Names the default font of the chosen size in the font box's first entry.
    void RefreshDefaultFont();
    void ShowFrame();

    CViewCore& m_view;
    std::optional<CScrollingText> m_text;
    int m_frame = 0;
    QLineEdit* m_message = nullptr;
    QComboBox* m_size = nullptr;
    QComboBox* m_font = nullptr;
    QSpinBox* m_row = nullptr;
    QSpinBox* m_step = nullptr;
    CScreenPreview* m_preview = nullptr;
    QLabel* m_info = nullptr;
    QPushButton* m_ok = nullptr;
    QTimer* m_timer = nullptr;
};
