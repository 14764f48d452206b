// Watching the animation: the LED sign window, the filmstrip and the
// preview's speed, and the settings they keep.

#include "ShellTestSupport.h"

#include "app/qt/ExchangeCommands.h"
#include "app/qt/ExportDlg.h"
#include "app/qt/MainFrame.h"
#include "app/qt/QtProfile.h"
#include "store/CommandIds.h"
#include "store/ShownScreen.h"
#include "view/Navigation.h"
#include "view/qt/Filmstrip.h"
#include "view/qt/FormScrollBar.h"
#include "view/qt/QuorvelView.h"
#include "view/qt/ReadOnlyEdit.h"
#include "view/qt/SignWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Screens 1..count; screen n lights dot (n % 48, 0) and the column n % 48
// from row 1 down to row n % 31 + 1.
std::vector<Word> Numbered(int count) {
    std::vector<Word> words(static_cast<size_t>(count) * kWordsPerScreen, 0);
    for (int n = 1; n <= count; ++n) {
        Word* screen = words.data() + static_cast<size_t>(n - 1) * kWordsPerScreen;
        SetDot(screen, n % 48, 0);
        for (int row = 1; row <= n % 31 + 1; ++row)
            SetDot(screen, (n + 7) % 48, row);
    }
    return words;
}

QSettings Settings() {
    return QSettings(QString::fromUtf8(kSettingsOrganization),
                     QString::fromUtf8(kSettingsApplication));
}

// The LEDs of the sign window against the screen the grid shows: the
// middle of every LED in its lit or unlit colour.
void CompareSignWithGrid(CSignWindow* sign, const CScreenStore& s) {
    const QImage image = sign->grab().toImage();
    const auto words = ShownScreenWords(s);
    const QRgb lit = CSignWindow::LitColour(sign->Colour()).rgb();
    const QRgb unlit = CSignWindow::UnlitColour(sign->Colour()).rgb();
    for (int column = 0; column < kScreenColumns; ++column)
        for (int row = 0; row < kScreenRows; ++row)
            QCOMPARE(image.pixel(sign->LedCentre(column, row)),
                     TestDot(words.data(), column, row) ? lit : unlit);
}

} // namespace

