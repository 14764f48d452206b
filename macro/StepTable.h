#pragma once

#include "macro/StepCodes.h"

#include <span>
#include <string_view>

// One macro step code: its number and the label the macro list shows and the
// text export writes. What the player runs for a code is the command table's
// business (the application layer hands the player its lookup).
struct SStep {
    int code;
    const char* label;
};

// The 42 step codes in code order: entry i holds code i + 1.
std::span<const SStep> StepTable();

// The step of `code`, or nullptr when code is not 1..42.
const SStep* FindStep(int code);

// The step code a token names when it is exactly "1" .. "42" (no sign, no
// leading zero, nothing else); 0 for any other token.
int StepCodeOf(std::string_view token);
