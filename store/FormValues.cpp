#include "store/FormValues.h"

#include "store/CommandIds.h"

std::string* CFormValues::EditText(int controlId) {
    switch (controlId) {
    case IDC_CURRENT_SCREEN:
        return &currentScreen;
    case IDC_TEXT16:
        return &text16;
    case IDC_STEP_COUNT:
        return &stepCount;
    case IDC_BREAK_STEP:
        return &breakStep;
    case IDC_TEXT32:
        return &text32;
    case IDC_BANK1_COUNT:
        return &screenCounts[0];
    case IDC_BANK2_COUNT:
        return &screenCounts[1];
    case IDC_BANK3_COUNT:
        return &screenCounts[2];
    case IDC_BANK1_CURRENT:
        return &bankCurrents[0];
    case IDC_BANK2_CURRENT:
        return &bankCurrents[1];
    case IDC_BANK3_CURRENT:
        return &bankCurrents[2];
    default:
        return nullptr;
    }
}

bool* CFormValues::CheckState(int controlId) {
    switch (controlId) {
    case IDC_MACRO_RECORD:
        return &recording;
    case IDC_MACRO_BREAK:
        return &breakFlag;
    default:
        return nullptr;
    }
}

const std::string* CFormValues::EditText(int controlId) const {
    return const_cast<CFormValues*>(this)->EditText(controlId);
}

const bool* CFormValues::CheckState(int controlId) const {
    return const_cast<CFormValues*>(this)->CheckState(controlId);
}
