// The main window: menus, toolbar and keys reaching their commands, tips,
// the status bar, File commands with their prompt, titles, recent files,
// dropped files and the version dialog.

#include "ShellTestSupport.h"

#include "app/CommandInventory.h"
#include "app/qt/MainFrame.h"
#include "app/qt/QtProfile.h"
#include "app/qt/QuorvelApp.h"
#include "app/qt/RecentFileList.h"
#include "app/qt/VersionDlg.h"
#include "store/CommandIds.h"
#include "view/qt/QuorvelView.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <functional>
#include <memory>

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

QMenu* TopMenu(QMainWindow* frame, int index) {
    return frame->menuBar()->actions().at(index)->menu();
}

// What the status bar shows: a prompt covers the pane.
QString ShownStatus(CMainFrame* frame) {
    const QString message = frame->statusBar()->currentMessage();
    return message.isEmpty() ? frame->StatusPane()->text() : message;
}

// Moves the pointer, no button held, to the middle of `item` in the open
// `menu`.
void HoverMenu(QMenu* menu, QAction* item) {
    const QPoint point = menu->actionGeometry(item).center();
    QMouseEvent move(QEvent::MouseMove, point, menu->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(menu, &move);
}

} // namespace

class CFrameTests : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_frame = StartMainFrame();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    }
    void cleanup() { CloseMainFrame(m_frame); }

    void windowIsFixedAtTheTopLeft() {
        QCOMPARE(m_frame->size(), QSize(1024, 740));
        QCOMPARE(m_frame->minimumSize(), m_frame->maximumSize());
        QCOMPARE(m_frame->pos(), QPoint(0, 0));
        QCOMPARE(m_frame->windowTitle(), U("無題 - Glowmotion 32"));
    }

    void menusAndToolbarAreBuiltFromTheInventory() {
        // Walk the built menu bar beside the inventory it was built from.
        std::vector<QList<QAction*>> levels{m_frame->menuBar()->actions()};
        std::vector<int> positions{0};
        const auto next = [&]() -> QAction* {
            QList<QAction*>& actions = levels.back();
            while (positions.back() < actions.size() && !actions[positions.back()]->isVisible())
                ++positions.back();
            return positions.back() < actions.size() ? actions[positions.back()++] : nullptr;
        };
        for (const SMenuEntry& entry : MenuBar()) {
            if (entry.kind == EMenuEntry::End) {
                QCOMPARE(next(), nullptr);
                levels.pop_back();
                positions.pop_back();
                continue;
            }
            QAction* action = next();
            QVERIFY(action != nullptr);
            switch (entry.kind) {
            case EMenuEntry::Popup:
                QCOMPARE(action->text(), U(entry.text));
                QVERIFY(action->menu() != nullptr);
                levels.push_back(action->menu()->actions());
                positions.push_back(0);
                break;
            case EMenuEntry::Command:
                QCOMPARE(action->data().toInt(), entry.id);
                QCOMPARE(action->text(), U(FindCommandText(entry.id)->text));
                break;
            case EMenuEntry::Separator:
                QVERIFY(action->isSeparator());
                break;
            case EMenuEntry::RecentFiles:
                QCOMPARE(action, m_frame->RecentFilePlaceholder());
                QVERIFY(!action->isEnabled());
                break;
            case EMenuEntry::End:
                break;
            }
        }
        QCOMPARE(m_frame->menuBar()->actions().size(), 6);

        QList<int> ids;
        for (QAction* action : m_frame->ToolBar()->actions()) {
            ids << (action->isSeparator() ? 0 : action->data().toInt());
            if (!action->isSeparator())
                QCOMPARE(action->icon().pixmap(16, 15).size(), QSize(16, 15));
        }
        const std::span<const int> toolbar = ToolbarButtons();
        QCOMPARE(ids, QList<int>(toolbar.begin(), toolbar.end()));

        for (const SCommandText& command : CommandTexts()) {
            QAction* action = m_frame->Action(command.id);
            // A menu item without a prompt has a blank one (see below).
            QCOMPARE(action->statusTip().trimmed(), command.prompt ? U(command.prompt) : QString());
        }
        for (QAction* entry : m_frame->RecentFileActions())
            QCOMPARE(entry->statusTip(), U(kRecentFilePrompt));

        // 32799 shows no tooltip at all; its neighbour shows its own.
        QWidget* font32 = m_frame->ToolBar()->widgetForAction(m_frame->Action(ID_FONT32));
        QVERIFY(font32->toolTip().isEmpty());
        QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), font32->mapToGlobal(QPoint(4, 4)));
        QVERIFY(QApplication::sendEvent(font32, &help));
        QCOMPARE(m_frame->ToolBar()->widgetForAction(m_frame->Action(ID_FONT16))->toolTip(),
                 U("ﾌｫﾝﾄ"));
    }

    void menuAndToolbarCommandsAreRouted() {
        CDialogScript dialogs; // open, save and font dialogs are cancelled
        QSignalSpy routed(m_frame.get(), &CMainFrame::commandRouted);
        for (const SCommandText& command : CommandTexts()) {
            const int id = command.id;
            if (id == ID_APP_EXIT || id == ID_APP_ABOUT || id == ID_VIEW_TOOLBAR ||
                id == ID_VIEW_STATUS_BAR)
                continue; // they close the window, open a modal dialog, or hide bars
            if (id == ID_EDIT_UNDO || id == ID_EDIT_REDO)
                continue; // grayed: nothing to undo yet (UndoTests.cpp)
            if (id == ID_EXPORT_GIF || id == ID_EXPORT_PNG || id == ID_EXPORT_CSOURCE ||
                id == ID_IMPORT_GIF)
                continue; // their dialogs: ExchangeTests.cpp
            if (id == ID_OUTPUT_SETTINGS || id == ID_OUTPUT_LIVE)
                continue; // the dialog and the sign: OutputTests.cpp
            if (id == ID_TEXT_SCROLL)
                continue; // its dialog: TextScrollTests.cpp
            m_frame->Action(id)->trigger();
            QCOMPARE(routed.last().at(0).toInt(), id);
        }
        QCOMPARE(dialogs.fileDialogs.size(), size_t{5});
        // Cancelled, the import fonts of the settings pass the test character
        // at once: each font command shows its dialog once.
        QCOMPARE(dialogs.fontDialogs, 2);
        QCOMPARE(dialogs.fileDialogs[0].title, std::string("開く"));
        QCOMPARE(dialogs.fileDialogs[0].filter,
                 std::string("ｱﾆﾒｰｼｮﾝ ﾌｧｲﾙ (*.qvl) |*.qvl|すべてのﾌｧｲﾙ (*.*)|*.*||"));
        QCOMPARE(dialogs.fileDialogs[1].title, std::string("名前を付けて保存"));
        QCOMPARE(dialogs.fileDialogs[1].defaultExtension, std::string("qvl"));
        QCOMPARE(dialogs.fileDialogs[1].initialName, std::string("無題.qvl"));
        for (const size_t bitmap : {size_t{3}, size_t{4}}) { // Bitmap取込, Bitmap保存
            QCOMPARE(dialogs.fileDialogs[bitmap].filter,
                     std::string("ﾋﾞｯﾄﾏｯﾌﾟ ﾌｧｲﾙ (*.bmp) |*.bmp||"));
            QCOMPARE(dialogs.fileDialogs[bitmap].defaultExtension, std::string("bmp"));
        }

        QWidget* reverse = m_frame->ToolBar()->widgetForAction(m_frame->Action(ID_REVERSE));
        QTest::mouseClick(reverse, Qt::LeftButton);
        QCOMPARE(routed.last().at(0).toInt(), ID_REVERSE);

        // The View menu's toggles.
        m_frame->Action(ID_VIEW_TOOLBAR)->trigger();
        QVERIFY(m_frame->ToolBar()->isHidden());
        QVERIFY(!m_frame->Action(ID_VIEW_TOOLBAR)->isChecked());
        m_frame->Action(ID_VIEW_TOOLBAR)->trigger();
        QVERIFY(!m_frame->ToolBar()->isHidden());
        QVERIFY(m_frame->Action(ID_VIEW_TOOLBAR)->isChecked());
        m_frame->Action(ID_VIEW_STATUS_BAR)->trigger();
        QVERIFY(m_frame->statusBar()->isHidden());
        m_frame->Action(ID_VIEW_STATUS_BAR)->trigger();
        QVERIFY(!m_frame->statusBar()->isHidden());
    }

    void acceleratorsReachTheirCommands() {
        CDialogScript dialogs;
        QSignalSpy routed(m_frame.get(), &CMainFrame::commandRouted);
        struct SKey {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int id;
        };
        const SKey keys[] = {
            {Qt::Key_N, Qt::ControlModifier, ID_FILE_NEW},
            {Qt::Key_O, Qt::ControlModifier, ID_FILE_OPEN},
            {Qt::Key_S, Qt::ControlModifier, ID_FILE_SAVE},
            {Qt::Key_X, Qt::ControlModifier, ID_EDIT_CUT},
            {Qt::Key_C, Qt::ControlModifier, ID_EDIT_COPY},
            {Qt::Key_V, Qt::ControlModifier, ID_EDIT_PASTE},
            {Qt::Key_Delete, Qt::ShiftModifier, ID_EDIT_CUT},
            {Qt::Key_Insert, Qt::ControlModifier, ID_EDIT_COPY},
            {Qt::Key_Insert, Qt::ShiftModifier, ID_EDIT_PASTE},
        };
        for (const SKey& key : keys) {
            routed.clear();
            QTest::keyClick(m_frame.get(), key.key, key.modifiers);
            QCOMPARE(routed.size(), 1);
            QCOMPARE(routed.at(0).at(0).toInt(), key.id);
        }
    }

    void keysWithShiftGiveTheShiftForms() {
        CQuorvelView* view = m_frame->View();
        CScreenStore& s = view->Core().Store();
        ClickButton(view, IDC_MACRO_RECORD);
        const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        struct SKey {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* step;
        };
        const SKey keys[] = {
            {Qt::Key_C, Qt::ControlModifier, "13,"},
            {Qt::Key_C, ctrlShift, "14,"},
            {Qt::Key_X, Qt::ControlModifier, "15,"},
            {Qt::Key_X, ctrlShift, "16,"},
            {Qt::Key_V, Qt::ControlModifier, "17,"},
            {Qt::Key_V, ctrlShift, "18,"},
            {Qt::Key_Delete, Qt::ShiftModifier, "16,"},
            {Qt::Key_Delete, ctrlShift, "16,"},
            {Qt::Key_Insert, Qt::ControlModifier, "13,"},
            {Qt::Key_Insert, ctrlShift, "14,"},
            {Qt::Key_Insert, Qt::ShiftModifier, "18,"},
            // SHIFT is held for those commands only.
            {Qt::Key_V, Qt::ControlModifier, "17,"},
        };
        for (const SKey& key : keys) {
            s.m_macroCode.clear();
            QTest::keyClick(m_frame.get(), key.key, key.modifiers);
            QCOMPARE(s.m_macroCode, std::string(key.step));
        }
    }

    void statusBarShowsIdleTextPromptsAndTheView() {
        QLabel* pane = m_frame->StatusPane();
        QCOMPARE(pane->text(), U("ﾚﾃﾞｨ"));
        QCOMPARE(m_frame->statusBar()->findChildren<QLabel*>().size(), 1);
        m_frame->View()->SetStatusText(CellText());
        QCOMPARE(pane->text(), QStringLiteral("(  7, 12)"));
        m_frame->statusBar()->showMessage(m_frame->Action(ID_FILE_OPEN)->statusTip());
        m_frame->statusBar()->clearMessage();
        QCOMPARE(pane->text(), U("ﾚﾃﾞｨ"));
    }

    void menuItemsShowTheirPromptsGrayedOrNot() {
        const QString idle = U("ﾚﾃﾞｨ"), recent = U("指定のﾌｧｲﾙを開く");
        QMenu* file = TopMenu(m_frame.get(), 0);
        QAction* placeholder = m_frame->RecentFilePlaceholder();
        file->popup(m_frame->mapToGlobal(QPoint(10, 30)));
        // The grayed placeholder, reached from an item with a prompt and
        // from a separator; leaving it, and closing the menu over it.
        HoverMenu(file, m_frame->Action(ID_FILE_SAVE_AS));
        QCOMPARE(ShownStatus(m_frame.get()), U("作業中のﾌｧｲﾙに名前を付けて保存"));
        HoverMenu(file, placeholder);
        QCOMPARE(ShownStatus(m_frame.get()), recent);
        HoverMenu(file, m_frame->Action(ID_APP_EXIT));
        QCOMPARE(ShownStatus(m_frame.get()), U("ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示"));
        HoverMenu(file, file->actions().at(file->actions().indexOf(placeholder) - 1));
        QCOMPARE(ShownStatus(m_frame.get()), idle);
        HoverMenu(file, placeholder);
        QCOMPARE(ShownStatus(m_frame.get()), recent);
        file->hide();
        QCOMPARE(ShownStatus(m_frame.get()), idle);

        // Items without a prompt show an empty pane, not the idle text;
        // leaving them brings it back.
        QMenu* tools = TopMenu(m_frame.get(), 4);
        tools->popup(m_frame->mapToGlobal(QPoint(200, 30)));
        for (const int id : {ID_BITMAP_IMPORT, ID_BITMAP_SAVE}) {
            HoverMenu(tools, m_frame->Action(ID_EXPORT_GIF));
            QCOMPARE(ShownStatus(m_frame.get()), U("スクリーンをGIFアニメで保存"));
            HoverMenu(tools, m_frame->Action(id));
            QVERIFY(ShownStatus(m_frame.get()).trimmed().isEmpty());
        }
        HoverMenu(tools, m_frame->Action(ID_EXPORT_GIF));
        HoverMenu(tools, m_frame->Action(ID_BITMAP_SAVE));
        tools->hide();
        QCOMPARE(ShownStatus(m_frame.get()), idle);
    }

    void openAndSaveSetTheTitle() {
        CDialogScript dialogs;
        std::vector<Word> words(2 * kWordsPerScreen, 0);
        words[0] = 0x80000000u;
        const QString path = m_dir.filePath("anim.qvl");
        WriteQvl(path, words);
        QCOMPARE(m_frame->OpenDocumentFile(path), CMainFrame::EOpenResult::Opened);
        QCOMPARE(m_frame->windowTitle(), U("anim.qvl - Glowmotion 32"));
        QCOMPARE(m_frame->View()->Core().Store().CurrentScreenCount(), 2);

        // Save As proposes the file's own path and writes the new one.
        const QString copy = m_dir.filePath("copy.qvl");
        dialogs.files.push_back(copy.toStdString());
        m_frame->OnCommand(ID_FILE_SAVE_AS);
        QCOMPARE(dialogs.fileDialogs.back().initialName, path.toStdString());
        QCOMPARE(m_frame->windowTitle(), U("copy.qvl - Glowmotion 32"));
        QCOMPARE(ReadFileBytes(copy).size(), 2 * 192);
        QCOMPARE(ReadFileBytes(copy).left(4), QByteArray("\x00\x00\x00\x80", 4));

        // A refused file changes neither the title nor the modified flag.
        m_frame->View()->Core().SetModifiedFlag();
        const QString broken = m_dir.filePath("broken.qvl");
        WriteBytes(broken, 200);
        dialogs.answers.push_back(IDNO); // the save prompt
        QCOMPARE(m_frame->OpenDocumentFile(broken), CMainFrame::EOpenResult::Failed);
        QCOMPARE(dialogs.messages.size(), size_t{2});
        QCOMPARE(dialogs.messages[1].text, std::string("qvlファイルではありません。"));
        QCOMPARE(dialogs.messages[1].caption, std::string("エラー発生！"));
        QCOMPARE(m_frame->windowTitle(), U("copy.qvl - Glowmotion 32"));
        QVERIFY(m_frame->Doc().IsModified());

        m_frame->Doc().SetModifiedFlag(false);
        m_frame->OnCommand(ID_FILE_NEW);
        QCOMPARE(m_frame->windowTitle(), U("無題 - Glowmotion 32"));
    }

    void savePromptGuardsUnsavedChanges() {
        CDialogScript dialogs;
        CQuorvelView* view = m_frame->View();
        QTest::mouseClick(view, Qt::LeftButton, {}, CellCenter(0, 0));
        QVERIFY(m_frame->Doc().IsModified());
        const auto lit = [view] {
            return TestDot(view->Core().Store().ScreenAt(0, 1).data(), 0, 0);
        };

        // Cancel: nothing happens.
        dialogs.answers.push_back(IDCANCEL);
        m_frame->OnCommand(ID_FILE_NEW);
        QCOMPARE(dialogs.messages.size(), size_t{1});
        QCOMPARE(dialogs.messages[0].text, std::string("無題 への変更を保存しますか？"));
        QCOMPARE(dialogs.messages[0].caption, std::string("Glowmotion"));
        QCOMPARE(dialogs.messages[0].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        QVERIFY(lit());

        // Yes, and the save fails: the New does not go on.
        dialogs.answers.push_back(IDYES);
        dialogs.files.push_back(m_dir.filePath("missing/dir/x.qvl").toStdString());
        m_frame->OnCommand(ID_FILE_NEW);
        QVERIFY(lit());
        QVERIFY(m_frame->Doc().IsModified());

        // Yes and a good name: saved, then the new document.
        const QString saved = m_dir.filePath("saved.qvl");
        dialogs.answers.push_back(IDYES);
        dialogs.files.push_back(saved.toStdString());
        m_frame->OnCommand(ID_FILE_NEW);
        QCOMPARE(ReadFileBytes(saved).size(), 1920);
        QCOMPARE(ReadFileBytes(saved).left(4), QByteArray("\x00\x00\x00\x80", 4));
        QVERIFY(!lit());
        QVERIFY(!m_frame->Doc().IsModified());
        QCOMPARE(m_frame->windowTitle(), U("無題 - Glowmotion 32"));

        // Closing a modified window asks too; Cancel keeps it open.
        view->Core().SetModifiedFlag();
        dialogs.answers.push_back(IDCANCEL);
        QVERIFY(!m_frame->close());
        QVERIFY(m_frame->isVisible());
    }

    void recentFilesAreListedKeptAndPruned() {
        CDialogScript dialogs;
        const QString a = m_dir.filePath("a.qvl");
        const QString b = m_dir.filePath("b&c.qvl");
        WriteQvl(a, std::vector<Word>(kWordsPerScreen, 0));
        WriteQvl(b, std::vector<Word>(kWordsPerScreen, 0));
        m_frame->OpenDocumentFile(a);
        m_frame->OpenDocumentFile(b);
        QVERIFY(!m_frame->RecentFilePlaceholder()->isVisible());
        QCOMPARE(m_frame->RecentFileActions()[0]->text(), QStringLiteral("&1 b&&c.qvl"));
        QCOMPARE(m_frame->RecentFileActions()[1]->text(), QStringLiteral("&2 a.qvl"));
        QVERIFY(!m_frame->RecentFileActions()[2]->isVisible());

        QSettings settings(QString::fromUtf8(kSettingsOrganization),
                           QString::fromUtf8(kSettingsApplication));
        QCOMPARE(settings.value(QStringLiteral("Recent File List/File1")).toString(),
                 QFileInfo(b).absoluteFilePath());
        QCOMPARE(settings.value(QStringLiteral("Recent File List/File2")).toString(),
                 QFileInfo(a).absoluteFilePath());

        // A window started later finds them; an entry that no longer opens
        // leaves the list.
        m_frame.reset();
        m_frame = std::make_unique<CMainFrame>();
        m_frame->NewDocument();
        QCOMPARE(m_frame->RecentFiles().Count(), 2);
        QFile::remove(a);
        m_frame->OnCommand(ID_FILE_MRU_FILE1 + 1);
        QCOMPARE(dialogs.messages.size(), size_t{1});
        QCOMPARE(m_frame->RecentFiles().Files(), QStringList{QFileInfo(b).absoluteFilePath()});
        m_frame->OnCommand(ID_FILE_MRU_FILE1);
        QCOMPARE(m_frame->windowTitle(), U("b&c.qvl - Glowmotion 32"));
    }

    void droppedFilesOpenTheFirst() {
        const QString first = m_dir.filePath("first.qvl");
        const QString second = m_dir.filePath("second.qvl");
        WriteQvl(first, std::vector<Word>(kWordsPerScreen, 0));
        WriteQvl(second, std::vector<Word>(kWordsPerScreen, 0));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
        // With SHIFT held the source proposes a move; the file is taken as a
        // copy all the same, so that the source keeps it.
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(QPoint(500, 400), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QDragMoveEvent move(QPoint(510, 400), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QDropEvent drop(QPointF(510, 400), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(enter.proposedAction(), Qt::MoveAction);
        for (QDropEvent* event : QList<QDropEvent*>{&enter, &move, &drop}) {
            QApplication::sendEvent(m_frame.get(), event);
            QVERIFY(event->isAccepted());
            QCOMPARE(event->dropAction(), Qt::CopyAction);
        }
        QTRY_COMPARE(m_frame->windowTitle(), U("first.qvl - Glowmotion 32"));
    }

    void versionDialogShowsTheProgram() {
        QString title;
        QSize size;
        QStringList texts;
        auto* timer = new QTimer(this);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, this, [&, timer] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            timer->stop();
            title = dialog->windowTitle();
            size = dialog->size();
            for (QLabel* label : dialog->findChildren<QLabel*>())
                if (!label->text().isEmpty())
                    texts << label->text();
            dialog->accept();
        });
        timer->start();
        m_frame->OnCommand(ID_APP_ABOUT);
        QCOMPARE(title, U("ﾊﾞｰｼﾞｮﾝ情報(Glowmotion)"));
        QCOMPARE(size, QSize(380, 83));
        QVERIFY(texts.contains(QStringLiteral("Glowmotion 32 Version 1.1")));

        // Both lines keep their places and are as high as their font needs,
        // or the descenders of the second are cut off.
        CVersionDlg dialog(m_frame.get());
        QList<QPoint> places;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            places << label->pos();
            QVERIFY(label->height() >= QFontMetrics(label->font()).height());
        }
        QCOMPARE(places, (QList<QPoint>{{70, 23}, {70, 47}}));
    }

    void commandLineNamesTheFile() {
        QCOMPARE(CQuorvelApp::CommandLineFile({"glowmotion"}), QString());
        QCOMPARE(CQuorvelApp::CommandLineFile({"glowmotion", "a.qvl"}), QStringLiteral("a.qvl"));
        QCOMPARE(CQuorvelApp::CommandLineFile({"glowmotion", "-x", "b.qvl", "c.qvl"}),
                 QStringLiteral("b.qvl"));
        QCOMPARE(CQuorvelApp::CommandLineFile({"glowmotion", "--", "-d.qvl"}),
                 QStringLiteral("-d.qvl"));
    }

private:
    static std::string CellText() { return "(  7, 12)"; }

    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
};

GLOWMOTION_SHELL_TEST_MAIN(CFrameTests)

#include "FrameTests.moc"
