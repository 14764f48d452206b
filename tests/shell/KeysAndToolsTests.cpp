// The keys that move between screens and play the preview, and the drawing
// tools with the mouse on the window's grid.

#include "ShellTestSupport.h"

#include "app/qt/MainFrame.h"
#include "store/CommandIds.h"
#include "view/DrawingTools.h"
#include "view/Navigation.h"
#include "view/qt/DotGridWidget.h"
#include "view/qt/FormScrollBar.h"
#include "view/qt/QuorvelView.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <functional>
#include <memory>
#include <set>

namespace {

using CellSet = std::set<std::pair<int, int>>;

CellSet Cells(const std::vector<SCell>& cells) {
    CellSet set;
    for (const SCell& cell : cells)
        set.insert({cell.column, cell.row});
    return set;
}

// The lit dots of screen 1 of select1.
CellSet LitDots(const CScreenStore& s) {
    CellSet lit;
    const auto screen = s.ScreenAt(0, 1);
    for (int column = 0; column < kScreenColumns; ++column)
        for (int row = 0; row < kScreenRows; ++row)
            if (TestDot(screen.data(), column, row))
                lit.insert({column, row});
    return lit;
}

// The cells the grid paints lit (cyan) now.
CellSet GridLit(CDotGridWidget* grid) {
    const QImage image = grid->grab().toImage();
    CellSet lit;
    for (int column = 0; column < kScreenColumns; ++column)
        for (int row = 0; row < kScreenRows; ++row)
            if (image.pixel(column * 6 + 3, row * 6 + 3) == qRgb(0, 255, 255))
                lit.insert({column, row});
    return lit;
}

} // namespace

