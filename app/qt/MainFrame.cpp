#include "app/qt/MainFrame.h"

#include "app/CommandInventory.h"
#include "app/DocumentCommands.h"
#include "app/UndoCommands.h"
#include "app/qt/ExchangeCommands.h"
#include "app/qt/ExportSettings.h"
#include "app/qt/LiveOutputLink.h"
#include "app/qt/QtProfile.h"
#include "app/qt/TextScrollCommand.h"
#include "app/qt/VersionDlg.h"
#include "app/qt/ViewSettings.h"
#include "store/CommandIds.h"
#include "store/MessageText.h"
#include "view/Preview.h"
#include "view/qt/DotGridWidget.h"
#include "view/qt/Filmstrip.h"
#include "view/qt/QuorvelView.h"
#include "view/qt/ShellDialogs.h"
#include "view/qt/ShellResources.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <optional>

const char* const CMainFrame::kWindowTitle = "Glowmotion 32";

namespace {

const char* const kIdleText = "ﾚﾃﾞｨ";
// The prompt of a menu item whose command has none: the pane shows nothing
// while the pointer is on it, not the idle text; leaving it brings that back.
const char* const kNoPrompt = " ";
const char* const kSavePrompt = "%1 への変更を保存しますか？";
const char* const kQvlFilter = "ｱﾆﾒｰｼｮﾝ ﾌｧｲﾙ (*.qvl) |*.qvl|すべてのﾌｧｲﾙ (*.*)|*.*||";
const char* const kQvlExtension = "qvl";

// The preview speeds of "再生速度" and their commands.
struct SSpeed {
    int id;
    int intervalMs;
};
constexpr std::array kSpeeds = {SSpeed{ID_VIEW_SPEED_50, 50}, SSpeed{ID_VIEW_SPEED_100, 100},
                                SSpeed{ID_VIEW_SPEED_200, 200}, SSpeed{ID_VIEW_SPEED_500, 500}};

// The speed command `id` chooses, or nullptr when it chooses none.
const SSpeed* FindSpeed(int id) {
    const auto speed =
        std::find_if(kSpeeds.begin(), kSpeeds.end(), [id](const SSpeed& s) { return s.id == id; });
    return speed != kSpeeds.end() ? &*speed : nullptr;
}

bool IsToolCommand(int id) {
    return id == ID_TOOL_PEN || id == ID_TOOL_LINE || id == ID_TOOL_RECTANGLE || id == ID_TOOL_FILL;
}

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The first local file among dropped data, if any.
std::optional<QString> FirstDroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return std::nullopt;
}

// Accepts a drag or drop that brings a local file, as a copy whatever the
// source proposes: a move would let the source delete the file. False when
// there is no file to open.
bool AcceptAsCopy(QDropEvent* event) {
    if (!FirstDroppedFile(event->mimeData()))
        return false;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowIcon(ApplicationIcon());

    // The import fonts are read once, as the form comes into being.
    const CQtProfile profile;
    m_view = new CQuorvelView(m_doc, ReadImportFont(profile, kImportFont16Height),
                              ReadImportFont(profile, kImportFont32Height));
    // Should the form ever not fit, it scrolls as a form view does. The
    // filmstrip, when shown, lies below it.
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* area = new QScrollArea(central);
    area->setFrameShape(QFrame::NoFrame);
    area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area->setWidget(m_view);
    layout->addWidget(area, 1);
    m_filmstrip = new CFilmstrip(*m_view, central);
    layout->addWidget(m_filmstrip);
    setCentralWidget(central);

    m_tools = new QActionGroup(this);
    m_speeds = new QActionGroup(this);
    for (const SCommandText& command : CommandTexts())
        CreateAction(command.id);
    // The keys of the form's buttons and of Page Down and Page Up.
    for (const SAccelerator& accelerator : Accelerators())
        if (FindCommandText(accelerator.id) == nullptr)
            CreateKey(accelerator.id, QKeySequence(QString::fromLatin1(accelerator.keys),
                                                   QKeySequence::PortableText));
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    connect(m_view, &CQuorvelView::statusTextChanged, this, &CMainFrame::SetStatusPaneText);
    connect(m_view, &CQuorvelView::undoHistoryChanged, this, &CMainFrame::RefreshUndoActions);
    // Undo and redo of New and Open bring back the document's name.
    connect(m_view, &CQuorvelView::undoHistoryChanged, this, &CMainFrame::UpdateTitle);
    RefreshUndoActions();
    m_view->Grid()->SetOnionSkin(ReadOnionSkin());
    Action(ID_VIEW_ONION_SKIN)->setChecked(m_view->Grid()->OnionSkin());
    SetPreviewInterval(m_view->Core(), ReadPreviewInterval());
    RefreshSpeedChecks();
    RefreshToolChecks();

    m_output = new CLiveOutputLink(m_view, this);
    connect(m_output, &CLiveOutputLink::stateChanged, this,
            [this](bool on) { Action(ID_OUTPUT_LIVE)->setChecked(on); });

    m_recentFiles.Load();
    RefreshRecentFileMenu();

    setAcceptDrops(true);
    setFixedSize(kWidth, kHeight);
    move(0, 0);
    UpdateTitle();
}

