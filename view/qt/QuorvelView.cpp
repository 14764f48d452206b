#include "view/qt/QuorvelView.h"

#include "app/QuorvelDoc.h"
#include "app/qt/CharEntryDlg.h"
#include "store/CommandIds.h"
#include "view/qt/BitmapButton.h"
#include "view/qt/Cp932Validator.h"
#include "view/qt/DotGridWidget.h"
#include "view/qt/FormScrollBar.h"
#include "view/qt/ReadOnlyEdit.h"
#include "view/FormTemplate.h"
#include "view/qt/ShellDialogs.h"
#include "view/qt/ShellResources.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// The bit-move scroll bars are pairs of arrow buttons: their position means
// nothing and stays in the middle of a small range.
constexpr int kArrowBarMaximum = 2;
constexpr int kArrowBarPosition = 1;
constexpr int kArrowBarPageStep = 10;

QRect ToQRect(const CRect& rect) {
    return {rect.left, rect.top, rect.Width(), rect.Height()};
}

// Static pictures, labels and group boxes let the mouse through to the form,
// as they do on Windows: moving over them is moving over the form.
void LetMouseThrough(QWidget* widget) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace

CQuorvelView::CQuorvelView(CQuorvelDoc& doc, const CLogFont& font16, const CLogFont& font32,
                           QWidget* parent)
    : QWidget(parent), m_core(*this, doc, m_rasterizer, font16, font32), m_dispatcher(m_core) {
    setFont(FormFont());
    setFixedSize(ToQRect(FormPixelRect()).size());
    setAutoFillBackground(true);
    setMouseTracking(true);
    // The right button draws; no context menu may open over the form.
    setContextMenuPolicy(Qt::PreventContextMenu);

    BuildForm();
    m_grid = new CDotGridWidget(m_core.Store(), this);
    m_grid->move(ToQRect(GridRectangle()).topLeft());
    BuildBitmapButtons();

    m_previewTimer.setInterval(m_core.Store().m_previewInterval);
    connect(&m_previewTimer, &QTimer::timeout, this,
            [this] { m_dispatcher.OnTimer(kPreviewTimerId); });

    ControlsChanged();
}

CQuorvelView::~CQuorvelView() {
    m_previewTimer.stop();
    // The widgets go while the state they report to is still there.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void CQuorvelView::BuildForm() {
    m_bankButtons = new QButtonGroup(this);
    m_bankButtons->setExclusive(true);
    const auto controls = FormControls();
    for (const SFormControl& control : controls) {
        QWidget* widget = CreateControl(control);
        widget->setObjectName(control.id >= 0 ? QStringLiteral("control%1").arg(control.id)
                                              : QString());
        widget->setVisible(control.visible);
        m_formWidgets.push_back(widget);
        if (control.id >= 0)
            m_controls[control.id] = widget;
    }
    // Where controls overlap, the earlier one of the form lies on top, as in
    // a Windows dialog; the bit-move scroll bars make a cross that way.
    for (auto it = m_formWidgets.rbegin(); it != m_formWidgets.rend(); ++it)
        (*it)->raise();
}

