// The ways work could be lost in the window: an option effect before closing,
// an edit of a bank other than the one saved, and a save after undoing Open.
// Each goes through the real buttons, keys and close of the main window.

#include "ShellTestSupport.h"

#include "app/qt/MainFrame.h"
#include "store/CommandIds.h"
#include "view/qt/QuorvelView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include <memory>

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

class CUnsavedWorkTests : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_frame = StartMainFrame();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    }
    void cleanup() {
        // Whatever a test left unsaved, the window goes without a question.
        m_frame->View()->Core().Document().SetMarks({});
        CloseMainFrame(m_frame);
    }

    void anOptionEffectIsNotLostOnClosing() {
        CDialogScript dialogs;
        CQuorvelView* view = m_frame->View();
        // A dot to move, then Option1: the curtain opens over 24 new screens.
        QTest::mouseClick(view, Qt::LeftButton, {}, CellCenter(30, 10));
        m_frame->Doc().SetModifiedFlag(false);
        Click(IDC_OPTION1);
        QCOMPARE(view->Core().Store().CurrentScreenCount(), 25);

        dialogs.answers.push_back(IDCANCEL);
        QVERIFY(!m_frame->close());
        QVERIFY(m_frame->isVisible());
        QCOMPARE(dialogs.messages.size(), size_t{1});
        QCOMPARE(dialogs.messages[0].text, std::string("無題 への変更を保存しますか？"));

        // Cut and paste too.
        m_frame->Doc().SetModifiedFlag(false);
        QTest::keyClick(m_frame.get(), Qt::Key_X, Qt::ControlModifier);
        dialogs.answers.push_back(IDCANCEL);
        QVERIFY(!m_frame->close());
        QCOMPARE(dialogs.messages.size(), size_t{2});
    }

    void anEditOfAnotherBankIsAskedAboutByName() {
        CDialogScript dialogs;
        CQuorvelView* view = m_frame->View();
        Click(IDC_SELECT2);
        QTest::mouseClick(view, Qt::LeftButton, {}, CellCenter(5, 5));
        Click(IDC_SELECT1);
        QTest::mouseClick(view, Qt::LeftButton, {}, CellCenter(6, 6));
        const QString saved = m_dir.filePath("select1.qvl");
        dialogs.files.push_back(saved.toStdString());
        QTest::keyClick(m_frame.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ReadFileBytes(saved).size(), 1920);
        QVERIFY(!m_frame->Doc().IsModified());

        // No keeps the window, and nothing else is asked.
        dialogs.answers.push_back(IDNO);
        QVERIFY(!m_frame->close());
        QVERIFY(m_frame->isVisible());
        QCOMPARE(dialogs.messages.size(), size_t{1});
        QCOMPARE(dialogs.messages[0].text,
                 std::string("select2 の変更は保存されていません。破棄しますか？"));
        QCOMPARE(dialogs.messages[0].caption, std::string("Glowmotion"));
        QCOMPARE(dialogs.messages[0].type, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);

        // New and Open ask the same; No leaves the banks as they are.
        dialogs.answers.push_back(IDNO);
        m_frame->OnCommand(ID_FILE_NEW);
        QCOMPARE(dialogs.messages.size(), size_t{2});
        QCOMPARE(m_frame->windowTitle(), U("select1.qvl - Glowmotion 32"));
        QVERIFY(TestDot(view->Core().Store().ScreenAt(0, 1).data(), 6, 6));
        dialogs.answers.push_back(IDNO);
        QCOMPARE(m_frame->OpenDocumentFile(saved), CMainFrame::EOpenResult::Cancelled);

        // Once select2 is shown it has the save prompt of its own.
        Click(IDC_SELECT2);
        QVERIFY(m_frame->Doc().IsModified());
        dialogs.answers.push_back(IDCANCEL);
        QVERIFY(!m_frame->close());
        QCOMPARE(dialogs.messages.back().text, std::string("select1.qvl への変更を保存しますか？"));

        // Yes to the question about select2 closes the window.
        Click(IDC_SELECT1);
        dialogs.answers.push_back(IDYES);
        QVERIFY(m_frame->close());
    }

    void saveAfterUndoingOpenLeavesTheOpenedFileAlone() {
        CDialogScript dialogs;
        CQuorvelView* view = m_frame->View();
        QTest::mouseClick(view, Qt::LeftButton, {}, CellCenter(1, 1));
        const QString mine = m_dir.filePath("mine.qvl");
        dialogs.files.push_back(mine.toStdString());
        QTest::keyClick(m_frame.get(), Qt::Key_S, Qt::ControlModifier);
        QTest::mouseClick(view, Qt::LeftButton, {}, CellCenter(2, 2));

        std::vector<Word> words(3 * kWordsPerScreen, 0);
        words[47] = 0x00000001u;
        const QString theirs = m_dir.filePath("theirs.qvl");
        WriteQvl(theirs, words);
        const QByteArray theirBytes = ReadFileBytes(theirs);
        dialogs.answers.push_back(IDNO); // the second dot is not saved first
        QCOMPARE(m_frame->OpenDocumentFile(theirs), CMainFrame::EOpenResult::Opened);
        QCOMPARE(m_frame->windowTitle(), U("theirs.qvl - Glowmotion 32"));

        QTest::keyClick(m_frame.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_frame->windowTitle(), U("mine.qvl - Glowmotion 32"));
        QVERIFY(m_frame->Doc().IsModified());
        QTest::keyClick(m_frame.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ReadFileBytes(theirs), theirBytes);
        const QByteArray mineBytes = ReadFileBytes(mine);
        QCOMPARE(mineBytes.size(), 1920);
        // Both dots: the state on display.
        QCOMPARE(static_cast<unsigned char>(mineBytes[4 + 3]), 0x40);
        QCOMPARE(static_cast<unsigned char>(mineBytes[8 + 3]), 0x20);
        QVERIFY(!m_frame->Doc().IsModified());
    }

private:
    void Click(int id) {
        auto* button = qobject_cast<QAbstractButton*>(m_frame->View()->Control(id));
        QVERIFY(button != nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    std::unique_ptr<CMainFrame> m_frame;
    QTemporaryDir m_dir;
};

GLOWMOTION_SHELL_TEST_MAIN(CUnsavedWorkTests)

#include "UnsavedWorkTests.moc"
