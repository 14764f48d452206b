#pragma once

#include "macro/StepCodes.h"

#include <array>
#include <cstddef>

class CViewCore;

// An operation a step code replays. Returns whether a handler would record
// the step; the player ignores it.
using FStepOperation = bool (*)(CViewCore& view);

// What the player replays through: the operation of each step code (nullptr
// for one this build lacks, which plays as nothing) and the go-to-screen
// step. The application builds it from its command table.
struct SReplayTable {
    std::array<FStepOperation, kStepCodeCount + 1> operations{}; // index = code
    void (*goToScreen)(CViewCore& view, int screen) = nullptr;

    // The operation of `code`, or nullptr for an unknown code or a missing one.
    FStepOperation Operation(int code) const {
        return code >= 1 && code <= kStepCodeCount ? operations[static_cast<std::size_t>(code)]
                                                   : nullptr;
    }
};

// "MacroStart": replays the macro code string from its first token, running
// each step code's operation from `replay` directly (nothing is recorded,
// SHIFT is not read) and the go-to-screen step for each go-to-screen token,
// whose number is pulled into 1..800. With a break step B >= 1 it stops after
// B tokens, counting every token, known or not. An operation that shows a
// message and returns carries on to the next step; one that calls
// StopPlayback ends the playback after its own step. The playback flag is 1
// exactly while it runs and 0 afterwards, however it ended.
void PlayMacro(CViewCore& view, const SReplayTable& replay);

// For an operation that ends its command with an error the way the framework
// ends one (a file it cannot read, already reported): when a macro is
// playing, no step after the current one is played. The operation may call
// it whether or not a macro is playing; outside a playback it does nothing.
void StopPlayback(CViewCore& view);

// "MacroBreak": takes the form into the fields; when the break is now on, the
// break step becomes the number of tokens up to and including the token of
// the selected line (the line + 1 unless tokens that show no line come
// before it; 0 without a selection); when it is off, the break step becomes
// 0 and the macro list is rebuilt.
bool ToggleBreak(CViewCore& view);
