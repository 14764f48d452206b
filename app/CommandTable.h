#pragma once

#include "macro/MacroPlayer.h"
#include "macro/StepCodes.h"

#include <span>

class CViewCore;

// A command's own handler, for the few whose handling is more than "the
// operation, then its step".
using FCommandHandler = void (*)(CViewCore& view);

// The handler of a scroll bar's notification (SB_* code, thumb position).
using FScrollHandler = void (*)(CViewCore& view, int code, int thumbPosition);

// One command of the menus, the toolbar and the form, as the view handles it.
// `plain` is what a click runs and what the player replays for `plainStep`;
// `shift` is the SHIFT form (for a bit-move scroll bar, its second arrow) with
// its own step. A command with a `handler` runs that instead of the common
// frame; a scroll bar has a `scroll` handler. Commands that are never
// recorded have EStep::None.
struct SCommand {
    int id = 0;
    FStepOperation plain = nullptr;
    EStep plainStep = EStep::None;
    FStepOperation shift = nullptr;
    EStep shiftStep = EStep::None;
    FCommandHandler handler = nullptr;
    FScrollHandler scroll = nullptr;
};

// Every command the view handles, one row each.
std::span<const SCommand> CommandTable();

// The row of command or control `id`, or nullptr when the view has none.
const SCommand* FindCommand(int id);

// Whether `command` works on the current screen or the run from it (the
// effects, the bit moves, screen editing, character and bitmap import and
// "Bitmap保存"), rather than moving around or working on the macro.
bool WorksOnCurrentScreen(const SCommand& command);

// The common handler frame: a command that works on the current screen first
// makes the screen on display current (TakeScreenOnDisplay); then, with a
// SHIFT form and SHIFT held, the SHIFT operation and its step, otherwise the
// plain ones; the step is recorded when the operation says so. A row with a
// handler of its own runs that instead. Whatever the command changes becomes
// one undo record (CUndoScope), which marks the banks it changed.
void RunCommand(CViewCore& view, const SCommand& command);

// What the macro player replays through, built from the table: every step
// code's operation and the go-to-screen step.
const SReplayTable& ReplayTable();

// "MacroStart": plays the macro through ReplayTable().
bool StartMacro(CViewCore& view);
