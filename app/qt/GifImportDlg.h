#pragma once

#include "edit/DotConversion.h"
#include "edit/GifReader.h"
#include "store/ScreenGeometry.h"

#include <QDialog>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QSlider;
class QSpinBox;

// The 48 x 32 dots of one screen, drawn small.
class CScreenPreview : public QWidget {
    Q_OBJECT
public:
    explicit CScreenPreview(QWidget* parent = nullptr);
    void SetScreen(const std::array<Word, kWordsPerScreen>& screen);
    const std::array<Word, kWordsPerScreen>& Screen() const { return m_screen; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<Word, kWordsPerScreen> m_screen{};
};

// The options of the GIF import: threshold, invert and fit, with the first
// frame of the GIF shown as dots the way they make it, as they change.
class CGifImportDlg : public QDialog {
    Q_OBJECT
public:
    // A dialog over `firstFrame`, the GIF's first frame (not empty).
    explicit CGifImportDlg(const SGreyImage& firstFrame, QWidget* parent = nullptr);

    // The options as the dialog holds them.
    SDotOptions Options() const;

    QSpinBox* ThresholdBox() const { return m_threshold; }
    QSlider* ThresholdSlider() const { return m_slider; }
    QCheckBox* InvertBox() const { return m_invert; }
    QComboBox* FitBox() const { return m_fit; }
    CScreenPreview* Preview() const { return m_preview; }

private:
    void RefreshPreview();

    SGreyImage m_frame;
    QSpinBox* m_threshold = nullptr;
    QSlider* m_slider = nullptr;
    QCheckBox* m_invert = nullptr;
    QComboBox* m_fit = nullptr;
    CScreenPreview* m_preview = nullptr;
};
