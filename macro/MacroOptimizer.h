#pragma once

#include <string>
#include <string_view>

class CViewCore;

// Shortening a macro: a run of consecutive go-to-screen steps only ever leaves
// the last one in effect, so each run is cut down to that step.

// The macro code string `code` with every run of consecutive go-to-screen
// tokens reduced to its last token. Other tokens keep their order, unknown
// ones included (they end a run); only scanned tokens are kept, so a
// trailing fragment without its comma is dropped. A go-to-screen token that
// stays but lacks its own "]" is written "[N]" with the number N it plays in
// `code`, so that what the macro does never changes. Applying it twice gives
// what applying it once gives.
std::string OptimizedMacroCode(std::string_view code);

// "optimization": the macro code string becomes OptimizedMacroCode of itself
// and the list is rebuilt (no line selected). Cannot fail; returns true.
bool OptimizeMacro(CViewCore& view);
