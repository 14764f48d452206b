#include "app/CommandTable.h"

#include "app/UndoCommands.h"
#include "edit/BitmapCommands.h"
#include "edit/CharacterImport.h"
#include "edit/ClipCommands.h"
#include "edit/Composition.h"
#include "edit/SpaceCommands.h"
#include "effects/BitMoves.h"
#include "effects/OptionEffects.h"
#include "effects/ScrollEffects.h"
#include "macro/MacroEditing.h"
#include "macro/MacroExport.h"
#include "macro/MacroFile.h"
#include "macro/MacroOptimizer.h"
#include "macro/MacroRecorder.h"
#include "store/CommandIds.h"
#include "store/FindById.h"
#include "store/Platform.h"
#include "store/ViewCore.h"
#include "view/Navigation.h"
#include "view/Preview.h"
#include "view/ShapeDrawing.h"

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
    // Page Down and Page Up: the scroll bar's arrows, which record their own
    // go-to-screen steps.
    SCommand{.id = ID_NEXT_SCREEN, .plain = NextScreen},
    SCommand{.id = ID_PREVIOUS_SCREEN, .plain = PreviousScreen},

    // Screen editing: the clips, spaces, AND / OR and bitmap files.
    SCommand{.id = ID_EDIT_COPY,
             .plain = CopyScreen,
             .plainStep = EStep::CopyScreen,
             .shift = CopyRange,
             .shiftStep = EStep::CopyRange},
    SCommand{.id = ID_EDIT_CUT,
             .plain = CutScreen,
             .plainStep = EStep::CutScreen,
             .shift = CutRange,
             .shiftStep = EStep::CutRange},
    SCommand{.id = ID_EDIT_PASTE,
             .plain = PasteScreen,
             .plainStep = EStep::PasteScreen,
             .shift = PasteRange,
             .shiftStep = EStep::PasteRange},
    SCommand{.id = ID_REVERSE,
             .plain = ReverseScreen,
             .plainStep = EStep::ReverseScreen,
             .shift = ReverseRange,
             .shiftStep = EStep::ReverseRange},
    SCommand{.id = ID_SPACE_INSERT,
             .plain = InsertSpace,
             .plainStep = EStep::InsertSpace,
             .shift = AppendSpace,
             .shiftStep = EStep::AppendSpace},
    SCommand{.id = ID_SPACE_DELETE,
             .plain = DeleteSpace,
             .plainStep = EStep::DeleteSpace,
             .shift = DropLastScreen,
             .shiftStep = EStep::DropLastScreen},
    SCommand{.id = ID_AND,
             .plain = AndScreen,
             .plainStep = EStep::AndScreen,
             .shift = AndRange,
             .shiftStep = EStep::AndRange},
    SCommand{.id = ID_OR,
             .plain = OrScreen,
             .plainStep = EStep::OrScreen,
             .shift = OrRange,
             .shiftStep = EStep::OrRange},
    SCommand{.id = ID_BITMAP_IMPORT, .plain = ImportBitmap, .plainStep = EStep::BitmapImport},
    SCommand{.id = ID_BITMAP_SAVE, .plain = ExportBitmap},

    // Scroll, reverse and copy-to-all effects.
    SCommand{.id = IDC_BUTTON1, .plain = ScrollUp, .plainStep = EStep::ScrollUp},
    SCommand{.id = IDC_BUTTON2, .plain = ScrollDown, .plainStep = EStep::ScrollDown},
    SCommand{.id = IDC_BUTTON3,
             .plain = ReverseOrder,
             .plainStep = EStep::ReverseOrder,
             .handler = OnReverseOrderButton},
    SCommand{.id = IDC_BUTTON4, .plain = ScrollLeft, .plainStep = EStep::ScrollLeft},
    SCommand{.id = IDC_BUTTON5, .plain = ScrollRight, .plainStep = EStep::ScrollRight},
    SCommand{.id = IDC_BUTTON6, .plain = CopyToAll, .plainStep = EStep::CopyToAll},

    // Option effects: their step codes are not in button order.
    SCommand{.id = IDC_OPTION1, .plain = CurtainOpen, .plainStep = EStep::CurtainOpen},
    SCommand{.id = IDC_OPTION2, .plain = CurtainClose, .plainStep = EStep::CurtainClose},
    SCommand{.id = IDC_OPTION3, .plain = TopBottomOpen, .plainStep = EStep::TopBottomOpen},
    SCommand{.id = IDC_OPTION4, .plain = TopBottomClose, .plainStep = EStep::TopBottomClose},
    SCommand{.id = IDC_OPTION5, .plain = RotateTop16, .plainStep = EStep::RotateTop16},
    SCommand{.id = IDC_OPTION6, .plain = RotateBottom16, .plainStep = EStep::RotateBottom16},

    // Bit moves. A bit-move scroll bar's first arrow is its plain form, the
    // second its SHIFT form.
    SCommand{.id = IDC_BIT_VSCROLL,
             .plain = BitUp,
             .plainStep = EStep::BitUp,
             .shift = BitDown,
             .shiftStep = EStep::BitDown,
             .scroll = OnBitVScroll},
    SCommand{.id = IDC_BIT_HSCROLL,
             .plain = BitLeft,
             .plainStep = EStep::BitLeft,
             .shift = BitRight,
             .shiftStep = EStep::BitRight,
             .scroll = OnBitHScroll},
    SCommand{.id = IDC_MOVE_LEFT16, .plain = MoveLeft16, .plainStep = EStep::MoveLeft16},
    SCommand{.id = IDC_MOVE_RIGHT16, .plain = MoveRight16, .plainStep = EStep::MoveRight16},

    // The macro panel.
    SCommand{.id = IDC_MACRO_RECORD, .plain = ToggleRecording},
    SCommand{.id = IDC_MACRO_START, .plain = StartMacro},
    SCommand{.id = IDC_MACRO_BREAK, .plain = ToggleBreak},
    SCommand{.id = IDC_MACRO_CLEAR, .plain = ClearMacro},
    SCommand{.id = IDC_OPTIMIZE, .plain = OptimizeMacro},
    SCommand{.id = IDC_MACRO_SAVE, .plain = SaveMacro},
    SCommand{.id = IDC_MACRO_LOAD, .plain = LoadMacro},
    SCommand{.id = IDC_MACRO_INS, .plain = BeginInsert},
    SCommand{.id = IDC_MACRO_DEL, .plain = DeleteStep},
    SCommand{.id = IDC_MACRO_EXPORT, .plain = ExportMacroText},

    // Character import. A replayed import asks for its text first.
    SCommand{
        .id = IDC_IMPORT16, .plain = ImportCharacters16, .plainStep = EStep::ImportCharacters16},
    SCommand{
        .id = IDC_IMPORT32, .plain = ImportCharacters32, .plainStep = EStep::ImportCharacters32},
    SCommand{.id = ID_FONT16, .plain = ChooseImportFont16},
    SCommand{.id = ID_FONT32, .plain = ChooseImportFont32},

    // The drawing tools: like mouse drawing, never recorded.
    SCommand{.id = ID_TOOL_PEN, .plain = SelectPenTool},
    SCommand{.id = ID_TOOL_LINE, .plain = SelectLineTool},
    SCommand{.id = ID_TOOL_RECTANGLE, .plain = SelectRectangleTool},
    SCommand{.id = ID_TOOL_FILL, .plain = SelectFillTool},

    // Undo and redo: never recorded, and no undo records of their own.
    SCommand{.id = ID_EDIT_UNDO, .plain = Undo},
    SCommand{.id = ID_EDIT_REDO, .plain = Redo},
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

bool WorksOnCurrentScreen(const SCommand& command) {
    switch (command.plainStep) {
    case EStep::None:
        // Of the commands without a step, only "Bitmap保存" takes a screen.
        return command.id == ID_BITMAP_SAVE;
    case EStep::GoToFirst:
    case EStep::GoToLast:
    case EStep::Select1:
    case EStep::Select2:
    case EStep::Select3:
        return false;
    default:
        return true;
    }
}

std::span<const SCommand> CommandTable() {
    return kCommands;
}

const SCommand* FindCommand(int id) {
    return FindById(kCommands, id);
}

void RunCommand(CViewCore& view, const SCommand& command) {
    const CUndoScope undo(view, command);
    if (WorksOnCurrentScreen(command))
        TakeScreenOnDisplay(view);
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
