#include "app/qt/WiringEditor.h"

#include "view/qt/ShellResources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace {

// In the order of EWiringOrigin and EWiringScan.
const char* const kOrigins[] = {"左上", "右上", "左下", "右下"};
const char* const kScans[] = {"行 (横)", "列 (縦)"};

} // namespace

CWiringEditor::CWiringEditor(const SWiring& wiring, QWidget* parent) : QWidget(parent) {
    m_origin = new QComboBox(this);
    for (const char* name : kOrigins)
        m_origin->addItem(Utf8(name));
    m_origin->setCurrentIndex(static_cast<int>(wiring.origin));
    m_scan = new QComboBox(this);
    for (const char* name : kScans)
        m_scan->addItem(Utf8(name));
    m_scan->setCurrentIndex(static_cast<int>(wiring.scan));
    m_serpentine = new QCheckBox(Utf8("折り返し"), this);
    m_serpentine->setChecked(wiring.serpentine);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(Utf8("始点"), this));
    row->addWidget(m_origin);
    row->addWidget(m_scan);
    row->addWidget(m_serpentine);
    row->addStretch();
}

SWiring CWiringEditor::Wiring() const {
    return {static_cast<EWiringOrigin>(m_origin->currentIndex()),
            static_cast<EWiringScan>(m_scan->currentIndex()), m_serpentine->isChecked()};
}