QWidget* CQuorvelView::CreateControl(const SFormControl& control) {
    const QRect rect = ToQRect(DluToPixels(control.rect));
    const QString caption = Utf8(control.caption);
    const int id = control.id;
    QWidget* widget = nullptr;

    switch (control.kind) {
    case EControlKind::GroupBox: {
        auto* box = new QGroupBox(caption, this);
        // The frame runs through the middle of the title, as on Windows.
        box->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 2px groove palette(mid); margin-top: 6px; }"
            "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
            " left: 7px; padding: 0px 1px; }"));
        LetMouseThrough(box);
        widget = box;
        break;
    }
    case EControlKind::Label:
    case EControlKind::LabelRight: {
        auto* label = new QLabel(caption, this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(
            Qt::AlignTop |
            (control.kind == EControlKind::LabelRight ? Qt::AlignRight : Qt::AlignLeft));
        LetMouseThrough(label);
        widget = label;
        break;
    }
    case EControlKind::Picture: {
        // A picture control takes the size of its picture, at the top-left
        // corner of its rectangle.
        auto* label = new QLabel(this);
        const QPixmap picture = FormPicture(control.caption);
        label->setPixmap(picture);
        label->setGeometry(QRect(rect.topLeft(), picture.size()));
        LetMouseThrough(label);
        return label;
    }
    case EControlKind::Edit:
    case EControlKind::ReadOnlyEdit: {
        auto* box = control.kind == EControlKind::ReadOnlyEdit ? new CReadOnlyEdit(this) : nullptr;
        QLineEdit* edit = box != nullptr ? box : new QLineEdit(this);
        // Dropped files go to the window, which opens them.
        edit->setAcceptDrops(false);
        if (box != nullptr) {
            edit->setFocusPolicy(Qt::NoFocus);
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, palette.color(QPalette::Window));
            edit->setPalette(palette);
            m_boxes[id] = box;
        } else {
            connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
                m_dispatcher.OnEditChanged(id, text.toStdString());
            });
            edit->installEventFilter(this);
        }
        if (id == IDC_TEXT16)
            edit->setValidator(new CCp932Validator(kText16MaxBytes, edit));
        else if (id == IDC_TEXT32)
            edit->setValidator(new CCp932Validator(kText32MaxBytes, edit));
        if (box == nullptr)
            m_edits[id] = edit;
        widget = edit;
        break;
    }
    case EControlKind::PushButton:
    case EControlKind::CheckButton:
    case EControlKind::RadioButton: {
        auto* button = new QPushButton(caption, this);
        button->setAutoDefault(false);
        if (control.kind != EControlKind::PushButton)
            button->setCheckable(true);
        if (control.kind == EControlKind::RadioButton)
            m_bankButtons->addButton(button, RadioButtonIndex(id));
        connect(button, &QPushButton::clicked, this,
                [this, id](bool checked) { OnButtonClicked(id, checked); });
        widget = button;
        break;
    }
    case EControlKind::HScrollBar:
    case EControlKind::VScrollBar: {
        auto* bar = new CFormScrollBar(
            control.kind == EControlKind::HScrollBar ? Qt::Horizontal : Qt::Vertical, this);
        if (id == IDC_SCREEN_SCROLL) {
            m_screenScroll = bar;
            bar->SetScrollRange(1, 1);
            bar->SetScrollPos(1);
        } else {
            bar->setPageStep(kArrowBarPageStep);
            bar->SetScrollRange(0, kArrowBarMaximum);
            bar->SetScrollPos(kArrowBarPosition);
        }
        connect(bar, &CFormScrollBar::scrolled, this,
                [this, id](int code, int position) { OnScrolled(id, code, position); });
        widget = bar;
        break;
    }
    case EControlKind::ListBox: {
        m_macroList = new QListWidget(this);
        m_macroList->setSelectionMode(QAbstractItemView::SingleSelection);
        m_macroList->setSortingEnabled(false);
        m_macroList->setUniformItemSizes(true);
        m_macroList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        connect(m_macroList, &QListWidget::itemSelectionChanged, this, [this] {
            const QList<QListWidgetItem*> selected = m_macroList->selectedItems();
            m_dispatcher.OnListSelect(selected.isEmpty() ? -1 : m_macroList->row(selected.front()));
        });
        widget = m_macroList;
        break;
    }
    }
    widget->setGeometry(rect);
    return widget;
}

void CQuorvelView::BuildBitmapButtons() {
    for (const SBitmapButton& entry : FormBitmapButtons()) {
        auto* button = new CBitmapButton(BitmapButtonFace(entry.normal),
                                         BitmapButtonFace(entry.pressed), this);
        button->setObjectName(QStringLiteral("control%1").arg(entry.id));
        button->setGeometry(ToQRect(entry.rect));
        const int id = entry.id;
        connect(button, &QAbstractButton::clicked, this,
                [this, id] { OnButtonClicked(id, false); });
        m_controls[id] = button;
        m_bitmapButtons.push_back(button);
    }
}

QWidget* CQuorvelView::FormWidget(size_t index) const {
    return index < m_formWidgets.size() ? m_formWidgets[index] : nullptr;
}

QWidget* CQuorvelView::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CQuorvelView::OnButtonClicked(int id, bool checked) {
    emit controlCommand(id);
    m_dispatcher.OnClick(id, checked);
}

void CQuorvelView::OnScrolled(int id, int code, int position) {
    m_dispatcher.OnScroll(id, code, position);
}

// Platform: dialogs.

int CQuorvelView::MessageBox(const std::string& text, const std::string& caption, unsigned type) {
    return ShowMessageBox(this, text, caption, type);
}

std::optional<std::string> CQuorvelView::GetOpenFileName(const CFileDialogInfo& request) {
    return ShowFileDialog(this, false, request);
}

std::optional<std::string> CQuorvelView::GetSaveFileName(const CFileDialogInfo& request) {
    return ShowFileDialog(this, true, request);
}

bool CQuorvelView::ChooseFont(CLogFont& font) {
    return ShowFontDialog(this, font, m_core.Rasterizer().FamilyOf(font));
}