CMainFrame::~CMainFrame() {
    // Live output and the views that follow the form read its screens: they
    // end before it does; the form works on the document, so it goes before
    // that.
    delete m_output;
    delete m_signWindow;
    delete takeCentralWidget();
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QAction* CMainFrame::CreateAction(int id) {
    const SCommandText* texts = FindCommandText(id);
    auto* action = new QAction(this);
    action->setData(id);
    if (texts != nullptr) {
        if (texts->text != nullptr)
            action->setText(Utf8(texts->text));
        if (texts->prompt != nullptr)
            action->setStatusTip(Utf8(texts->prompt));
        else if (texts->text != nullptr)
            action->setStatusTip(QString::fromLatin1(kNoPrompt));
        if (texts->toolTip != nullptr)
            action->setToolTip(Utf8(texts->toolTip));
    }
    QList<QKeySequence> keys;
    for (const SAccelerator& accelerator : Accelerators()) {
        if (accelerator.id != id)
            continue;
        const QKeySequence sequence(QString::fromLatin1(accelerator.keys),
                                    QKeySequence::PortableText);
        if (accelerator.shiftForm)
            CreateShiftKey(id, sequence);
        else
            keys << sequence;
    }
    action->setShortcuts(keys);
    if (id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    if (id == ID_VIEW_ONION_SKIN || id == ID_OUTPUT_LIVE || id == ID_VIEW_SIGN_WINDOW ||
        id == ID_VIEW_FILMSTRIP)
        action->setCheckable(true);
    // Radio groups: the drawing tools, the preview speeds.
    QActionGroup* group = nullptr;
    if (IsToolCommand(id))
        group = m_tools;
    else if (FindSpeed(id) != nullptr)
        group = m_speeds;
    if (group != nullptr) {
        action->setCheckable(true);
        group->addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    // The keys work whatever bars are shown.
    addAction(action);
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateShiftKey(int id, const QKeySequence& keys) {
    // An action of its own, on no menu: the command's action cannot tell
    // which of its keys triggered it.
    auto* key = new QAction(this);
    key->setShortcut(keys);
    connect(key, &QAction::triggered, this, [this, id] { OnShiftCommand(id); });
    addAction(key);
}

void CMainFrame::CreateKey(int id, const QKeySequence& keys) {
    auto* key = new QAction(this);
    key->setData(id);
    key->setShortcut(keys);
    connect(key, &QAction::triggered, this, [this, id] { OnCommand(id); });
    addAction(key);
}

void CMainFrame::CreateMenus() {
    // The open popups, innermost last; the menu bar is the outermost level.
    std::vector<QMenu*> open;
    QMenuBar* bar = menuBar();
    for (const SMenuEntry& entry : MenuBar()) {
        QMenu* menu = open.empty() ? nullptr : open.back();
        switch (entry.kind) {
        case EMenuEntry::Popup:
            open.push_back(menu != nullptr ? menu->addMenu(Utf8(entry.text))
                                           : bar->addMenu(Utf8(entry.text)));
            break;
        case EMenuEntry::Command:
            menu->addAction(Action(entry.id));
            if (entry.id == ID_VIEW_TOOLBAR)
                connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshViewChecks);
            if (entry.id == ID_EDIT_UNDO)
                connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshUndoActions);
            break;
        case EMenuEntry::Separator:
            menu->addSeparator();
            break;
        case EMenuEntry::RecentFiles:
            AddRecentFileEntries(menu);
            break;
        case EMenuEntry::End:
            open.pop_back();
            break;
        }
    }

    // Qt gives grayed items no prompt (the recent-file placeholder has
    // one): the frame watches the pointer over the menus itself.
    for (QMenu* menu : bar->findChildren<QMenu*>()) {
        menu->installEventFilter(this);
        connect(menu, &QMenu::aboutToHide, this, [this] { ShowGrayedPrompt(nullptr); });
    }
}

void CMainFrame::AddRecentFileEntries(QMenu* file) {
    m_recentPlaceholder = file->addAction(Utf8(kRecentFilePlaceholder));
    m_recentPlaceholder->setEnabled(false);
    m_recentPlaceholder->setStatusTip(Utf8(kRecentFilePrompt));
    for (int i = 0; i < CRecentFileList::kMaxFiles; ++i) {
        const int id = ID_FILE_MRU_FILE1 + i;
        QAction* entry = file->addAction(QString());
        entry->setData(id);
        entry->setStatusTip(Utf8(kRecentFilePrompt));
        connect(entry, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_recentActions.push_back(entry);
    }
}

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    int picture = 0;
    for (const int id : ToolbarButtons()) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        action->setIcon(QIcon(ToolbarPicture(picture++)));
        // Menus show no pictures, only the toolbar does.
        action->setIconVisibleInMenu(false);
        m_toolBar->addAction(action);
        // A button without a tooltip of its own must not make one up from
        // the menu text.
        QWidget* button = m_toolBar->widgetForAction(action);
        const SCommandText* texts = FindCommandText(id);
        if (button != nullptr && (texts == nullptr || texts->toolTip == nullptr)) {
            m_silentButtons.insert(button);
            button->installEventFilter(this);
        }
    }
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    m_statusPane = new QLabel(Utf8(kIdleText), bar);
    bar->addWidget(m_statusPane, 1);
    // When a prompt goes away the pane shows the idle text again.
    connect(bar, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            m_statusPane->setText(Utf8(kIdleText));
    });
}

