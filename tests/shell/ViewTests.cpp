// The editor form on its own: grid pixels, the places of the controls, the
// mouse, the buttons, the scroll bar, the preview and the message boxes.

#include "ShellTestSupport.h"

#include "app/DocumentCommands.h"
#include "app/QuorvelDoc.h"
#include "edit/FreeTypeRasterizer.h"
#include "store/CommandIds.h"
#include "view/Navigation.h"
#include "view/qt/DotGridWidget.h"
#include "view/qt/FormScrollBar.h"
#include "view/FormTemplate.h"
#include "view/qt/QuorvelView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <set>

namespace {

QRect ToQRect(const CRect& rect) {
    return {rect.left, rect.top, rect.Width(), rect.Height()};
}

// Runs `act` on the next modal dialog as soon as it is up.
void OnNextModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

// Types `text` into `widget` one character at a time, as a keyboard with an
// input method would deliver it.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

// A move with no button held, which QTest would only make by moving the
// system pointer.
void HoverTo(QWidget* widget, const QPoint& pos) {
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Opens the context menu of `widget` at `pos` and chooses its entry number
// `entry` (separators not counted), or closes it with Escape for -1.
void ChooseFromContextMenu(QWidget* widget, const QPoint& pos, int entry) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, entry] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        timer->stop();
        timer->deleteLater();
        QList<QAction*> entries;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                entries << action;
        if (entry >= 0)
            menu->setActiveAction(entries.value(entry));
        QTest::keyClick(menu, entry >= 0 ? Qt::Key_Return : Qt::Key_Escape);
    });
    timer->start();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
}

// The SB_* codes a scroll bar reported, in order; clears the spy.
QList<int> TakeCodes(QSignalSpy& spy) {
    QList<int> codes;
    for (const QList<QVariant>& signal : spy)
        codes << signal.at(0).toInt();
    spy.clear();
    return codes;
}

} // namespace

class CViewTests : public QObject {
    Q_OBJECT

private slots:
    void init() {
        SViewUnderTest started = StartView();
        m_doc = std::move(started.doc);
        m_view = std::move(started.view);
    }
    void cleanup() {
        m_view.reset();
        m_doc.reset();
    }

    void gridPaintsTheDotsOfAnOpenedFile() {
        // Column 0 holds only row 0, column 47 only row 31: a file beginning
        // with the bytes 00 00 00 80.
        std::vector<Word> words(kWordsPerScreen, 0);
        words[0] = 0x80000000u;
        words[47] = 0x00000001u;
        const QString path = m_dir.filePath("corners.qvl");
        WriteQvl(path, words);
        QVERIFY(OpenAnimation(m_view->Core(), *m_doc, path.toStdString()));

        CDotGridWidget* grid = m_view->Grid();
        QCOMPARE(grid->geometry(), QRect(77, 54, 289, 193));
        QVERIFY(grid->testAttribute(Qt::WA_OpaquePaintEvent));
        const QImage image = grid->grab().toImage();
        QCOMPARE(image.size(), QSize(289, 193));
        const auto pixel = [&image](int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; };
        const QRgb cyan = 0x00FFFF, white = 0xFFFFFF, black = 0x000000;
        // Interiors: the lit corners cyan, their neighbours white.
        QCOMPARE(pixel(3, 3), cyan);
        QCOMPARE(pixel(1, 5), cyan);
        QCOMPARE(pixel(285, 189), cyan);
        QCOMPARE(pixel(9, 3), white);
        QCOMPARE(pixel(3, 9), white);
        QCOMPARE(pixel(279, 189), white);
        // One-pixel black lines between and around the cells.
        for (const QPoint p : {QPoint(0, 0), QPoint(6, 3), QPoint(3, 6), QPoint(12, 100),
                               QPoint(150, 192), QPoint(288, 192), QPoint(288, 0)})
            QCOMPARE(pixel(p.x(), p.y()), black);

        // With a preview offset the grid shows a later screen (blank here).
        m_view->Core().Store().m_previewOffset = 1;
        QCOMPARE(grid->ShownScreen(), 2);
        QCOMPARE(grid->grab().toImage().pixel(3, 3) & 0xFFFFFFu, white);
    }

