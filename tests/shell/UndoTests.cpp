// Undo and redo in the window: the keys, the grayed items and their prompts,
// the grid after Ctrl+Z; the onion skin's pixels and its setting.

#include "ShellTestSupport.h"

#include "app/CommandInventory.h"
#include "app/qt/MainFrame.h"
#include "app/qt/QtProfile.h"
#include "store/CommandIds.h"
#include "view/qt/DotGridWidget.h"
#include "view/qt/QuorvelView.h"

#include <QApplication>
#include <QSettings>
#include <QTest>

#include <memory>

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

constexpr QRgb kCyan = 0x00FFFF;
constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kPale = 0xB0F0F0;

// The colour inside cell (column, row) of the grid as it paints now.
QRgb CellColour(CDotGridWidget* grid, int column, int row) {
    return grid->grab().toImage().pixel(6 * column + 3, 6 * row + 3) & 0xFFFFFFu;
}

} // namespace

class CUndoTests : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_frame = StartMainFrame();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    }
    void cleanup() { CloseMainFrame(m_frame); }

    void drawingIsTakenBackWithCtrlZAndDoneAgainWithCtrlY() {
        QAction* undo = m_frame->Action(ID_EDIT_UNDO);
        QAction* redo = m_frame->Action(ID_EDIT_REDO);
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        QCOMPARE(undo->statusTip(), U(kUndoPrompt));

        CQuorvelView* view = m_frame->View();
        CDotGridWidget* grid = view->Grid();
        QTest::mousePress(view, Qt::LeftButton, {}, CellCenter(0, 0));
        QTest::mouseMove(view, CellCenter(5, 0));
        QTest::mouseRelease(view, Qt::LeftButton, {}, CellCenter(5, 0));
        QCOMPARE(CellColour(grid, 0, 0), kCyan);
        QCOMPARE(CellColour(grid, 5, 0), kCyan);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->statusTip(), U("元に戻す: ドット描画"));

        QTest::keyClick(m_frame.get(), Qt::Key_Z, Qt::ControlModifier);
        for (int column = 0; column <= 5; ++column)
            QCOMPARE(CellColour(grid, column, 0), kWhite);
        QVERIFY(!undo->isEnabled());
        QVERIFY(redo->isEnabled());
        QCOMPARE(redo->statusTip(), U("やり直し: ドット描画"));
        QVERIFY(!m_frame->Doc().IsModified());

        QTest::keyClick(m_frame.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(CellColour(grid, 3, 0), kCyan);
        QVERIFY(m_frame->Doc().IsModified());
        QTest::keyClick(m_frame.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(CellColour(grid, 3, 0), kWhite);
        QTest::keyClick(m_frame.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(CellColour(grid, 3, 0), kCyan);
    }

    void resetIsTakenBackOnEveryScreen() {
        CDialogScript dialogs; // RESET is answered Yes
        // Two screens, a dot on each in a different place.
        std::vector<Word> words(2 * kWordsPerScreen, 0);
        words[0] = 0x80000000u;
        words[kWordsPerScreen + 47] = 0x00000001u;
        const QString path = m_dir.filePath("two.qvl");
        WriteQvl(path, words);
        QCOMPARE(m_frame->OpenDocumentFile(path), CMainFrame::EOpenResult::Opened);

        CQuorvelView* view = m_frame->View();
        CDotGridWidget* grid = view->Grid();
        ClickButton(view, IDC_RESET);
        QCOMPARE(dialogs.messages.size(), size_t{1});
        QCOMPARE(CellColour(grid, 0, 0), kWhite);
        QCOMPARE(m_frame->Action(ID_EDIT_UNDO)->statusTip(), U("元に戻す: RESET"));

        m_frame->Action(ID_EDIT_UNDO)->trigger();
        QCOMPARE(CellColour(grid, 0, 0), kCyan);
        QCOMPARE(CellColour(grid, 47, 31), kWhite);
        ClickButton(view, IDC_LAST_SCREEN);
        QCOMPARE(view->Core().Store().m_currentScreen, 2);
        QCOMPARE(CellColour(grid, 0, 0), kWhite);
        QCOMPARE(CellColour(grid, 47, 31), kCyan);
    }

    void onionSkinShowsThePreviousScreenDimmed() {
        // Screen 1 lights (0, 0) and (2, 0); screen 2 lights (1, 0) and (2, 0).
        std::vector<Word> words(2 * kWordsPerScreen, 0);
        words[0] = words[2] = 0x80000000u;
        words[kWordsPerScreen + 1] = words[kWordsPerScreen + 2] = 0x80000000u;
        const QString path = m_dir.filePath("onion.qvl");
        WriteQvl(path, words);
        QCOMPARE(m_frame->OpenDocumentFile(path), CMainFrame::EOpenResult::Opened);
        CQuorvelView* view = m_frame->View();
        CDotGridWidget* grid = view->Grid();
        QAction* onion = m_frame->Action(ID_VIEW_ONION_SKIN);
        QVERIFY(onion->isCheckable());
        QVERIFY(!onion->isChecked());

        ClickButton(view, IDC_LAST_SCREEN);
        const QImage plain = grid->grab().toImage();
        QCOMPARE(CellColour(grid, 0, 0), kWhite);

        onion->trigger();
        QVERIFY(onion->isChecked());
        QCOMPARE(CellColour(grid, 0, 0), kPale); // screen 1's dot, dimmed
        QCOMPARE(CellColour(grid, 1, 0), kCyan); // screen 2's own
        QCOMPARE(CellColour(grid, 2, 0), kCyan); // lit in both: lit
        QCOMPARE(CellColour(grid, 3, 0), kWhite);
        // The dimmed dot keeps the black frame of every dot.
        QCOMPARE(grid->grab().toImage().pixel(0, 0) & 0xFFFFFFu, QRgb{0});
        QCOMPARE(grid->grab().toImage().pixel(6, 3) & 0xFFFFFFu, QRgb{0});

        // Not during a preview, not on screen 1.
        view->Core().Store().m_previewFlag = 1;
        QCOMPARE(CellColour(grid, 0, 0), kWhite);
        view->Core().Store().m_previewFlag = 0;
        ClickButton(view, IDC_FIRST_SCREEN);
        QCOMPARE(CellColour(grid, 0, 0), kCyan);
        QCOMPARE(CellColour(grid, 1, 0), kWhite);

        // The choice is kept for the next start; off, the grid is as before.
        const QSettings settings(QString::fromUtf8(kSettingsOrganization),
                                 QString::fromUtf8(kSettingsApplication));
        QCOMPARE(settings.value(QStringLiteral("View/OnionSkin")).toBool(), true);
        {
            CMainFrame next;
            QVERIFY(next.View()->Grid()->OnionSkin());
            QVERIFY(next.Action(ID_VIEW_ONION_SKIN)->isChecked());
        }
        onion->trigger();
        QCOMPARE(settings.value(QStringLiteral("View/OnionSkin")).toBool(), false);
        ClickButton(view, IDC_LAST_SCREEN);
        QCOMPARE(grid->grab().toImage(), plain);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
};

GLOWMOTION_SHELL_TEST_MAIN(CUndoTests)

#include "UndoTests.moc"
