#pragma once

#include "app/QuorvelDoc.h"
#include "app/qt/RecentFileList.h"

#include <QMainWindow>

#include <map>
#include <set>

class CFilmstrip;
class CLiveOutputLink;
class CQuorvelView;
class CSignWindow;
class QActionGroup;
class QLabel;
class QMenu;
class QToolBar;

// The main window: fixed at 1024 x 740 in the top-left corner of the screen,
// with the menus, the toolbar, the accelerators, the one-pane status bar and
// the editor form. It owns the document and carries the File commands: New,
// Open, Save, Save As, the recent-file list, the save prompt and the window
// title. Every command of the menus, the toolbar and the keyboard goes
// through OnCommand, which handles the window's own commands and passes the
// others to the form's dispatch table.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CQuorvelView* View() const { return m_view; }
    CQuorvelDoc& Doc() { return m_doc; }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    // The action of a menu or toolbar command id, or nullptr.
    QAction* Action(int id) const;
    // The recent-file entries of the File menu, and the grey placeholder
    // shown while the list is empty.
    const std::vector<QAction*>& RecentFileActions() const { return m_recentActions; }
    QAction* RecentFilePlaceholder() const { return m_recentPlaceholder; }
    QToolBar* ToolBar() const { return m_toolBar; }
    QLabel* StatusPane() const { return m_statusPane; }
    // Live output to an LED sign ("LED出力(&O)").
    CLiveOutputLink* LiveOutput() const { return m_output; }
    // The filmstrip under the form, and the sign window (nullptr until it
    // was first shown).
    CFilmstrip* Filmstrip() const { return m_filmstrip; }
    CSignWindow* SignWindow() const { return m_signWindow; }

    // Carries out command `id`: emits commandRouted, then runs the window's
    // own commands (File, View, Help) or hands the id to the form.
    void OnCommand(int id);

    // Carries out form command `id` with SHIFT taken as held (the keys of its
    // SHIFT form): emits commandRouted, then clicks it on the form.
    void OnShiftCommand(int id);

    // New without asking: ten blank screens in the current bank, "無題".
    void NewDocument();

    // How an open ended.
    enum class EOpenResult { Opened, Cancelled, Failed };
    // Opens the .qvl file at `path` after the save prompt. A refused file
    // leaves the document, its title and its modified flag as they were.
    EOpenResult OpenDocumentFile(const QString& path);

    // The questions before the document is left: when banks other than the
    // one on display have unsaved changes, whether to discard them (No stops
    // here); then "%1 への変更を保存しますか？" when the bank on display is
    // modified, saving on Yes. False when the user says No or Cancel or the
    // save fails, and the action that asked must not go on.
    bool SaveModified();
    // Save: writes to the document's file, or asks for one first (Save As)
    // when it has none. False when cancelled or failed.
    bool DoFileSave();
    // Save As: asks for a file name, then writes. False when cancelled or failed.
    bool DoSaveAs();

    // Shows "<document title> - Glowmotion 32" in the caption.
    void UpdateTitle();

    // The frame's fixed size (without the filmstrip, which adds its height)
    // and its title word.
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 740;
    static const char* const kWindowTitle;

signals:
    // A command is being carried out (menus, toolbar, accelerators).
    void commandRouted(int id);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Files are taken as a copy: the program they come from keeps them.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    QAction* CreateAction(int id);
    // A key of command `id` that gives its SHIFT form.
    void CreateShiftKey(int id, const QKeySequence& keys);
    // A key of command `id`, which has no menu item or toolbar button.
    void CreateKey(int id, const QKeySequence& keys);
    void CreateMenus();
    void AddRecentFileEntries(QMenu* file);
    void CreateToolBar();
    void CreateStatusBar();
    void SetStatusPaneText(const QString& text);
    // Shows the prompt of `item` if it is a grayed menu item that has one,
    // and takes it away when the pointer has left such an item.
    void ShowGrayedPrompt(QAction* item);
    void RefreshRecentFileMenu();
    void RefreshViewChecks();
    // Grays Undo and Redo when there is nothing to do, and names in their
    // prompts what they would do.
    void RefreshUndoActions();
    void ToggleOnionSkin();
    // The drawing tools and the preview speeds show the state's choice.
    void RefreshToolChecks();
    void RefreshSpeedChecks();
    void SetPreviewSpeed(int intervalMs);
    void ToggleSignWindow();
    void OnSignWindowClosed();
    void ToggleFilmstrip();
    void OnFileNew();
    void OnFileOpen();
    void OpenRecentFile(int index);
    bool SaveTo(const std::string& path);

    CQuorvelDoc m_doc;
    CQuorvelView* m_view = nullptr;
    CLiveOutputLink* m_output = nullptr;
    CRecentFileList m_recentFiles;
    std::map<int, QAction*> m_actions;
    std::vector<QAction*> m_recentActions;
    QAction* m_recentPlaceholder = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_statusPane = nullptr;
    CFilmstrip* m_filmstrip = nullptr;
    CSignWindow* m_signWindow = nullptr;
    // The radio groups of the drawing tools and of the preview speeds.
    QActionGroup* m_tools = nullptr;
    QActionGroup* m_speeds = nullptr;
    // Toolbar buttons that must show no tooltip.
    std::set<QObject*> m_silentButtons;
    // The grayed menu item whose prompt the status bar shows, if any.
    QAction* m_grayedItem = nullptr;
};