class CKeysAndToolsTests : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_frame = StartMainFrame();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        const QString path = m_dir.filePath("twelve.qvl");
        WriteQvl(path, std::vector<Word>(12 * kWordsPerScreen, 0));
        QCOMPARE(m_frame->OpenDocumentFile(path), CMainFrame::EOpenResult::Opened);
        m_view = m_frame->View();
    }
    void cleanup() { CloseMainFrame(m_frame); }

    void pageKeysHomeAndEndMoveAsTheBarAndItsButtons() {
        CScreenStore& s = m_view->Core().Store();
        auto* bar = qobject_cast<CFormScrollBar*>(m_view->Control(IDC_SCREEN_SCROLL));
        ClickButton(m_view, IDC_MACRO_RECORD);
        const auto button = [this](int id) { return [this, id] { ClickButton(m_view, id); }; };
        const auto arrow = [bar](QAbstractSlider::SliderAction action) {
            return [bar, action] { bar->triggerAction(action); };
        };
        struct SStep {
            Qt::Key key;
            std::function<void()> same;
            int screen;
            const char* steps;
        };
        const SStep steps[] = {
            {Qt::Key_PageDown, arrow(QAbstractSlider::SliderSingleStepAdd), 2, "[2],"},
            {Qt::Key_PageDown, arrow(QAbstractSlider::SliderSingleStepAdd), 3, "[3],"},
            {Qt::Key_End, button(IDC_LAST_SCREEN), 12, "7,"},
            {Qt::Key_PageDown, arrow(QAbstractSlider::SliderSingleStepAdd), 12, ""},
            {Qt::Key_PageUp, arrow(QAbstractSlider::SliderSingleStepSub), 11, "[11],"},
            {Qt::Key_Home, button(IDC_FIRST_SCREEN), 1, "8,"},
            {Qt::Key_PageUp, arrow(QAbstractSlider::SliderSingleStepSub), 1, ""},
        };
        for (const SStep& step : steps) {
            const int from = s.m_currentScreen;
            s.m_macroCode.clear();
            QTest::keyClick(m_frame.get(), step.key);
            QCOMPARE(s.m_currentScreen, step.screen);
            QCOMPARE(bar->ScrollPos(), step.screen);
            QCOMPARE(s.m_form.currentScreen, std::to_string(step.screen));
            QCOMPARE(s.m_macroCode, std::string(step.steps));
            // The bar's arrow or the button, from the same screen, does and
            // records the same.
            GoToScreen(m_view->Core(), from);
            s.m_macroCode.clear();
            step.same();
            QCOMPARE(s.m_currentScreen, step.screen);
            QCOMPARE(bar->ScrollPos(), step.screen);
            QCOMPARE(s.m_macroCode, std::string(step.steps));
        }
    }

    void f5PlaysAndPausesThePreview() {
        QTest::keyClick(m_frame.get(), Qt::Key_F5);
        QVERIFY(m_view->PreviewTimerRunning());
        QTRY_COMPARE_WITH_TIMEOUT(m_view->Grid()->ShownScreen(), 3, 3000);
        QTest::keyClick(m_frame.get(), Qt::Key_F5);
        QVERIFY(!m_view->PreviewTimerRunning());
        QCOMPARE(m_view->Core().Store().m_previewFlag, 0);
        QVERIFY(m_view->Core().Store().m_previewOffset > 0); // paused, not ended
    }

    void anEditBoxWithTheFocusKeepsThePlainKeys() {
        CScreenStore& s = m_view->Core().Store();
        auto* text16 = qobject_cast<QLineEdit*>(m_view->Control(IDC_TEXT16));
        text16->setFocus();
        QVERIFY(text16->hasFocus());
        // Keys go to the widget with the focus.
        for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_End, Qt::Key_F5, Qt::Key_L})
            QTest::keyClick(text16, key);
        QCOMPARE(s.m_currentScreen, 1);
        QVERIFY(!m_view->PreviewTimerRunning());
        QCOMPARE(s.m_drawingTool, EDrawingTool::Pen);
        QCOMPARE(text16->text(), QStringLiteral("l"));
        // Keys with Ctrl that the box does not take reach the window.
        s.m_macroCode.clear();
        ClickButton(m_view, IDC_MACRO_RECORD);
        text16->setFocus();
        QTest::keyClick(text16, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.m_macroCode, std::string("14,"));
        // Away from the box the keys work again.
        m_view->setFocus();
        QTest::keyClick(m_frame.get(), Qt::Key_PageDown);
        QCOMPARE(s.m_currentScreen, 2);
    }

    void toolsAreChosenByKeysToolbarAndMenu() {
        const CScreenStore& s = m_view->Core().Store();
        QVERIFY(m_frame->Action(ID_TOOL_PEN)->isChecked());
        QTest::keyClick(m_frame.get(), Qt::Key_L);
        QCOMPARE(s.m_drawingTool, EDrawingTool::Line);
        QVERIFY(m_frame->Action(ID_TOOL_LINE)->isChecked());
        QVERIFY(!m_frame->Action(ID_TOOL_PEN)->isChecked());
        QWidget* rectangle =
            m_frame->ToolBar()->widgetForAction(m_frame->Action(ID_TOOL_RECTANGLE));
        QTest::mouseClick(rectangle, Qt::LeftButton);
        QCOMPARE(s.m_drawingTool, EDrawingTool::Rectangle);
        QVERIFY(m_frame->Action(ID_TOOL_RECTANGLE)->isChecked());
        QCOMPARE(rectangle->toolTip(), QString::fromUtf8("四角形"));
        m_frame->Action(ID_TOOL_FILL)->trigger();
        QCOMPARE(s.m_drawingTool, EDrawingTool::Fill);
        QTest::keyClick(m_frame.get(), Qt::Key_P);
        QCOMPARE(s.m_drawingTool, EDrawingTool::Pen);
        QVERIFY(m_frame->Action(ID_TOOL_PEN)->isChecked());
        QVERIFY(!m_frame->Action(ID_TOOL_FILL)->isChecked());
    }

    void lineRectangleAndFillDrawTheirDotsAndUndoPutsTheGridBack() {
        const CScreenStore& s = m_view->Core().Store();
        CDotGridWidget* grid = m_view->Grid();

        // A line: shown while dragged, written at the release.
        QTest::keyClick(m_frame.get(), Qt::Key_L);
        QTest::mousePress(m_view, Qt::LeftButton, {}, CellCenter(2, 2));
        QTest::mouseMove(m_view, CellCenter(5, 9));
        QTest::mouseMove(m_view, CellCenter(8, 5));
        const CellSet line = Cells(StraightLineCells({2, 2}, {8, 5}));
        QCOMPARE(line, (CellSet{{2, 2}, {3, 3}, {4, 3}, {5, 4}, {6, 4}, {7, 5}, {8, 5}}));
        QCOMPARE(GridLit(grid), line);
        QVERIFY(LitDots(s).empty());
        QTest::mouseRelease(m_view, Qt::LeftButton, {}, CellCenter(8, 5));
        QCOMPARE(LitDots(s), line);
        QCOMPARE(GridLit(grid), line);
        QVERIFY(m_frame->Doc().IsModified());

        // A filled rectangle: its outline, then a fill of its inside.
        QTest::keyClick(m_frame.get(), Qt::Key_R);
        QTest::mousePress(m_view, Qt::LeftButton, {}, CellCenter(20, 16));
        QTest::mouseMove(m_view, CellCenter(10, 10));
        QTest::mouseRelease(m_view, Qt::LeftButton, {}, CellCenter(10, 10));
        CellSet outline = line;
        for (const SCell& cell : RectangleCells({10, 10}, {20, 16}))
            outline.insert({cell.column, cell.row});
        QCOMPARE(LitDots(s), outline);
        QTest::keyClick(m_frame.get(), Qt::Key_B);
        QTest::mouseClick(m_view, Qt::LeftButton, {}, CellCenter(15, 13));
        CellSet filled = line;
        for (int column = 10; column <= 20; ++column)
            for (int row = 10; row <= 16; ++row)
                filled.insert({column, row});
        QCOMPARE(LitDots(s), filled);
        QCOMPARE(GridLit(grid), filled);

        // Each was one action.
        for (const CellSet& before : {outline, line, CellSet{}}) {
            QTest::keyClick(m_frame.get(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(LitDots(s), before);
            QCOMPARE(GridLit(grid), before);
        }
        QVERIFY(!m_frame->Doc().IsModified());
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
    CQuorvelView* m_view = nullptr;
};

GLOWMOTION_SHELL_TEST_MAIN(CKeysAndToolsTests)
#include "KeysAndToolsTests.moc"