class CWatchTests : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_frame = StartMainFrame();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        Open(12);
    }
    void cleanup() {
        ExchangeDialogHook() = nullptr;
        CloseMainFrame(m_frame);
    }

    void signWindowShowsWhatTheGridShowsAtAnySize() {
        m_frame->Action(ID_VIEW_SIGN_WINDOW)->trigger();
        CSignWindow* sign = m_frame->SignWindow();
        QVERIFY(sign != nullptr && sign->isVisible());
        QVERIFY(m_frame->Action(ID_VIEW_SIGN_WINDOW)->isChecked());
        QVERIFY(sign->windowTitle().contains(QString::fromUtf8("LED看板")));
        QCOMPARE(sign->Colour(), CSignWindow::EColour::Red);
        const CScreenStore& s = m_frame->View()->Core().Store();
        for (const QColor& colour : {CSignWindow::UnlitColour(CSignWindow::EColour::White),
                                     CSignWindow::UnlitColour(CSignWindow::EColour::Red)})
            QVERIFY(colour.red() < 128 && colour.green() < 128 && colour.blue() < 128);

        // The largest 3:2 area, centred: wide windows leave black at the
        // sides, tall ones above and below.
        struct SSize {
            QSize size;
            QRect area;
        };
        const SSize sizes[] = {{{900, 700}, {0, 50, 900, 600}}, {{600, 300}, {75, 0, 450, 300}}};
        for (const SSize& size : sizes) {
            sign->resize(size.size);
            QTRY_COMPARE(sign->size(), size.size);
            QCOMPARE(sign->LedRect(0, 0).topLeft(), size.area.topLeft());
            QCOMPARE(sign->LedRect(47, 31).bottomRight(), size.area.bottomRight());
            QCOMPARE(sign->grab().toImage().pixel(size.area.left() / 2, size.area.top() / 2),
                     qRgb(0, 0, 0));
            CompareSignWithGrid(sign, s);
        }

        // It follows within the turn of the event loop: a key, a dot, the
        // preview.
        QTest::keyClick(m_frame.get(), Qt::Key_PageDown);
        QCoreApplication::processEvents();
        CompareSignWithGrid(sign, s);
        QTest::mouseClick(m_frame->View(), Qt::LeftButton, {}, CellCenter(30, 20));
        QCoreApplication::processEvents();
        QVERIFY(TestDot(ShownScreenWords(s).data(), 30, 20));
        CompareSignWithGrid(sign, s);
        m_frame->View()->Dispatcher().OnClick(IDC_PLAY);
        m_frame->View()->Dispatcher().OnTimer(kPreviewTimerId);
        QCoreApplication::processEvents();
        QCOMPARE(s.ScreenOnDisplay(), 3);
        CompareSignWithGrid(sign, s);

        // Colours from the context menu's group.
        auto* colours = sign->findChild<QActionGroup*>();
        QVERIFY(colours != nullptr);
        QStringList texts;
        for (QAction* action : colours->actions())
            texts << action->text();
        QCOMPARE(texts, QString::fromUtf8("赤 橙 緑 白").split(QLatin1Char(' ')));
        colours->actions().at(2)->trigger();
        QCOMPARE(sign->Colour(), CSignWindow::EColour::Green);
        CompareSignWithGrid(sign, s);
        QCOMPARE(Settings().value(QStringLiteral("View/SignColour")).toString(),
                 QStringLiteral("green"));

        // F11 toggles full screen; closing unchecks the menu item.
        QVERIFY(!sign->FullScreenAction()->isChecked());
        QCOMPARE(sign->FullScreenAction()->shortcut(), QKeySequence(Qt::Key_F11));
        m_frame->Action(ID_VIEW_SIGN_WINDOW)->trigger();
        QVERIFY(!sign->isVisible());
        QVERIFY(!m_frame->Action(ID_VIEW_SIGN_WINDOW)->isChecked());
    }

    void aRunningPreviewDrawsTheNumbersAsTheBoxesDo() {
        // A running preview changes the screen numbers on every screen; the
        // boxes draw them themselves then, and must look as QLineEdit does.
        CQuorvelView* view = m_frame->View();
        auto* current = qobject_cast<CReadOnlyEdit*>(view->Control(IDC_CURRENT_SCREEN));
        auto* bankCurrent = qobject_cast<CReadOnlyEdit*>(view->Control(IDC_BANK1_CURRENT));
        QVERIFY(current != nullptr && bankCurrent != nullptr);
        view->Dispatcher().OnClick(IDC_PLAY);
        for (int tick = 0; tick < 9; ++tick)
            view->Dispatcher().OnTimer(kPreviewTimerId);
        QVERIFY(current->IsQuick());
        QCOMPARE(current->ShownText(), QStringLiteral("10"));
        QCOMPARE(bankCurrent->ShownText(), QStringLiteral("10"));
        // The form under and around each box, as the window shows it.
        const auto shot = [view](QWidget* box) {
            return view->grab(box->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        };
        const QImage quick = shot(current);
        const QImage quickBank = shot(bankCurrent);
        // Paused, QLineEdit takes the text and draws the same pixels.
        view->Dispatcher().OnClick(IDC_PLAY);
        QVERIFY(!current->IsQuick());
        QCOMPARE(current->text(), QStringLiteral("10"));
        QCOMPARE(shot(current), quick);
        QCOMPARE(shot(bankCurrent), quickBank);
        auto* bar = qobject_cast<CFormScrollBar*>(view->Control(IDC_SCREEN_SCROLL));
        QCOMPARE(bar->value(), 10);
    }

    void settingsComeBackAtTheNextStart() {
        // Preview speed: the timer, the menu and the GIF export follow it.
        QVERIFY(m_frame->Action(ID_VIEW_SPEED_100)->isChecked());
        m_frame->Action(ID_VIEW_SPEED_200)->trigger();
        QVERIFY(m_frame->Action(ID_VIEW_SPEED_200)->isChecked());
        QVERIFY(!m_frame->Action(ID_VIEW_SPEED_100)->isChecked());
        m_frame->View()->Dispatcher().OnClick(IDC_PLAY);
        QVERIFY(m_frame->View()->PreviewTimerRunning());
        QCOMPARE(m_frame->View()->PreviewTimerInterval(), 200);
        m_frame->Action(ID_VIEW_SPEED_500)->trigger();
        QCOMPARE(m_frame->View()->PreviewTimerInterval(), 500);
        m_frame->View()->Dispatcher().OnClick(IDC_PLAY);

        m_frame->Action(ID_VIEW_SIGN_WINDOW)->trigger();
        CSignWindow* sign = m_frame->SignWindow();
        sign->findChild<QActionGroup*>()->actions().at(3)->trigger();
        const QRect place(40, 60, 450, 300);
        sign->setGeometry(place);
        QTRY_COMPARE(sign->NormalGeometry(), place);
        sign->close();
        QVERIFY(!m_frame->Action(ID_VIEW_SIGN_WINDOW)->isChecked());
        CloseMainFrame(m_frame);

        QSettings settings = Settings();
        QCOMPARE(settings.value(QStringLiteral("View/PreviewInterval")).toInt(), 500);
        QCOMPARE(settings.value(QStringLiteral("View/SignColour")).toString(),
                 QStringLiteral("white"));
        QCOMPARE(settings.value(QStringLiteral("View/SignGeometry")).toRect(), place);

        m_frame = std::make_unique<CMainFrame>();
        QVERIFY(m_frame->Action(ID_VIEW_SPEED_500)->isChecked());
        QCOMPARE(m_frame->View()->Core().Store().m_previewInterval, 500);
        int delay = 0;
        ExchangeDialogHook() = [&delay](QDialog& dialog) {
            delay = static_cast<CExportDlg&>(dialog).DelayBox()->value();
            return false;
        };
        m_frame->OnCommand(ID_EXPORT_GIF);
        QCOMPARE(delay, 500);
        m_frame->Action(ID_VIEW_SIGN_WINDOW)->trigger();
        QCOMPARE(m_frame->SignWindow()->Colour(), CSignWindow::EColour::White);
        QCOMPARE(m_frame->SignWindow()->geometry(), place);

        // What the program does not know reads as the defaults.
        CloseMainFrame(m_frame);
        settings.setValue(QStringLiteral("View/PreviewInterval"), 70);
        settings.setValue(QStringLiteral("View/SignColour"), QStringLiteral("purple"));
        settings.setValue(QStringLiteral("View/SignGeometry"), QRect(-5000, -5000, 400, 300));
        settings.sync();
        m_frame = std::make_unique<CMainFrame>();
        QVERIFY(m_frame->Action(ID_VIEW_SPEED_100)->isChecked());
        QCOMPARE(m_frame->View()->Core().Store().m_previewInterval, 100);
        m_frame->Action(ID_VIEW_SIGN_WINDOW)->trigger();
        QCOMPARE(m_frame->SignWindow()->Colour(), CSignWindow::EColour::Red);
        QVERIFY(m_frame->SignWindow()->geometry().left() > -5000);
    }

    void filmstripShowsTheBankAndGoesWhereItIsClicked() {
        CFilmstrip* strip = m_frame->Filmstrip();
        QVERIFY(strip->isHidden());
        m_frame->Action(ID_VIEW_FILMSTRIP)->trigger();
        QVERIFY(strip->isVisible());
        QVERIFY(m_frame->Action(ID_VIEW_FILMSTRIP)->isChecked());
        // The window grows by the strip; the form keeps its place and size.
        QCOMPARE(m_frame->size(), QSize(1024, 740 + strip->height()));
        QCOMPARE(m_frame->minimumSize(), m_frame->maximumSize());
        QCOMPARE(m_frame->View()->size(), m_frame->View()->minimumSize());
        QTRY_VERIFY(strip->PicturesDrawn() > 0);
        QCOMPARE(strip->ShownScreen(), 1);

        // A click goes to the screen and is recorded as the bar records.
        CQuorvelView* view = m_frame->View();
        const CScreenStore& s = view->Core().Store();
        ClickButton(view, IDC_MACRO_RECORD);
        QTest::mouseClick(strip->viewport(), Qt::LeftButton, {}, strip->ItemRect(5).center());
        QCOMPARE(s.m_currentScreen, 5);
        QCOMPARE(s.m_macroCode, std::string("[5],"));
        QCoreApplication::processEvents();
        QCOMPARE(strip->ShownScreen(), 5);
        // Nothing past the last screen.
        QCOMPARE(strip->ScreenAt(strip->ItemRect(13).center()), 0);

        // A dot drawn on screen 5 draws its picture again, and no other.
        QTest::qWait(50);
        const int drawn = strip->PicturesDrawn();
        QTest::mouseClick(view, Qt::LeftButton, {}, CellCenter(1, 1));
        QTRY_COMPARE(strip->PicturesDrawn(), drawn + 1);
        QTest::qWait(50);
        QCOMPARE(strip->PicturesDrawn(), drawn + 1);

        // Another bank, then a long one: the screen on display stays in view.
        ClickButton(view, IDC_SELECT2);
        QCoreApplication::processEvents();
        QCOMPARE(strip->horizontalScrollBar()->maximum(),
                 std::max(0, 10 * CFilmstrip::kItemWidth - strip->viewport()->width()));
        ClickButton(view, IDC_SELECT1);
        Open(800);
        QTest::keyClick(m_frame.get(), Qt::Key_End);
        QCoreApplication::processEvents();
        QCOMPARE(strip->ShownScreen(), 800);
        QVERIFY(strip->viewport()->rect().contains(strip->ItemRect(800)));
        QTest::keyClick(m_frame.get(), Qt::Key_Home);
        QCoreApplication::processEvents();
        QVERIFY(strip->viewport()->rect().contains(strip->ItemRect(1)));
        // The preview takes the frame along.
        view->Dispatcher().OnClick(IDC_PLAY);
        for (int tick = 0; tick < 12; ++tick)
            view->Dispatcher().OnTimer(kPreviewTimerId);
        view->Dispatcher().OnClick(IDC_PLAY);
        QCoreApplication::processEvents();
        QCOMPARE(strip->ShownScreen(), 13);
        QVERIFY(strip->viewport()->rect().contains(strip->ItemRect(13)));

        m_frame->Action(ID_VIEW_FILMSTRIP)->trigger();
        QVERIFY(strip->isHidden());
        QCOMPARE(m_frame->size(), QSize(1024, 740));
    }

private:
    void Open(int screens) {
        const QString path = m_dir.filePath(QStringLiteral("anim%1.qvl").arg(screens));
        WriteQvl(path, Numbered(screens));
        m_frame->Doc().SetModifiedFlag(false);
        m_frame->View()->Core().SetBankModified(0, false);
        QCOMPARE(m_frame->OpenDocumentFile(path), CMainFrame::EOpenResult::Opened);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
};

GLOWMOTION_SHELL_TEST_MAIN(CWatchTests)

#include "WatchTests.moc"
