#pragma once

#include "store/DotOrder.h"

#include <QWidget>

class QCheckBox;
class QComboBox;

// The row of a dialog that describes how an LED strip is wired: the corner
// of the first LED ("始点"), rows or columns, and "折り返し" (serpentine).
// The export of strips and live output both use it, so that the two say a
// wiring in the same words.
class CWiringEditor : public QWidget {
    Q_OBJECT
public:
    // A row showing `wiring`.
    explicit CWiringEditor(const SWiring& wiring, QWidget* parent = nullptr);

    // The wiring as the row holds it.
    SWiring Wiring() const;

    QComboBox* OriginBox() const { return m_origin; }
    QComboBox* ScanBox() const { return m_scan; }
    QCheckBox* SerpentineCheck() const { return m_serpentine; }

private:
    QComboBox* m_origin = nullptr;
    QComboBox* m_scan = nullptr;
    QCheckBox* m_serpentine = nullptr;
};
