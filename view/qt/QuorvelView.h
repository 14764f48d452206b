#pragma once

#include "app/Dispatcher.h"
#include "edit/FreeTypeRasterizer.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

#include <QTimer>
#include <QWidget>

#include <map>
#include <optional>
#include <vector>

class CBitmapButton;
class CDotGridWidget;
class CFormScrollBar;
class CQuorvelDoc;
class CReadOnlyEdit;
class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QListWidget;
struct SFormControl;

// The editor form. It owns the editing state (CViewCore) and shows it: every
// control of the form table at its place, the dot grid and the three bitmap
// buttons. Every event of its widgets goes to the core's dispatch table; as
// the core's CPlatform it carries out what the core asks of the window
// (dialogs, refreshing the controls, repaints, the scroll bar, the preview
// timer, the status text, the cursor and the mouse capture).
class CQuorvelView : public QWidget, public CPlatform {
    Q_OBJECT
public:
    // The form over `doc`, with the two import fonts read from the settings.
    // The state is that of a new view; the first New or Open brings the
    // document in (OnInitialUpdate of the core).
    CQuorvelView(CQuorvelDoc& doc, const CLogFont& font16, const CLogFont& font32,
                 QWidget* parent = nullptr);
    ~CQuorvelView() override;

    CViewCore& Core() { return m_core; }
    const CViewCore& Core() const { return m_core; }
    CDispatcher& Dispatcher() { return m_dispatcher; }

    // Clicks command `id` with SHIFT taken as held, whatever the keyboard
    // says by the time the command asks: how the keys that hold SHIFT reach
    // the SHIFT forms. Returns what the dispatcher's OnClick returns.
    bool ClickWithShift(int id);

    // The widget built for entry `index` of FormControls().
    QWidget* FormWidget(size_t index) const;
    // The widget of control `id` (form controls and bitmap buttons), or nullptr.
    QWidget* Control(int id) const;
    CDotGridWidget* Grid() const { return m_grid; }
    QListWidget* MacroList() const { return m_macroList; }
    // The rectangle the pointer is held in, in view coordinates, if any.
    const std::optional<CRect>& CursorClip() const { return m_clip; }
    ECursorShape CursorShape() const { return m_cursorShape; }
    bool PreviewTimerRunning() const { return m_previewTimer.isActive(); }
    int PreviewTimerInterval() const { return m_previewTimer.interval(); }

    // CPlatform.
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    std::optional<std::string> GetOpenFileName(const CFileDialogInfo& request) override;
    std::optional<std::string> GetSaveFileName(const CFileDialogInfo& request) override;
    bool ChooseFont(CLogFont& font) override;
    std::optional<std::string> AskCharacters(int size) override;
    void ControlsChanged() override;
    void MacroListChanged() override;
    void FocusControl(int controlId) override;
    void EnableControl(int controlId, bool enabled) override;
    void InvalidateGrid() override;
    void DrawDot(int column, int row, bool lit) override;
    void SetScrollRange(int minimum, int maximum) override;
    void SetScrollPos(int position) override;
    void SetPreviewTimer(bool running) override;
    void SetStatusText(const std::string& text) override;
    void SetCursorShape(ECursorShape shape) override;
    void ClipCursor(const std::optional<CRect>& clip) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    bool IsShiftDown() override;
    void CommandNotHandled(int id) override;
    void UndoHistoryChanged() override;

    // The MK_* flags of a mouse message with these buttons and keys.
    static unsigned KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

signals:
    // The text the status bar's pane should show.
    void statusTextChanged(const QString& text);
    // A button of the form was clicked; its command goes to the dispatch
    // table right after this signal.
    void controlCommand(int id);
    // What Undo and Redo would do, or whether they can, may have changed.
    void undoHistoryChanged();
    // What the grid shows may have changed: another screen or bank, a dot,
    // the preview's next screen, a line or rectangle being dragged, or any
    // other change after which the core asked for a repaint of the grid or
    // of one of its cells. It comes once after any number of such requests,
    // when control is back in the event loop, so that a macro playback or a
    // drag costs one update of each view that follows the grid (the sign
    // window, the filmstrip, live output), not one per request. Those views
    // read ShownScreenWords() (store/ShownScreen.h) and ScreenOnDisplay()
    // of Core().Store(), and the bank, for themselves. Nothing is sent while
    // nothing is connected: a view that is hidden should disconnect.
    void shownScreenChanged();

protected:
    // An edit box with the focus keeps the plain keys (Page Down, Home, the
    // tools' letters, F5) for itself: they type or move in the box.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void BuildForm();
    void BuildBitmapButtons();
    QWidget* CreateControl(const SFormControl& control);
    void OnButtonClicked(int id, bool checked);
    void OnScrolled(int id, int code, int position);
    QPoint KeepInClip(const QPoint& point) const;
    // Sends a press (`down`) or release of the left or right button to the
    // core; false for other buttons.
    bool ForwardButton(QMouseEvent* event, bool down);
    // Emits shownScreenChanged once control is back in the event loop.
    void NoteShownScreenChanged();

    CFreeTypeRasterizer m_rasterizer;
    CViewCore m_core;
    CDispatcher m_dispatcher;

    std::vector<QWidget*> m_formWidgets;
    std::map<int, QWidget*> m_controls;
    // The edits the user types into, and the read-only boxes.
    std::map<int, QLineEdit*> m_edits;
    std::map<int, CReadOnlyEdit*> m_boxes;
    QButtonGroup* m_bankButtons = nullptr;
    QListWidget* m_macroList = nullptr;
    CFormScrollBar* m_screenScroll = nullptr;
    CDotGridWidget* m_grid = nullptr;
    std::vector<CBitmapButton*> m_bitmapButtons;

    QTimer m_previewTimer;
    std::optional<CRect> m_clip;
    ECursorShape m_cursorShape = ECursorShape::Arrow;
    bool m_captured = false;
    // SHIFT is taken as held for the command being clicked (ClickWithShift).
    bool m_shiftHeld = false;
    // shownScreenChanged is on its way.
    bool m_shownChangePending = false;
};