std::optional<std::string> CQuorvelView::AskCharacters(int size) {
    CCharEntryDlg dialog(size, this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Text().toStdString();
}

// Platform: the controls.

void CQuorvelView::ControlsChanged() {
    const CFormValues& form = m_core.Store().m_form;
    // A running preview changes the screen numbers on every screen.
    const bool quick = m_previewTimer.isActive();
    for (const auto& [id, box] : m_boxes)
        if (const std::string* text = form.EditText(id))
            box->ShowText(*text, quick);
    for (const auto& [id, edit] : m_edits) {
        const std::string* text = form.EditText(id);
        if (text == nullptr)
            continue;
        const QString shown = QString::fromStdString(*text);
        if (edit->text() != shown) {
            const QSignalBlocker blocker(edit);
            edit->setText(shown);
        }
    }
    const auto setChecked = [this](int id, bool checked) {
        if (auto* button = qobject_cast<QAbstractButton*>(Control(id))) {
            const QSignalBlocker blocker(button);
            button->setChecked(checked);
        }
    };
    setChecked(IDC_MACRO_RECORD, form.recording);
    setChecked(IDC_MACRO_BREAK, form.breakFlag);

    if (QAbstractButton* bank = m_bankButtons->button(form.bankRadio)) {
        const QSignalBlocker blocker(bank);
        bank->setChecked(true);
    } else {
        // No bank button pressed: an exclusive group cannot show that.
        m_bankButtons->setExclusive(false);
        for (QAbstractButton* button : m_bankButtons->buttons()) {
            const QSignalBlocker blocker(button);
            button->setChecked(false);
        }
        m_bankButtons->setExclusive(true);
    }
}

void CQuorvelView::MacroListChanged() {
    const CScreenStore& s = m_core.Store();
    const std::vector<std::string>& lines = s.m_macroLines;
    const QSignalBlocker blocker(m_macroList);

    const int count = static_cast<int>(lines.size());
    // Keep what is already shown: the usual change is one line added at the end.
    int same = 0;
    const int shown = m_macroList->count();
    while (same < std::min(shown, count) &&
           m_macroList->item(same)->text() == QString::fromStdString(lines[same]))
        ++same;
    while (m_macroList->count() > same)
        delete m_macroList->takeItem(m_macroList->count() - 1);
    QStringList added;
    for (int i = same; i < count; ++i)
        added << QString::fromStdString(lines[i]);
    m_macroList->addItems(added);

    const int selection = s.m_macroSelection;
    if (selection >= 0 && selection < count) {
        m_macroList->setCurrentRow(selection);
        m_macroList->scrollToItem(m_macroList->item(selection));
    } else {
        m_macroList->clearSelection();
        m_macroList->setCurrentRow(-1);
    }
}

void CQuorvelView::FocusControl(int controlId) {
    QWidget* widget = Control(controlId);
    if (widget == nullptr)
        return;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
}

void CQuorvelView::EnableControl(int controlId, bool enabled) {
    if (QWidget* widget = Control(controlId))
        widget->setEnabled(enabled);
}

// Platform: the grid, the scroll bar, the timer and the status bar.

void CQuorvelView::InvalidateGrid() {
    m_grid->Refresh();
    NoteShownScreenChanged();
}

void CQuorvelView::DrawDot(int column, int row, bool /*lit*/) {
    // The cell shows the state, which the core has already changed.
    m_grid->UpdateCell(column, row);
    NoteShownScreenChanged();
}

void CQuorvelView::NoteShownScreenChanged() {
    static const QMetaMethod signal = QMetaMethod::fromSignal(&CQuorvelView::shownScreenChanged);
    if (m_shownChangePending || !isSignalConnected(signal))
        return;
    m_shownChangePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_shownChangePending = false;
            emit shownScreenChanged();
        },
        Qt::QueuedConnection);
}

void CQuorvelView::SetScrollRange(int minimum, int maximum) {
    m_screenScroll->SetScrollRange(minimum, maximum);
}

void CQuorvelView::SetScrollPos(int position) {
    if (m_previewTimer.isActive())
        m_screenScroll->ShowScrollPos(position);
    else
        m_screenScroll->SetScrollPos(position);
}

void CQuorvelView::SetPreviewTimer(bool running) {
    if (running) {
        m_previewTimer.start(m_core.Store().m_previewInterval);
        return;
    }
    m_previewTimer.stop();
    // What a preview's steps showed quickly is handed to the widgets.
    m_screenScroll->Settle();
    for (const auto& [id, box] : m_boxes)
        box->Settle();
}

void CQuorvelView::SetStatusText(const std::string& text) {
    emit statusTextChanged(QString::fromStdString(text));
}

