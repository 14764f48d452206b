#pragma once

#include <array>
#include <string>

// Longest texts of the character edits, in bytes of code page 932: edit
// 1006 (16x16 characters) and edit 1012 (32x32 characters).
inline constexpr int kText16MaxBytes = 6;
inline constexpr int kText32MaxBytes = 3;

// What the form's controls hold, as the user sees them: the texts of the
// edits, the states of the two push-like check boxes and the index of the
// pressed bank button. UpdateData moves values between these and the fields of
// CScreenStore; the shell shows them and writes what the user types straight
// back into them.
struct CFormValues {
    std::string currentScreen;               // edit 1003 (read-only)
    std::string text16;                      // edit 1006
    bool recording = false;                  // check box 1033 "MacroRecord"
    std::string stepCount;                   // edit 1051
    std::string breakStep;                   // edit 1052
    std::string text32;                      // edit 1012
    bool breakFlag = false;                  // check box 1050 "MacroBreak"
    std::array<std::string, 3> screenCounts; // edits 1005, 1008, 1010 (read-only)
    std::array<std::string, 3> bankCurrents; // edits 1004, 1007, 1009 (read-only)
    int bankRadio = -1;                      // radio group 1018, 1090, 1091; -1 = none

    // The text of the edit control `controlId`, or nullptr when the form has
    // no edit of that id.
    std::string* EditText(int controlId);
    const std::string* EditText(int controlId) const;

    // The state of the push-like check box `controlId`, or nullptr when the
    // form has no check box of that id.
    bool* CheckState(int controlId);
    const bool* CheckState(int controlId) const;
};
