// The command table as a whole: every command of the menus, the toolbar and
// the form reaches a handler, and whatever is recorded replays to the same
// state. Both walk the tables, so commands added later are covered without
// another list.

#include "TestSession.h"

#include "app/CommandInventory.h"
#include "app/CommandTable.h"
#include "store/CommandIds.h"
#include "view/FormTemplate.h"
#include "view/Navigation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// Commands whose work has not landed yet. Every one that lands must leave
// this list: the inventory test fails for a listed id that has a handler.
const std::set<int> kPendingIds = {};

bool IsScrollBar(int id) {
    const SFormControl* control = FindFormControl(id);
    return control != nullptr &&
           (control->kind == EControlKind::HScrollBar || control->kind == EControlKind::VScrollBar);
}

// Every command id a user can reach: menus, toolbar, the form's buttons and
// scroll bars, the bitmap buttons, and the keys.
std::set<int> CommandInventory() {
    std::set<int> ids;
    for (const SAccelerator& accelerator : Accelerators())
        ids.insert(accelerator.id);
    for (const SMenuEntry& entry : MenuBar())
        if (entry.kind == EMenuEntry::Command)
            ids.insert(entry.id);
    for (const int id : ToolbarButtons())
        if (id != 0)
            ids.insert(id);
    for (const SFormControl& control : FormControls()) {
        switch (control.kind) {
        case EControlKind::PushButton:
        case EControlKind::CheckButton:
        case EControlKind::RadioButton:
        case EControlKind::HScrollBar:
        case EControlKind::VScrollBar:
            ids.insert(control.id);
            break;
        default:
            break;
        }
    }
    for (const SBitmapButton& button : FormBitmapButtons())
        ids.insert(button.id);
    return ids;
}

TEST(CommandTable, EveryCommandOfTheInventoryReachesAHandler) {
    CTestSession t;
    const std::set<int> inventory = CommandInventory();
    // 56 of the resource set, 4 exchange commands, undo, redo, onion skin,
    // scrolling text, 2 of live output, 4 drawing tools, the sign window, the
    // filmstrip, 4 preview speeds, and the Page Down and Page Up keys.
    EXPECT_EQ(inventory.size(), 78u);
    for (const int id : inventory) {
        const SCommand* command = FindCommand(id);
        const bool handled = IsScrollBar(id) ? command != nullptr && command->scroll != nullptr
                                             : CDispatcher::HandlesCommand(id);
        if (IsFrameCommand(id))
            EXPECT_FALSE(handled) << id << " is the window's, not the form's";
        else if (kPendingIds.count(id) != 0)
            EXPECT_FALSE(handled) << id << " has landed: take it off the pending list";
        else
            EXPECT_TRUE(handled) << id << " reaches no handler";
    }
    // Every row belongs to a command a user can reach.
    for (const SCommand& command : CommandTable())
        EXPECT_EQ(inventory.count(command.id), 1u) << command.id;
}

TEST(CommandTable, StepCodesHaveOneCommandEachAndReplayWhatIsClicked) {
    std::set<int> claimed;
    for (const SCommand& command : CommandTable()) {
        for (const auto& [operation, step] :
             {std::pair{command.plain, command.plainStep}, {command.shift, command.shiftStep}}) {
            if (step == EStep::None)
                continue;
            EXPECT_TRUE(claimed.insert(StepNumber(step)).second)
                << "step " << StepNumber(step) << " claimed twice";
            EXPECT_EQ(ReplayTable().Operation(StepNumber(step)), operation);
        }
    }
    EXPECT_EQ(ReplayTable().Operation(0), nullptr);
    EXPECT_EQ(ReplayTable().Operation(kStepCodeCount + 1), nullptr);
}

