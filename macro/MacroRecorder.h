#pragma once

#include "macro/StepCodes.h"

#include <string>
#include <string_view>
#include <vector>

class CViewCore;

// Recording of macro steps: the macro code string and the macro list, kept
// aligned token for line.

// Records step `step` with its label, when the recording flag is 1
// and no macro is playing; otherwise does nothing. The token and its comma
// are appended to the macro code string and the label goes into the list at
// the insert position (appended and selected in the normal case); a pending
// insert is then completed. The step count follows the list.
void RecordStep(CViewCore& view, EStep step);

// Records a go-to-screen step to screen `screen` ("[N]," and the line N),
// under the same conditions as RecordStep.
void RecordGoToScreen(CViewCore& view, int screen);

// Completes an insert: the macro code string (the one step just recorded)
// goes in before the token of list line insert position of the held code
// string (after its last token when there is no such line), the result
// becomes the macro code string, the insert position returns to -1 and the
// macro buttons are enabled again.
void MergePendingInsert(CViewCore& view);

// Refills the macro list from the macro code string (from the held code
// string while an insert is pending): one line per step code token (its
// label) and per go-to-screen token (its number as written, read as code
// page 932); other tokens add no line. No line is selected; the step count
// follows.
void RebuildMacroList(CViewCore& view);

// Sets the step count to the number of list lines, shows it in the form and
// tells the platform that the list changed.
void ShowMacroStepCount(CViewCore& view);

// The list lines of a macro code string, as RebuildMacroList shows them.
std::vector<std::string> MacroListLines(const std::string& code);

// The index, in scan order, of the token that line `line` of the list of
// `code` shows; -1 when the list has no such line. Equal to `line` unless
// tokens that show no line come before it.
int TokenOfLine(std::string_view code, int line);

// "MacroRecord": takes the form into the fields, which sets the recording
// flag from the check box.
bool ToggleRecording(CViewCore& view);

// Enables or disables the nine macro buttons that an insert locks.
void EnableMacroButtons(CViewCore& view, bool enabled);

// Selects the last list line and shows the step count again (what the
// front/back-reverse button does after recording its step).
void SelectLastMacroLine(CViewCore& view);