    void formControlsStandAtTheirPlaces() {
        const auto controls = FormControls();
        QCOMPARE(m_view->size(), ToQRect(FormPixelRect()).size());
        for (size_t i = 0; i < controls.size(); ++i) {
            const SFormControl& control = controls[i];
            QWidget* widget = m_view->FormWidget(i);
            QVERIFY(widget != nullptr);
            const QRect expected = ToQRect(DluToPixels(control.rect));
            if (control.kind == EControlKind::Picture) {
                // A picture takes its own size at the top-left of its place.
                auto* label = qobject_cast<QLabel*>(widget);
                QVERIFY(label != nullptr);
                QCOMPARE(widget->pos(), expected.topLeft());
                QCOMPARE(widget->size(), label->pixmap().size());
            } else {
                QCOMPARE(widget->geometry(), expected);
            }
            QCOMPARE(widget->isHidden(), !control.visible);
            if (control.id >= 0)
                QCOMPARE(m_view->Control(control.id), widget);
        }
        QVERIFY(m_view->Control(IDC_GRID_FRAME)->isHidden());
        for (const SBitmapButton& button : FormBitmapButtons())
            QCOMPARE(m_view->Control(button.id)->geometry(), ToQRect(button.rect));
        // The marks stand over the block boundaries of the grid.
        QCOMPARE(m_view->FormWidget(1)->size(), QSize(1, 7));
        QCOMPARE(m_view->FormWidget(1)->x(), 77 + 6 * 16);
        QCOMPARE(m_view->FormWidget(2)->size(), QSize(2, 7));
        QCOMPARE(m_view->FormWidget(2)->x() + 1, 77 + 6 * 32);
    }

    void controlsBehaveAsTheFormSays() {
        for (const int id : {IDC_CURRENT_SCREEN, IDC_BANK1_COUNT, IDC_BANK3_CURRENT}) {
            auto* edit = qobject_cast<QLineEdit*>(m_view->Control(id));
            QVERIFY(edit->isReadOnly());
            QCOMPARE(edit->focusPolicy(), Qt::NoFocus);
        }
        QListWidget* list = m_view->MacroList();
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!list->isSortingEnabled());

        auto* record = qobject_cast<QPushButton*>(m_view->Control(IDC_MACRO_RECORD));
        QVERIFY(record->isCheckable());
        auto* select1 = qobject_cast<QPushButton*>(m_view->Control(IDC_SELECT1));
        QVERIFY(select1->isChecked());