TEST(CommandTable, AnIdWithoutHandlerIsReported) {
    CTestSession t;
    EXPECT_FALSE(t.Click(12345));
    EXPECT_FALSE(t.dispatch.OnScroll(IDC_RESET, SB_LINEDOWN, 0));
    EXPECT_EQ(t.platform.unhandledCommands, (std::vector<int>{12345, IDC_RESET}));
    EXPECT_TRUE(t.Click(IDC_FIRST_SCREEN));
    EXPECT_EQ(t.platform.unhandledCommands.size(), 2u);
}

TEST(CommandTable, ClicksSetTheControlsStateBeforeTheCommandRuns) {
    CTestSession t;
    EXPECT_TRUE(t.dispatch.OnClick(IDC_MACRO_RECORD, true));
    EXPECT_EQ(t.s().m_recording, 1);
    EXPECT_TRUE(t.dispatch.OnClick(IDC_SELECT3));
    EXPECT_EQ(t.s().m_currentBank, 2);
    EXPECT_EQ(t.s().m_macroCode, "11,");
    EXPECT_TRUE(t.dispatch.OnClick(IDC_MACRO_RECORD, false));
    EXPECT_EQ(t.s().m_recording, 0);
}

// The entries of the popup titled `title`, its own level only: 0 for a
// separator, -1 for a popup inside it.
std::vector<int> PopupEntries(const char* title) {
    const std::span<const SMenuEntry> menu = MenuBar();
    std::vector<int> entries;
    auto it = menu.begin();
    while (it != menu.end() && !(it->kind == EMenuEntry::Popup && std::string(it->text) == title))
        ++it;
    int depth = 0;
    for (++it; it != menu.end(); ++it) {
        if (it->kind == EMenuEntry::End) {
            if (depth-- == 0)
                break;
            continue;
        }
        if (depth == 0)
            entries.push_back(it->kind == EMenuEntry::Separator ? 0
                              : it->kind == EMenuEntry::Popup   ? -1
                                                                : it->id);
        if (it->kind == EMenuEntry::Popup)
            ++depth;
    }
    return entries;
}

TEST(CommandTable, ToolsViewsAndKeysSitBelowSeparatorsOfTheirOwn) {
    const std::vector<int> tools = {ID_TOOL_PEN, ID_TOOL_LINE, ID_TOOL_RECTANGLE, ID_TOOL_FILL};
    EXPECT_EQ(PopupEntries("描画ツール(&D)"), tools);
    const std::vector<int> toolsMenu = PopupEntries("ﾂｰﾙ(&T)");
    const auto drawing = std::find(toolsMenu.begin(), toolsMenu.end(), -1);
    ASSERT_NE(drawing, toolsMenu.end());
    EXPECT_EQ(*(drawing - 1), 0);
    EXPECT_EQ(PopupEntries("表示(&V)"),
              (std::vector<int>{ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, 0, ID_VIEW_ONION_SKIN, 0,
                                ID_VIEW_SIGN_WINDOW, ID_VIEW_FILMSTRIP, -1}));
    EXPECT_EQ(PopupEntries("再生速度(&S)"),
              (std::vector<int>{ID_VIEW_SPEED_50, ID_VIEW_SPEED_100, ID_VIEW_SPEED_200,
                                ID_VIEW_SPEED_500}));
    // The toolbar ends with a separator and the four tools.
    const std::span<const int> toolbar = ToolbarButtons();
    ASSERT_GE(toolbar.size(), 5u);
    EXPECT_TRUE(std::equal(
        toolbar.end() - 5, toolbar.end(),
        std::vector<int>{0, ID_TOOL_PEN, ID_TOOL_LINE, ID_TOOL_RECTANGLE, ID_TOOL_FILL}.begin()));
    // Each tool's menu text names its key, the key reaches it, and the tools
    // have tooltips and prompts.
    const std::vector<std::pair<int, std::string>> keys = {
        {ID_TOOL_PEN, "P"},         {ID_TOOL_LINE, "L"},        {ID_TOOL_RECTANGLE, "R"},
        {ID_TOOL_FILL, "B"},        {ID_NEXT_SCREEN, "PgDown"}, {ID_PREVIOUS_SCREEN, "PgUp"},
        {IDC_FIRST_SCREEN, "Home"}, {IDC_LAST_SCREEN, "End"},   {IDC_PLAY, "F5"}};
    for (const auto& [id, key] : keys) {
        const auto accelerators = Accelerators();
        EXPECT_EQ(std::count_if(accelerators.begin(), accelerators.end(),
                                [&](const SAccelerator& a) {
                                    return a.id == id && a.keys == key && !a.shiftForm;
                                }),
                  1)
            << key;
        if (const SCommandText* texts = FindCommandText(id)) {
            EXPECT_TRUE(std::string(texts->text).ends_with("\t" + key)) << texts->text;
            EXPECT_NE(texts->toolTip, nullptr);
            EXPECT_NE(texts->prompt, nullptr);
        }
    }
    // The window keeps its own views; the tools are the form's.
    for (const int id :
         {ID_VIEW_SIGN_WINDOW, ID_VIEW_FILMSTRIP, ID_VIEW_SPEED_50, ID_VIEW_SPEED_500})
        EXPECT_TRUE(IsFrameCommand(id)) << id;
    for (const int id : tools)
        EXPECT_TRUE(CDispatcher::HandlesCommand(id)) << id;
}

