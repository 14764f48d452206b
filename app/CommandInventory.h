#pragma once

#include <span>

// The commands of the menus, the toolbar and the keyboard as data, shared by
// the window that builds them and the tests that walk them.

// The texts of a command: the menu text with its key hint (nullptr for a
// command only on the toolbar), the status-bar prompt and the tooltip
// (nullptr where it has none).
struct SCommandText {
    int id;
    const char* text;
    const char* prompt;
    const char* toolTip;
};

// The keys of one accelerator, as a key sequence text ("Ctrl+X", "Shift+Del").
// `shiftForm`: the keys hold SHIFT, and they give the command's SHIFT form
// (as SHIFT with its button does) however soon SHIFT is let go.
struct SAccelerator {
    int id;
    const char* keys;
    bool shiftForm = false;
};

// One entry of the menu bar, in order. A popup opens a level that its End
// closes; the recent-file entry stands for the grey "最新のﾌｧｲﾙ" placeholder
// and the up to five recent files that replace it.
enum class EMenuEntry { Popup, Command, Separator, RecentFiles, End };

struct SMenuEntry {
    EMenuEntry kind;
    int id = 0;                 // Command
    const char* text = nullptr; // Popup
};

// Every command with texts, in menu order, then the toolbar-only ones.
std::span<const SCommandText> CommandTexts();

// The texts of command `id`, or nullptr.
const SCommandText* FindCommandText(int id);

// The accelerator table, in its order (a command may have several keys).
std::span<const SAccelerator> Accelerators();

// The menu bar.
std::span<const SMenuEntry> MenuBar();

// The toolbar, left to right; 0 is a separator. The pictures of the strip
// follow the buttons in this order.
std::span<const int> ToolbarButtons();

// Whether the main window itself carries out command `id` (the File, View
// and Help commands, the recent files, and the exports, the GIF import, the
// scrolling text and the live output of the Tools menu, which need its
// dialogs) rather than the form. The drawing tools are the form's: mouse
// drawing depends on them.
bool IsFrameCommand(int id);

// The prompts of Undo and Redo while there is nothing to undo or redo; with
// something to, the prompt names it after kUndoPrefix or kRedoPrefix
// ("元に戻す: 上へスクロール").
inline constexpr const char* kUndoPrompt = "直前の操作を元に戻す";
inline constexpr const char* kRedoPrompt = "元に戻した操作をやり直す";
inline constexpr const char* kUndoPrefix = "元に戻す: ";
inline constexpr const char* kRedoPrefix = "やり直し: ";

// The prompt of the recent-file entries and their placeholder's text.
inline constexpr const char* kRecentFilePrompt = "指定のﾌｧｲﾙを開く";
inline constexpr const char* kRecentFilePlaceholder = "最新のﾌｧｲﾙ";
