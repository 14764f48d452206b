// "テキストスクロール..." in the window: the dialog's animated preview of the
// passing text, the write into the bank from the menu, its undo, the
// refusal past screen 800, and the choices kept for next time.

#include "ShellTestSupport.h"

#include "app/UndoCommands.h"
#include "app/qt/ExchangeCommands.h"
#include "app/qt/GifImportDlg.h"
#include "app/qt/MainFrame.h"
#include "app/qt/TextScrollDlg.h"
#include "app/qt/TextSettings.h"
#include "store/CommandIds.h"
#include "view/qt/QuorvelView.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <array>
#include <memory>

namespace {

using CScreen = std::array<Word, kWordsPerScreen>;

// Screen k of what `options` make, drawn by the core with `view`'s fonts.
CScreen Expected(CViewCore& view, const STextScrollOptions& options, int k) {
    const STextFont font = TextFontOf(view, options);
    const std::optional<CScrollingText> text =
        CScrollingText::Render(view.Rasterizer(), font, options.message,
                               options.row.value_or(CentredTextRow(font.size)), options.step);
    CScreen screen{};
    if (text)
        text->Screen(k, screen.data());
    return screen;
}

int Lit(const CScreen& screen) {
    int lit = 0;
    for (const Word word : screen)
        lit += std::popcount(word);
    return lit;
}

} // namespace

class CTextScrollTests : public QObject {
    Q_OBJECT

private slots:
    void init() {
        WriteTextOptions(STextScrollOptions{});
        m_frame = std::make_unique<CMainFrame>();
        m_frame->NewDocument();
        CScreenStore& s = Core().Store();
        for (int n = 1; n <= 12; ++n)
            SetDot(s.ScreenAt(0, n).data(), n, 0);
        s.m_screenCount[0] = s.m_displayedCount[0] = 12;
        m_frame->View()->Dispatcher().OnClick(IDC_LAST_SCREEN); // screen 12
        m_frame->Doc().SetModifiedFlag(false);
    }
    void cleanup() {
        ExchangeDialogHook() = nullptr;
        m_frame->Doc().SetModifiedFlag(false);
        m_frame.reset();
    }

    void previewShowsTheTextPassing() {
        STextScrollOptions options;
        options.message = "漢字";
        CTextScrollDlg dialog(Core(), options);
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("テキストスクロール"));
        QCOMPARE(dialog.ScreenCount(), 80); // 32 columns + 48, one dot a screen
        QCOMPARE(dialog.InfoLabel()->text(), QString::fromUtf8("80 スクリーン"));
        QCOMPARE(dialog.FontBox()->currentText(), QString::fromUtf8("標準 (Unifont-JP)"));
        QCOMPARE(dialog.RowBox()->text(), QString::fromUtf8("中央"));
        QVERIFY(dialog.OkButton()->isEnabled());

        // Frame by frame, the preview is the screen the write makes.
        QCOMPARE(dialog.PreviewScreen(), 0);
        QCOMPARE(dialog.Preview()->Screen(), Expected(Core(), options, 0));
        for (int k = 1; k <= 40; ++k)
            dialog.AdvancePreview();
        QCOMPARE(dialog.PreviewScreen(), 40);
        QCOMPARE(dialog.Preview()->Screen(), Expected(Core(), options, 40));
        QVERIFY(Lit(dialog.Preview()->Screen()) > 40);
        for (int k = 41; k <= 80; ++k)
            dialog.AdvancePreview();
        QCOMPARE(dialog.PreviewScreen(), 0); // from the first again

        // It plays by itself, a screen every 100 ms.
        QCOMPARE(dialog.PreviewTimer()->interval(), 100);
        QVERIFY(dialog.PreviewTimer()->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(dialog.PreviewScreen() >= 3, 2000);

        // A change starts the preview over with what the options make now.
        dialog.StepBox()->setValue(8);
        QCOMPARE(dialog.PreviewScreen(), 0);
        QCOMPARE(dialog.ScreenCount(), 10);
        dialog.SizeBox()->setCurrentIndex(0); // 8 dots
        QCOMPARE(dialog.FontBox()->currentText(), QString::fromUtf8("標準 (MisakiGothic)"));
        QCOMPARE(dialog.RowBox()->maximum(), 24);
        QCOMPARE(dialog.ScreenCount(), 8); // 16 columns + 48 by 8
        dialog.RowBox()->setValue(0);
        options = dialog.Options();
        QCOMPARE(options.size, 8);
        QVERIFY(options.family.empty());
        QCOMPARE(options.row, std::optional<int>(0));
        QCOMPARE(options.step, 8);
        dialog.AdvancePreview();
        QCOMPARE(dialog.Preview()->Screen(), Expected(Core(), options, 1));
        // Lit only on rows 0..7.
        for (const Word word : dialog.Preview()->Screen())
            QCOMPARE(word & 0x00FFFFFFu, Word{0});

        const int unifont = dialog.FontBox()->findText(QStringLiteral("Unifont-JP"));
        QVERIFY(unifont > 0);
        dialog.FontBox()->setCurrentIndex(unifont);
        QCOMPARE(dialog.Options().family, std::string("Unifont-JP"));

        dialog.MessageEdit()->clear();
        QVERIFY(!dialog.OkButton()->isEnabled());
        QCOMPARE(Lit(dialog.Preview()->Screen()), 0);
    }