// Gives every bank twelve screens of distinct dots and makes screen 3 of
// select1 current, the same way in every session.
void Prepare(CTestSession& t) {
    CScreenStore& s = t.s();
    Word seed = 0x9E3779B9u;
    for (int bank = 0; bank < kBankCount; ++bank) {
        for (size_t i = 0; i < 12 * kWordsPerScreen; ++i) {
            seed = seed * 1664525u + 1013904223u;
            s.m_banks[bank][i] = seed;
        }
        s.m_screenCount[bank] = 12;
        s.m_displayedCount[bank] = 12;
    }
    // Texts for the character imports; a replayed import whose dialog goes
    // unanswered (cancelled) takes them again.
    s.m_text16 = s.m_form.text16 = "A漢";
    s.m_text32 = s.m_form.text32 = "字";
    GoToScreen(t.view, 3);
}

TEST(CommandTable, EveryRecordableCommandReplaysToTheSameState) {
    CTestSession recorded;
    Prepare(recorded);
    recorded.Click(IDC_MACRO_RECORD);

    // Every recordable command once, and its SHIFT form (or second arrow)
    // once; then a drag of the screen thumb.
    int steps = 0;
    for (const SCommand& command : CommandTable()) {
        if (command.plainStep == EStep::None && command.shiftStep == EStep::None)
            continue;
        if (command.scroll != nullptr) {
            for (const int code : {SB_LINEUP, SB_LINEDOWN}) {
                recorded.dispatch.OnScroll(command.id, code, 0);
                recorded.dispatch.OnScroll(command.id, SB_ENDSCROLL, 0);
            }
            steps += 2;
            continue;
        }
        recorded.platform.shiftDown = false;
        recorded.Click(command.id);
        ++steps;
        if (command.shift != nullptr) {
            recorded.platform.shiftDown = true;
            recorded.Click(command.id);
            recorded.platform.shiftDown = false;
            ++steps;
        }
    }
    recorded.dispatch.OnScroll(IDC_SCREEN_SCROLL, SB_THUMBTRACK, 5);
    ++steps;
    ASSERT_EQ(recorded.s().m_stepCount, steps) << recorded.s().m_macroCode;

    CTestSession replayed;
    Prepare(replayed);
    replayed.s().m_macroCode = recorded.s().m_macroCode;
    StartMacro(replayed.view);
    ExpectSameScreensAndCounters(recorded.s(), replayed.s());
    EXPECT_EQ(replayed.s().m_macroLines.size(), 0u); // playing records nothing
}

} // namespace
