#pragma once

#include "macro/StepCodes.h"

#include <span>
#include <string_view>

class CViewCore;

// One macro step code: its number, the label the macro list shows and the
// text export writes, and the operation the player runs for it (nullptr for
// an operation this build does not have, which plays as nothing).
struct SStep {
    int code;
    const char* label;
    void (*replay)(CViewCore& view);
};

// The 42 step codes in code order: entry i holds code i + 1.
std::span<const SStep> StepTable();

// The step of `code`, or nullptr when code is not 1..42.
const SStep* FindStep(int code);

// The step code a token names when it is exactly "1" .. "42" (no sign, no
// leading zero, nothing else); 0 for any other token.
int StepCodeOf(std::string_view token);