void CMainFrame::SetStatusPaneText(const QString& text) {
    if (!statusBar()->currentMessage().isEmpty())
        statusBar()->clearMessage();
    m_statusPane->setText(text);
}

void CMainFrame::ShowGrayedPrompt(QAction* item) {
    if (item != nullptr && (item->isEnabled() || item->statusTip().isEmpty()))
        item = nullptr;
    if (item == m_grayedItem)
        return;
    m_grayedItem = item;
    // Leaving the item clears the pane; an item the pointer comes to shows
    // its own prompt right after.
    QStatusTipEvent tip(item != nullptr ? item->statusTip() : QString());
    QCoreApplication::sendEvent(this, &tip);
}

bool CMainFrame::event(QEvent* event) {
    // Moving onto a grayed item, the menu clears the prompt of the item
    // left after the grayed one has shown its own: the grayed one stays.
    if (event->type() == QEvent::StatusTip && m_grayedItem != nullptr &&
        static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        statusBar()->showMessage(m_grayedItem->statusTip());
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && m_silentButtons.count(watched) != 0)
        return true;
    if (event->type() == QEvent::MouseMove) {
        if (auto* menu = qobject_cast<QMenu*>(watched))
            ShowGrayedPrompt(
                menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
    }
    return QMainWindow::eventFilter(watched, event);
}

QMenu* CMainFrame::createPopupMenu() {
    // No menu of bars on a right click: the right button draws on the grid.
    return nullptr;
}

void CMainFrame::RefreshRecentFileMenu() {
    const int count = m_recentFiles.Count();
    m_recentPlaceholder->setVisible(count == 0);
    for (int i = 0; i < CRecentFileList::kMaxFiles; ++i) {
        QAction* entry = m_recentActions[static_cast<size_t>(i)];
        entry->setVisible(i < count);
        if (i < count)
            entry->setText(m_recentFiles.MenuText(i));
    }
}

void CMainFrame::RefreshViewChecks() {
    Action(ID_VIEW_TOOLBAR)->setChecked(!m_toolBar->isHidden());
    Action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
}

void CMainFrame::RefreshUndoActions() {
    const CViewCore& core = m_view->Core();
    const auto refresh = [this](int id, bool possible, const std::string& label, const char* prefix,
                                const char* idle) {
        QAction* action = Action(id);
        action->setEnabled(possible);
        action->setStatusTip(possible ? Utf8(prefix) + QString::fromStdString(label) : Utf8(idle));
    };
    refresh(ID_EDIT_UNDO, CanUndo(core), UndoLabel(core), kUndoPrefix, kUndoPrompt);
    refresh(ID_EDIT_REDO, CanRedo(core), RedoLabel(core), kRedoPrefix, kRedoPrompt);
}

void CMainFrame::ToggleOnionSkin() {
    CDotGridWidget* grid = m_view->Grid();
    const bool on = !grid->OnionSkin();
    grid->SetOnionSkin(on);
    Action(ID_VIEW_ONION_SKIN)->setChecked(on);
    WriteOnionSkin(on);
}

void CMainFrame::RefreshToolChecks() {
    const EDrawingTool tool = m_view->Core().Store().m_drawingTool;
    Action(ID_TOOL_PEN)->setChecked(tool == EDrawingTool::Pen);
    Action(ID_TOOL_LINE)->setChecked(tool == EDrawingTool::Line);
    Action(ID_TOOL_RECTANGLE)->setChecked(tool == EDrawingTool::Rectangle);
    Action(ID_TOOL_FILL)->setChecked(tool == EDrawingTool::Fill);
}

void CMainFrame::RefreshSpeedChecks() {
    const int interval = m_view->Core().Store().m_previewInterval;
    for (const SSpeed& speed : kSpeeds)
        Action(speed.id)->setChecked(speed.intervalMs == interval);
}

void CMainFrame::SetPreviewSpeed(int intervalMs) {
    if (SetPreviewInterval(m_view->Core(), intervalMs)) {
        WritePreviewInterval(intervalMs);
        // The next GIF plays at the speed the animation was watched at.
        WriteExportDelay(intervalMs);
    }
    RefreshSpeedChecks();
}

void CMainFrame::ToggleSignWindow() {
    if (m_signWindow != nullptr && m_signWindow->isVisible()) {
        m_signWindow->close();
        return;
    }
    if (m_signWindow == nullptr) {
        m_signWindow = new CSignWindow(*m_view, this);
        m_signWindow->SetColour(ReadSignColour());
        if (const std::optional<QRect> geometry = ReadSignGeometry())
            m_signWindow->setGeometry(*geometry);
        connect(m_signWindow, &CSignWindow::closed, this, &CMainFrame::OnSignWindowClosed);
        connect(m_signWindow, &CSignWindow::colourChosen, this, &WriteSignColour);
    }
    m_signWindow->show();
    m_signWindow->raise();
    Action(ID_VIEW_SIGN_WINDOW)->setChecked(true);
}

void CMainFrame::OnSignWindowClosed() {
    WriteSignGeometry(m_signWindow->NormalGeometry());
    Action(ID_VIEW_SIGN_WINDOW)->setChecked(false);
}

void CMainFrame::ToggleFilmstrip() {
    const bool show = m_filmstrip->isHidden();
    m_filmstrip->setVisible(show);
    // The form keeps its size: the window grows by the strip.
    setFixedSize(kWidth, kHeight + (show ? m_filmstrip->height() : 0));
    Action(ID_VIEW_FILMSTRIP)->setChecked(show);
}

void CMainFrame::OnCommand(int id) {
    emit commandRouted(id);
    if (const SSpeed* speed = FindSpeed(id)) {
        SetPreviewSpeed(speed->intervalMs);
        return;
    }
    switch (id) {
    case ID_FILE_NEW:
        OnFileNew();
        return;
    case ID_FILE_OPEN:
        OnFileOpen();
        return;
    case ID_FILE_SAVE:
        DoFileSave();
        return;
    case ID_FILE_SAVE_AS:
        DoSaveAs();
        return;
    case ID_APP_EXIT:
        close();
        return;
    case ID_VIEW_TOOLBAR:
        m_toolBar->setVisible(m_toolBar->isHidden());
        RefreshViewChecks();
        return;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        RefreshViewChecks();
        return;
    case ID_VIEW_ONION_SKIN:
        ToggleOnionSkin();
        return;
    case ID_VIEW_SIGN_WINDOW:
        ToggleSignWindow();
        return;
    case ID_VIEW_FILMSTRIP:
        ToggleFilmstrip();
        return;
    case ID_APP_ABOUT: {
        CVersionDlg dialog(this);
        dialog.exec();
        return;
    }
    case ID_EXPORT_GIF:
        RunExportCommand(this, m_view->Core(), EExportFormat::Gif, m_doc.Title(), m_doc.PathName());
        return;
    case ID_EXPORT_PNG:
        RunExportCommand(this, m_view->Core(), EExportFormat::Png, m_doc.Title(), m_doc.PathName());
        return;
    case ID_EXPORT_CSOURCE:
        RunExportCommand(this, m_view->Core(), EExportFormat::CSource, m_doc.Title(),
                         m_doc.PathName());
        return;
    case ID_IMPORT_GIF:
        RunGifImportCommand(this, m_view->Core());
        return;
    case ID_TEXT_SCROLL:
        RunTextScrollCommand(this, m_view->Core());
        return;
    case ID_OUTPUT_SETTINGS:
        m_output->EditSettings();
        return;
    case ID_OUTPUT_LIVE:
        if (m_output->IsOn())
            m_output->TurnOff();
        else
            m_output->TurnOn();
        // A menu click toggles the check by itself: it shows the real state.
        Action(ID_OUTPUT_LIVE)->setChecked(m_output->IsOn());
        return;
    default:
        break;
    }
    if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE5) {
        OpenRecentFile(id - ID_FILE_MRU_FILE1);
        return;
    }
    m_view->Dispatcher().OnClick(id);
    if (IsToolCommand(id))
        RefreshToolChecks();
}

