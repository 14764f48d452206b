#pragma once

#include "store/LogFont.h"
#include "store/Platform.h"

#include <functional>
#include <optional>
#include <string>

class QDialog;
class QDialogButtonBox;
class QPushButton;
class QSpinBox;
class QWidget;

// The modal dialogs the window shows for the core and for the File commands:
// message boxes in the Windows manner, the open and save dialogs, the font
// dialog.

// Shows a message box with `caption`, `text`, the buttons and icon of the
// MB_* `type`, Japanese button texts and the first button as the default (the
// second with MB_DEFBUTTON2), after the action of CBeforeMessageBox.
// Returns IDOK, IDCANCEL, IDYES or IDNO; closing the box without a button
// counts as Cancel (No for Yes/No, OK for a box with only OK).
int ShowMessageBox(QWidget* parent, const std::string& text, const std::string& caption,
                   unsigned type);

// Runs an action before every message box ShowMessageBox shows, for its
// lifetime: a progress dialog closes itself through it, so that it never
// stands over the message nor comes back over it. The action set before it
// comes back when it goes.
class CBeforeMessageBox {
public:
    explicit CBeforeMessageBox(std::function<void()> action);
    ~CBeforeMessageBox();
    CBeforeMessageBox(const CBeforeMessageBox&) = delete;
    CBeforeMessageBox& operator=(const CBeforeMessageBox&) = delete;

private:
    std::function<void()> m_previous;
};

// Shows the open (`save` false) or save dialog of `request`: its title (or
// "開く" / "名前を付けて保存" when empty), its Windows-style filter, default
// extension and proposed name (none for a name with wildcards, such as
// "*.mcr"). The save dialog asks before an existing file is replaced.
// Returns the chosen path (UTF-8), or nullopt when the user cancels.
std::optional<std::string> ShowFileDialog(QWidget* parent, bool save,
                                          const CFileDialogInfo& request);

// Shows the font dialog on `font` as character import uses it: `family`, the
// family the face name resolves to (the face name itself when empty), at the
// height's size in points (96 dots per inch). On OK what the user changed of face, size (written as
// a negative pixel height), weight, italic, underline and strike-out is written back and true is
// returned; an unchanged dialog leaves `font` as it was, and the other fields always keep their
// values.
bool ShowFontDialog(QWidget* parent, CLogFont& font, const std::string& family);

// The titles the file dialogs take when the caller gives none.
inline constexpr const char* kOpenDialogTitle = "開く";
inline constexpr const char* kSaveDialogTitle = "名前を付けて保存";

// Seams for automated tests: when a hook is set, it answers in place of the
// dialog, which is then not shown.
struct SDialogHooks {
    std::function<int(const std::string& text, const std::string& caption, unsigned type)>
        messageBox;
    std::function<std::optional<std::string>(bool save, const CFileDialogInfo& request)> fileDialog;
    // The font chosen, or nullopt for Cancel.
    std::function<std::optional<CLogFont>(const CLogFont& font)> fontDialog;
};
SDialogHooks& DialogHooks();

// The "OK" and "ｷｬﾝｾﾙ" buttons of `dialog`, wired to accept and reject it,
// with OK the default. `ok`, when given, receives the OK button.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, QPushButton** ok = nullptr);

// A spin box of `parent` taking `minimum` to `maximum`, showing `value`.
QSpinBox* SpinBox(QWidget* parent, int minimum, int maximum, int value);