    void infoNamesAMissingFontAndTooManyScreens() {
        STextScrollOptions options;
        options.message = "A";
        options.family = "No Such Family 0815";
        CTextScrollDlg dialog(Core(), options);
        QCOMPARE(dialog.FontBox()->currentText(), QString::fromUtf8("No Such Family 0815"));
        QCOMPARE(dialog.ScreenCount(), 0);
        QCOMPARE(dialog.InfoLabel()->text(),
                 QString::fromUtf8("フォント「No Such Family 0815」が見つかりません。"));
        // 48 kanji of 16 dots and the 48 columns to leave: 816 screens.
        dialog.FontBox()->setCurrentIndex(0);
        dialog.MessageEdit()->setText(QString(48, QChar(0x6F22)));
        QCOMPARE(dialog.ScreenCount(), 816);
        QCOMPARE(dialog.InfoLabel()->text(),
                 QString::fromUtf8("スクリーン枚数がオーバーしました。"));
    }

    void menuWritesTheScreensAsOneUndoableAction() {
        CDialogScript dialogs;
        STextScrollOptions chosen;
        ExchangeDialogHook() = [&](QDialog& dialog) {
            auto* text = qobject_cast<CTextScrollDlg*>(&dialog);
            if (text == nullptr)
                return false;
            text->MessageEdit()->setText(QString::fromUtf8("あいう ABC"));
            text->StepBox()->setValue(3);
            chosen = text->Options();
            return true;
        };
        CViewCore& view = Core();
        const CScreenStore before = view.Store();
        m_frame->Action(ID_TEXT_SCROLL)->trigger();
        QVERIFY(dialogs.messages.empty());

        // From screen 12 on: (16 * 3 + 8 * 4 + 48) / 3, rounded up, screens.
        const CScreenStore& s = view.Store();
        const int count = (16 * 3 + 8 * 4 + 48 + 2) / 3;
        QCOMPARE(s.m_screenCount[0], 12 + count - 1);
        QCOMPARE(s.m_currentScreen, 12);
        for (int k = 0; k < count; ++k) {
            const CScreen expected = Expected(view, chosen, k);
            QVERIFY2(std::equal(expected.begin(), expected.end(), s.ScreenAt(0, 12 + k).data()),
                     qPrintable(QString::number(k)));
        }
        QVERIFY(TestDot(s.ScreenAt(0, 11).data(), 11, 0));
        QVERIFY(m_frame->Doc().IsModified());
        QCOMPARE(m_frame->Action(ID_EDIT_UNDO)->statusTip(),
                 QString::fromUtf8("元に戻す: テキストスクロール"));

        m_frame->Action(ID_EDIT_UNDO)->trigger();
        QCOMPARE(s.m_screenCount[0], 12);
        QVERIFY(s.m_banks[0] == before.m_banks[0]);
        QCOMPARE(s.m_currentScreen, 12);

        // The choices come back the next time; Cancel writes nothing.
        STextScrollOptions shown;
        ExchangeDialogHook() = [&](QDialog& dialog) {
            shown = static_cast<CTextScrollDlg&>(dialog).Options();
            return false;
        };
        m_frame->Action(ID_TEXT_SCROLL)->trigger();
        QCOMPARE(shown.message, std::string("あいう ABC"));
        QCOMPARE(shown.step, 3);
        QCOMPARE(s.m_screenCount[0], 12);
        QCOMPARE(ReadTextOptions().message, std::string("あいう ABC"));
    }

    void pastScreen800NothingChanges() {
        CDialogScript dialogs;
        ExchangeDialogHook() = [](QDialog& dialog) {
            auto& text = static_cast<CTextScrollDlg&>(dialog);
            // 47 kanji fill 800 screens from screen 1; from screen 12 they are too many.
            text.MessageEdit()->setText(QString(47, QChar(0x6F22)));
            return true;
        };
        CViewCore& view = Core();
        const CScreenStore before = view.Store();
        m_frame->Action(ID_TEXT_SCROLL)->trigger();
        QCOMPARE(dialogs.messages.size(), size_t{1});
        QCOMPARE(dialogs.messages[0].text, std::string("スクリーン枚数がオーバーしました。"));
        QCOMPARE(dialogs.messages[0].caption, std::string("エラー発生！"));
        QVERIFY(view.Store().m_banks[0] == before.m_banks[0]);
        QCOMPARE(view.Store().m_screenCount[0], 12);
        QVERIFY(!m_frame->Doc().IsModified());
        QVERIFY(UndoLabel(view) != "テキストスクロール");
    }

private:
    CViewCore& Core() { return m_frame->View()->Core(); }

    std::unique_ptr<CMainFrame> m_frame;
};

GLOWMOTION_SHELL_TEST_MAIN(CTextScrollTests)
#include "TextScrollTests.moc"