void CMainFrame::OnShiftCommand(int id) {
    emit commandRouted(id);
    m_view->ClickWithShift(id);
}

void CMainFrame::NewDocument() {
    NewAnimation(m_view->Core(), m_doc);
    UpdateTitle();
}

void CMainFrame::OnFileNew() {
    if (SaveModified())
        NewDocument();
}

void CMainFrame::OnFileOpen() {
    const CFileDialogInfo request{kOpenDialogTitle, kQvlFilter, kQvlExtension, ""};
    const std::optional<std::string> path = ShowFileDialog(this, false, request);
    if (path)
        OpenDocumentFile(QFile::decodeName(QByteArray::fromStdString(*path)));
}

CMainFrame::EOpenResult CMainFrame::OpenDocumentFile(const QString& path) {
    if (!SaveModified())
        return EOpenResult::Cancelled;
    // The document keeps the full path, so that a later Save goes to the same
    // file whatever the working directory.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!OpenAnimation(m_view->Core(), m_doc, PathBytes(absolute)))
        return EOpenResult::Failed;
    m_recentFiles.Add(absolute);
    m_recentFiles.Save();
    RefreshRecentFileMenu();
    UpdateTitle();
    return EOpenResult::Opened;
}

void CMainFrame::OpenRecentFile(int index) {
    if (index < 0 || index >= m_recentFiles.Count())
        return;
    const QString path = m_recentFiles.At(index);
    // A file that can no longer be opened leaves the list; one the user
    // chose not to open after all stays.
    if (OpenDocumentFile(path) == EOpenResult::Failed) {
        m_recentFiles.Remove(path);
        m_recentFiles.Save();
        RefreshRecentFileMenu();
    }
}

