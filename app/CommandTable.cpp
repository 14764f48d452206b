#include "app/CommandTable.h"

#include "edit/CharacterImport.h"
#include "macro/MacroRecorder.h"
#include "store/CommandIds.h"
#include "store/Platform.h"
#include "store/ViewCore.h"
#include "view/Navigation.h"
#include "view/Preview.h"

#include <array>

namespace {

// One row per command. Adding a command is an operation and a row here.
const std::array kCommands = {
    // Navigation and preview.
    SCommand{.id = IDC_SCREEN_SCROLL, .scroll = OnScreenScroll},
    SCommand{.id = IDC_FIRST_SCREEN, .plain = GoToFirst, .plainStep = EStep::GoToFirst},
    SCommand{.id = IDC_LAST_SCREEN, .plain = GoToLast, .plainStep = EStep::GoToLast},
    SCommand{.id = IDC_SELECT1, .plain = Select1, .plainStep = EStep::Select1},
    SCommand{.id = IDC_SELECT2, .plain = Select2, .plainStep = EStep::Select2},
    SCommand{.id = IDC_SELECT3, .plain = Select3, .plainStep = EStep::Select3},
    SCommand{.id = IDC_PLAY, .plain = TogglePreview},
    SCommand{.id = IDC_RESET, .plain = Reset},

    // The macro panel.
    SCommand{.id = IDC_MACRO_RECORD, .plain = ToggleRecording},
    SCommand{.id = IDC_MACRO_START, .plain = StartMacro},
    SCommand{.id = IDC_MACRO_BREAK, .plain = ToggleBreak},

    // Character import. A replayed import asks for its text first.
    SCommand{.id = IDC_IMPORT16, .plain = ImportCharacters16,
             .plainStep = EStep::ImportCharacters16},
    SCommand{.id = IDC_IMPORT32, .plain = ImportCharacters32,
             .plainStep = EStep::ImportCharacters32},
    SCommand{.id = ID_FONT16, .plain = ChooseImportFont16},
    SCommand{.id = ID_FONT32, .plain = ChooseImportFont32},
};

SReplayTable BuildReplayTable() {
    SReplayTable table;
    const auto add = [&table](FStepOperation operation, EStep step) {
        if (operation != nullptr && step != EStep::None)
            table.operations[static_cast<size_t>(StepNumber(step))] = operation;
    };
    for (const SCommand& command : kCommands) {
        add(command.plain, command.plainStep);
        add(command.shift, command.shiftStep);
    }
    table.goToScreen = GoToScreen;
    return table;
}

} // namespace

std::span<const SCommand> CommandTable() {
    return kCommands;
}

const SCommand* FindCommand(int id) {
    for (const SCommand& command : kCommands)
        if (command.id == id)
            return &command;
    return nullptr;
}

void RunCommand(CViewCore& view, const SCommand& command) {
    if (command.handler != nullptr) {
        command.handler(view);
        return;
    }
    const bool shift = command.shift != nullptr && view.Platform().IsShiftDown();
    const FStepOperation operation = shift ? command.shift : command.plain;
    const EStep step = shift ? command.shiftStep : command.plainStep;
    if (operation == nullptr)
        return;
    if (operation(view) && step != EStep::None)
        RecordStep(view, step);
}

const SReplayTable& ReplayTable() {
    static const SReplayTable table = BuildReplayTable();
    return table;
}

bool StartMacro(CViewCore& view) {
    PlayMacro(view, ReplayTable());
    return true;
}