        // The character edits take 6 and 3 bytes of code page 932, and what
        // is typed goes into the form values at once.
        auto* text16 = qobject_cast<QLineEdit*>(m_view->Control(IDC_TEXT16));
        text16->setFocus();
        TypeText(text16, QString::fromUtf8("あいうえ"));
        QCOMPARE(text16->text(), QString::fromUtf8("あいう"));
        QCOMPARE(m_view->Core().Store().m_form.text16, std::string("あいう"));
        // An IBM extension takes two bytes like any kanji.
        text16->clear();
        TypeText(text16, QString::fromUtf8("髙髙A髙"));
        QCOMPARE(text16->text(), QString::fromUtf8("髙髙A"));
    }

    void dragAcrossTheGridLightsThePath() {
        QSignalSpy status(m_view.get(), &CQuorvelView::statusTextChanged);
        QTest::mousePress(m_view.get(), Qt::LeftButton, {}, CellCenter(0, 0));
        QVERIFY(m_view->HasCapture());
        QCOMPARE(m_view->CursorShape(), ECursorShape::SetDot);
        QCOMPARE(m_view->CursorClip(), std::optional<CRect>(CRect{78, 55, 364, 246}));
        QTest::mouseMove(m_view.get(), CellCenter(10, 3));
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, {}, CellCenter(10, 3));
        QVERIFY(!m_view->HasCapture());
        QVERIFY(!m_view->CursorClip());
        QCOMPARE(m_view->CursorShape(), ECursorShape::Arrow);
        QVERIFY(m_doc->IsModified());
        QVERIFY(!status.isEmpty());
        QCOMPARE(status.last().at(0).toString(), QStringLiteral("( 10,  3)"));

        // One move of ten columns splits at (5, 1).
        const std::set<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {2, 0}, {3, 0},
                                                        {4, 0}, {5, 0}, {5, 1}, {6, 2},
                                                        {7, 2}, {8, 3}, {9, 3}, {10, 3}};
        const auto screen = m_view->Core().Store().ScreenAt(0, 1);
        for (int column = 0; column < kScreenColumns; ++column)
            for (int row = 0; row < kScreenRows; ++row)
                QCOMPARE(TestDot(screen.data(), column, row), expected.count({column, row}) != 0);

        // Leaving the grid shows the idle text and copies the bank into the
        // document.
        HoverTo(m_view.get(), QPoint(600, 500));
        QCOMPARE(status.last().at(0).toString(), QString::fromUtf8("ﾚﾃﾞｨ       "));
        QCOMPARE(m_doc->Words()[0], Word{0x80000000u});
    }

    void pointerStaysInTheGridAndTheRightButtonClears() {
        // A drag that runs far outside the grid is held at its edge: the
        // path ends in the bottom-right cell.
        QTest::mousePress(m_view.get(), Qt::LeftButton, {}, CellCenter(40, 25));
        QTest::mouseMove(m_view.get(), QPoint(2000, 2000));
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, {}, QPoint(2000, 2000));
        const auto screen = m_view->Core().Store().ScreenAt(0, 1);
        QVERIFY(TestDot(screen.data(), 40, 25));
        QVERIFY(TestDot(screen.data(), 47, 31));

        QTest::mousePress(m_view.get(), Qt::RightButton, {}, CellCenter(47, 31));
        QCOMPARE(m_view->CursorShape(), ECursorShape::ClearDot);
        QTest::mouseRelease(m_view.get(), Qt::RightButton, {}, CellCenter(47, 31));
        QVERIFY(!TestDot(screen.data(), 47, 31));
        QVERIFY(TestDot(screen.data(), 40, 25));
        QCOMPARE(m_view->CursorShape(), ECursorShape::Arrow);
    }

    void recordingThenSelect2PutsItsStepInTheList() {
        auto* record = qobject_cast<QPushButton*>(m_view->Control(IDC_MACRO_RECORD));
        QSignalSpy commands(m_view.get(), &CQuorvelView::controlCommand);
        QTest::mouseClick(record, Qt::LeftButton);
        QVERIFY(record->isChecked());
        QCOMPARE(m_view->Core().Store().m_recording, 1);

        auto* select2 = qobject_cast<QPushButton*>(m_view->Control(IDC_SELECT2));
        QTest::mouseClick(select2, Qt::LeftButton);
        QCOMPARE(commands.size(), 2);
        QCOMPARE(commands.at(1).at(0).toInt(), IDC_SELECT2);
        QCOMPARE(m_view->Core().Store().m_currentBank, 1);
        QVERIFY(select2->isChecked());
        QVERIFY(!qobject_cast<QPushButton*>(m_view->Control(IDC_SELECT1))->isChecked());
        QListWidget* list = m_view->MacroList();
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QString::fromUtf8("セレクト２"));
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(qobject_cast<QLineEdit*>(m_view->Control(IDC_STEP_COUNT))->text(),
                 QStringLiteral("1"));

        // Choosing a line with the mouse reaches the core.
        list->clearSelection();
        QCOMPARE(m_view->Core().Store().m_macroSelection, -1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCOMPARE(m_view->Core().Store().m_macroSelection, 0);
    }

    void screenScrollBarAndBitmapButtonsMoveThroughTheScreens() {
        const QString path = m_dir.filePath("twenty.qvl");
        WriteQvl(path, std::vector<Word>(20 * kWordsPerScreen, 0));
        QVERIFY(OpenAnimation(m_view->Core(), *m_doc, path.toStdString()));
        auto* bar = qobject_cast<CFormScrollBar*>(m_view->Control(IDC_SCREEN_SCROLL));
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 20);
        const CScreenStore& s = m_view->Core().Store();
        auto* current = qobject_cast<QLineEdit*>(m_view->Control(IDC_CURRENT_SCREEN));

        // The right arrow: one screen on; the thumb follows at the release.
        const QPoint rightArrow(bar->width() - 4, bar->height() / 2);
        QTest::mousePress(bar, Qt::LeftButton, {}, rightArrow);
        QCOMPARE(s.m_currentScreen, 2);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, rightArrow);
        QCOMPARE(bar->value(), 2);
        QCOMPARE(current->text(), QStringLiteral("2"));

        // The groove right of the thumb: five screens on.
        const QPoint rightGroove(bar->width() - 30, bar->height() / 2);
        QTest::mousePress(bar, Qt::LeftButton, {}, rightGroove);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, rightGroove);
        QCOMPARE(s.m_currentScreen, 7);
        QCOMPARE(bar->value(), 7);

        ClickButton(m_view.get(), IDC_LAST_SCREEN);
        QCOMPARE(s.m_currentScreen, 20);
        QCOMPARE(bar->value(), 20);
        ClickButton(m_view.get(), IDC_FIRST_SCREEN);
        QCOMPARE(s.m_currentScreen, 1);
        QCOMPARE(bar->value(), 1);
    }

    void bitMoveArrowsGiveTheirLineCodeThenTheEnd() {
        CScreenStore& s = m_view->Core().Store();
        s.CurrentScreenWords()[10] = 0x00010000u; // row 15 of column 10
        QTest::mouseClick(qobject_cast<QPushButton*>(m_view->Control(IDC_MACRO_RECORD)),
                          Qt::LeftButton);
        m_doc->SetModifiedFlag(false);

        // One click on each arrow is one move and one step; the end of
        // scrolling that follows the release moves nothing more.
        auto* vertical = qobject_cast<CFormScrollBar*>(m_view->Control(IDC_BIT_VSCROLL));
        const int before = vertical->value();
        QTest::mouseClick(vertical, Qt::LeftButton, {}, QPoint(vertical->width() / 2, 2));
        QCOMPARE(s.CurrentScreenWords()[10], Word{0x00020000u});
        QTest::mouseClick(vertical, Qt::LeftButton, {},
                          QPoint(vertical->width() / 2, vertical->height() - 3));
        QTest::mouseClick(vertical, Qt::LeftButton, {},
                          QPoint(vertical->width() / 2, vertical->height() - 3));
        QCOMPARE(s.CurrentScreenWords()[10], Word{0x00008000u});
        auto* horizontal = qobject_cast<CFormScrollBar*>(m_view->Control(IDC_BIT_HSCROLL));
        QTest::mouseClick(horizontal, Qt::LeftButton, {}, QPoint(2, horizontal->height() / 2));
        QCOMPARE(s.CurrentScreenWords()[9], Word{0x00008000u});
        QCOMPARE(s.m_macroCode, std::string("33,34,34,37,"));
        QVERIFY(m_doc->IsModified());
        // The position means nothing: the thumb never moves.
        QCOMPARE(vertical->value(), before);
    }

    void screenScrollBarMenuReportsEveryItemAndTheThumbFollows() {
        const QString path = m_dir.filePath("twenty.qvl");
        WriteQvl(path, std::vector<Word>(20 * kWordsPerScreen, 0));
        QVERIFY(OpenAnimation(m_view->Core(), *m_doc, path.toStdString()));
        auto* bar = qobject_cast<CFormScrollBar*>(m_view->Control(IDC_SCREEN_SCROLL));
        CScreenStore& s = m_view->Core().Store();
        QSignalSpy spy(bar, &CFormScrollBar::scrolled);
        // After every item the screen and the thumb agree.
        const auto agree = [&](int screen) {
            QCOMPARE(s.m_currentScreen, screen);
            QCOMPARE(bar->value(), screen);
            QCOMPARE(bar->sliderPosition(), screen);
        };
        enum { kHere, kLeftEdge, kRightEdge, kPageLeft, kPageRight, kLineLeft, kLineRight };
        const struct {
            int entry, code, screen;
        } steps[] = {{kPageRight, SB_PAGERIGHT, 6}, {kLineRight, SB_LINERIGHT, 7},
                     {kLineLeft, SB_LINELEFT, 6},   {kPageLeft, SB_PAGELEFT, 1},
                     {kRightEdge, SB_RIGHT, 1},     {kLeftEdge, SB_LEFT, 1}};
        for (const auto& step : steps) {
            ChooseFromContextMenu(bar, bar->rect().center(), step.entry);
            QCOMPARE(TakeCodes(spy), (QList<int>{step.code, SB_ENDSCROLL}));
            agree(step.screen);
        }

        // "Scroll here" reports the clicked place, which changes no screen:
        // the thumb stays where it was.
        const QPoint nearRight(bar->width() - 30, bar->height() / 2);
        QVERIFY(bar->PositionAt(nearRight) > 10);
        ChooseFromContextMenu(bar, nearRight, kHere);
        QCOMPARE(spy.value(0), (QList<QVariant>{SB_THUMBPOSITION, bar->PositionAt(nearRight)}));
        QCOMPARE(TakeCodes(spy), (QList<int>{SB_THUMBPOSITION, SB_ENDSCROLL}));
        agree(1);
        ChooseFromContextMenu(bar, nearRight, -1);
        QVERIFY(spy.isEmpty());

        // On a paused preview the screen on display becomes current and the
        // thumb goes there; an action without the mouse ends at once.
        GoToScreen(m_view->Core(), 10);
        s.m_previewOffset = 4;
        ChooseFromContextMenu(bar, nearRight, kHere);
        agree(14);
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        agree(15);
    }

    void playButtonRunsThePreviewToTheEnd() {
        auto* play = qobject_cast<QAbstractButton*>(m_view->Control(IDC_PLAY));
        QTest::mouseClick(play, Qt::LeftButton);
        QVERIFY(m_view->PreviewTimerRunning());
        QCOMPARE(m_view->Core().Store().m_previewFlag, 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_view->Grid()->ShownScreen(), 5, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->PreviewTimerRunning(), 3000);
        QCOMPARE(m_view->Core().Store().m_previewFlag, 0);
        QCOMPARE(m_view->Grid()->ShownScreen(), 1);
    }

    void characterAndFontDialogsAnswerTheCore() {
        OnNextModal([](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QString::fromUtf8("文字入力　３２×３２ドット"));
            auto* edit = modal->findChild<QLineEdit*>();
            edit->setFocus();
            TypeText(edit, QString::fromUtf8("ABあC"));
            qobject_cast<QDialog*>(modal)->accept();
        });
        QCOMPARE(m_view->AskCharacters(32), std::optional<std::string>("ABC"));
        OnNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
        QCOMPARE(m_view->AskCharacters(16), std::optional<std::string>());

        CLogFont font;
        font.faceName = "IPAGothic";
        font.height = -20;
        font.charSet = 128;
        OnNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
        QVERIFY(m_view->ChooseFont(font));
        QCOMPARE(font.faceName, std::string("IPAGothic"));
        QCOMPARE(font.height, -20);
        QCOMPARE(font.weight, 400);
        QCOMPARE(int(font.charSet), 128);

        // The dialog's choice replaces face, height, weight and effects; the
        // other fields of the description stay.
        font.quality = 5;
        font.pitchAndFamily = 17;
        OnNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<QFontDialog*>(modal);
            QFont chosen(QStringLiteral("IPAPGothic"));
            chosen.setPointSize(18);
            chosen.setUnderline(true);
            chosen.setStrikeOut(true);
            dialog->setCurrentFont(chosen);
            dialog->accept();
        });
        QVERIFY(m_view->ChooseFont(font));
        QCOMPARE(font.faceName, std::string("IPAPGothic"));
        QCOMPARE(font.height, -24); // 18 points at 96 dots per inch
        QCOMPARE(font.weight, 400); // the only style the face has
        QCOMPARE(int(font.underline), 1);
        QCOMPARE(int(font.strikeOut), 1);
        QCOMPARE(int(font.charSet), 128);
        QCOMPARE(int(font.quality), 5);
        QCOMPARE(int(font.pitchAndFamily), 17);
    }

    void fontDialogOpensOnTheFontInUse() {
        // As the settings leave both import fonts: the Japanese name that
        // fontconfig resolves to IPAGothic, and Qt's own match would not.
        for (const int height : {-16, -32}) {
            CLogFont font;
            font.faceName = "ＭＳ ゴシック";
            font.height = height;
            font.weight = 400;
            font.charSet = 128;
            const CLogFont before = font;
            QString family;
            int points = 0;
            OnNextModal([&family, &points](QWidget* modal) {
                auto* dialog = qobject_cast<QFontDialog*>(modal);
                family = dialog->currentFont().family();
                points = dialog->currentFont().pointSize();
                dialog->accept();
            });
            QVERIFY(m_view->ChooseFont(font));
            QCOMPARE(family, QString::fromStdString(CFreeTypeRasterizer().FamilyOf(before)));
            QCOMPARE(family, QStringLiteral("IPAGothic"));
            QCOMPARE(points, -height * 3 / 4); // 96 dots per inch
            // OK on the unchanged dialog changes nothing.
            QVERIFY(font == before);

            // A new size alone keeps the face the settings named.
            OnNextModal([](QWidget* modal) {
                auto* dialog = qobject_cast<QFontDialog*>(modal);
                QFont bigger = dialog->currentFont();
                bigger.setPointSize(bigger.pointSize() + 3);
                dialog->setCurrentFont(bigger);
                dialog->accept();
            });
            QVERIFY(m_view->ChooseFont(font));
            QCOMPARE(font.faceName, before.faceName);
            QCOMPARE(font.height, height - 4);
        }
    }

    void importButtonDrawsTheTypedCharacters() {
        auto* text16 = qobject_cast<QLineEdit*>(m_view->Control(IDC_TEXT16));
        text16->setFocus();
        TypeText(text16, QString::fromUtf8("漢字"));
        ClickButton(m_view.get(), IDC_IMPORT16);
        const auto screen = m_view->Core().Store().ScreenAt(0, 1);
        Word lit = 0;
        for (int column = 0; column < kScreenColumns; ++column) {
            if (column >= 32)
                QCOMPARE(screen[column], Word{0});
            lit |= screen[column];
        }
        QCOMPARE(lit & 0xFFFF0000u, 0u);
        QVERIFY(lit != 0);
        // The grid shows the first lit dot of the lower half in cyan.
        int column = 0;
        while (screen[column] == 0)
            ++column;
        int row = 16;
        while ((screen[column] & DotMask(row)) == 0)
            ++row;
        const QImage image = m_view->Grid()->grab().toImage();
        QCOMPARE(image.pixel(column * 6 + 3, row * 6 + 3) & 0xFFFFFFu, QRgb{0x00FFFF});
    }

    void messageBoxesSpeakJapanese() {
        QStringList buttons;
        QString title;
        OnNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            title = box->windowTitle();
            for (QAbstractButton* button : box->buttons())
                buttons << button->text();
            QCOMPARE(box->icon(), QMessageBox::Question);
            QCOMPARE(box->defaultButton()->text(), QString::fromUtf8("はい(&Y)"));
            for (QAbstractButton* button : box->buttons())
                if (button->text() == QString::fromUtf8("いいえ(&N)"))
                    button->click();
        });
        const int answer =
            m_view->MessageBox("ＲＥＳＥＴしますか？", "確認", MB_YESNO | MB_ICONQUESTION);
        QCOMPARE(answer, IDNO);
        QCOMPARE(title, QString::fromUtf8("確認"));
        buttons.sort();
        QStringList expected{QString::fromUtf8("いいえ(&N)"), QString::fromUtf8("はい(&Y)")};
        expected.sort();
        QCOMPARE(buttons, expected);

        // Escape answers Cancel where the box has it.
        OnNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QCOMPARE(m_view->MessageBox("text", "Glowmotion", MB_YESNOCANCEL | MB_ICONEXCLAMATION),
                 IDCANCEL);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CQuorvelDoc> m_doc;
    std::unique_ptr<CQuorvelView> m_view;
};

GLOWMOTION_SHELL_TEST_MAIN(CViewTests)

#include "ViewTests.moc"