bool CMainFrame::SaveModified() {
    // A save writes only the bank on display: the others' changes are asked
    // about first, and No leaves everything as it is.
    if (!ConfirmDiscardHiddenBanks(m_view->Core()))
        return false;
    if (!m_view->Core().IsModified())
        return true;
    const QString text = Utf8(kSavePrompt).arg(QString::fromStdString(m_doc.Title()));
    const int answer =
        ShowMessageBox(this, text.toStdString(), kAppCaption, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        return DoFileSave();
    return true;
}

bool CMainFrame::DoFileSave() {
    if (m_doc.PathName().empty())
        return DoSaveAs();
    return SaveTo(m_doc.PathName());
}

bool CMainFrame::DoSaveAs() {
    const std::string proposed =
        m_doc.PathName().empty() ? m_doc.Title() + "." + kQvlExtension : m_doc.PathName();
    const CFileDialogInfo request{kSaveDialogTitle, kQvlFilter, kQvlExtension, proposed};
    const std::optional<std::string> path = ShowFileDialog(this, true, request);
    if (!path)
        return false;
    return SaveTo(*path);
}

bool CMainFrame::SaveTo(const std::string& path) {
    if (!SaveAnimation(m_view->Core(), m_doc, path))
        return false;
    m_recentFiles.Add(QFile::decodeName(QByteArray::fromStdString(path)));
    m_recentFiles.Save();
    RefreshRecentFileMenu();
    UpdateTitle();
    return true;
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(QString::fromStdString(m_doc.Title()) + QStringLiteral(" - ") +
                   Utf8(kWindowTitle));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    m_view->SetPreviewTimer(false);
    m_output->TurnOff();
    m_recentFiles.Save();
    if (m_signWindow != nullptr && m_signWindow->isVisible())
        WriteSignGeometry(m_signWindow->NormalGeometry());
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    AcceptAsCopy(event);
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    AcceptAsCopy(event);
}

void CMainFrame::dropEvent(QDropEvent* event) {
    if (!AcceptAsCopy(event))
        return;
    const std::optional<QString> path = FirstDroppedFile(event->mimeData());
    activateWindow();
    raise();
    // Opened once the drop is over: the save prompt must not hold up the
    // program the file came from.
    const QString file = *path;
    QTimer::singleShot(0, this, [this, file] { OpenDocumentFile(file); });
}