// Platform: the mouse and the keyboard.

void CQuorvelView::SetCursorShape(ECursorShape shape) {
    m_cursorShape = shape;
    switch (shape) {
    case ECursorShape::Arrow:
        unsetCursor();
        break;
    case ECursorShape::SetDot:
        setCursor(SetDotCursor());
        break;
    case ECursorShape::ClearDot:
        setCursor(ClearDotCursor());
        break;
    }
}

void CQuorvelView::ClipCursor(const std::optional<CRect>& clip) {
    m_clip = clip;
}

// The capture is taken only on a button press on the form, and Qt already
// sends every mouse event to the widget a button went down on until that
// button comes up, wherever the pointer goes. The flag is what the core asks
// about; an explicit grab would add nothing but a form that keeps the mouse
// when the release went elsewhere (to a message box the press brought up).
void CQuorvelView::SetCapture() {
    m_captured = true;
}

void CQuorvelView::ReleaseCapture() {
    m_captured = false;
}

bool CQuorvelView::HasCapture() const {
    return m_captured;
}

bool CQuorvelView::IsShiftDown() {
    return m_shiftHeld || QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool CQuorvelView::ClickWithShift(int id) {
    m_shiftHeld = true;
    const bool handled = m_dispatcher.OnClick(id);
    m_shiftHeld = false;
    return handled;
}

void CQuorvelView::CommandNotHandled(int id) {
    qWarning("Glowmotion: command %d has no handler", id);
}

void CQuorvelView::UndoHistoryChanged() {
    emit undoHistoryChanged();
}

unsigned CQuorvelView::KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    unsigned flags = 0;
    if (buttons.testFlag(Qt::LeftButton))
        flags |= MK_LBUTTON;
    if (buttons.testFlag(Qt::RightButton))
        flags |= MK_RBUTTON;
    if (buttons.testFlag(Qt::MiddleButton))
        flags |= MK_MBUTTON;
    if (modifiers.testFlag(Qt::ShiftModifier))
        flags |= MK_SHIFT;
    if (modifiers.testFlag(Qt::ControlModifier))
        flags |= MK_CONTROL;
    return flags;
}

QPoint CQuorvelView::KeepInClip(const QPoint& point) const {
    if (!m_clip)
        return point;
    const CRect& clip = *m_clip;
    return {std::clamp(point.x(), clip.left, std::max(clip.left, clip.right - 1)),
            std::clamp(point.y(), clip.top, std::max(clip.top, clip.bottom - 1))};
}

namespace {

// The view's message for a press or release of `button`, if it is one the
// view handles.
std::optional<EMouseMessage> ButtonMessage(Qt::MouseButton button, bool down) {
    if (button == Qt::LeftButton)
        return down ? EMouseMessage::LButtonDown : EMouseMessage::LButtonUp;
    if (button == Qt::RightButton)
        return down ? EMouseMessage::RButtonDown : EMouseMessage::RButtonUp;
    return std::nullopt;
}

} // namespace

bool CQuorvelView::ForwardButton(QMouseEvent* event, bool down) {
    const std::optional<EMouseMessage> message = ButtonMessage(event->button(), down);
    if (!message)
        return false;
    const QPoint point = KeepInClip(event->position().toPoint());
    m_dispatcher.OnMouse(*message, KeyFlags(event->buttons(), event->modifiers()), point.x(),
                         point.y());
    return true;
}

bool CQuorvelView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers chords =
            Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        if (!(key->modifiers() & chords)) {
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CQuorvelView::mousePressEvent(QMouseEvent* event) {
    if (!ForwardButton(event, true))
        QWidget::mousePressEvent(event);
}

void CQuorvelView::mouseReleaseEvent(QMouseEvent* event) {
    if (!ForwardButton(event, false)) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (!m_captured)
        SetCursorShape(ECursorShape::Arrow);
}

void CQuorvelView::mouseMoveEvent(QMouseEvent* event) {
    QPoint point = event->position().toPoint();
    if (m_clip) {
        // Qt cannot confine the pointer: it is put back inside the rectangle,
        // and the core sees the position it was put at.
        const QPoint kept = KeepInClip(point);
        if (kept != point) {
            QCursor::setPos(mapToGlobal(kept));
            point = kept;
        }
    }
    // Without the capture the pointer takes the arrow again over the form,
    // as the window class cursor would come back on Windows.
    if (!m_captured && m_cursorShape != ECursorShape::Arrow)
        SetCursorShape(ECursorShape::Arrow);
    m_dispatcher.OnMouse(EMouseMessage::MouseMove, KeyFlags(event->buttons(), event->modifiers()),
                         point.x(), point.y());
}
