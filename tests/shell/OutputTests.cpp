// Live output in the window: the two items at the end of the Tools menu,
// the settings dialog and what it keeps, the sign following every change of
// the grid, the test lighting, and failures that turn output off with a
// message. The sign is a DDP or E1.31 receiver on loopback.

#include "ShellTestSupport.h"

#include "app/CommandInventory.h"
#include "app/qt/ExchangeCommands.h"
#include "app/qt/LiveOutputLink.h"
#include "app/qt/MainFrame.h"
#include "app/qt/OutputDlg.h"
#include "app/qt/WiringEditor.h"
#include "app/qt/OutputProfile.h"
#include "app/qt/QtProfile.h"
#include "signs/SignReceivers.h"
#include "store/CommandIds.h"
#include "view/qt/QuorvelView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

#include <functional>

using namespace std::chrono_literals;

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

// The whole frames a DDP receiver got so far. A frame whose last packet
// (the one that pushes it) has not come yet is left out.
std::vector<TBytes> Frames(const CUdpReceiver& receiver) {
    std::vector<CUdpReceiver::SDatagram> datagrams = receiver.Datagrams();
    std::string why;
    while (!datagrams.empty()) {
        const std::optional<SDdpPacket> last = DecodeDdp(datagrams.back().bytes, why);
        if (!last || last->push)
            break;
        datagrams.pop_back();
    }
    const auto frames = DdpFrames(datagrams, why);
    return frames.value_or(std::vector<TBytes>{});
}

// The last whole frame, or no bytes before the first.
TBytes LastFrame(const CUdpReceiver& receiver) {
    const std::vector<TBytes> frames = Frames(receiver);
    return frames.empty() ? TBytes{} : frames.back();
}

// Keeps the event loop going until `done` holds or five seconds passed.
bool WaitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 500; ++i) {
        if (done())
            return true;
        QTest::qWait(10);
    }
    return done();
}

// The frame of the screen on display, one RGB dot a grid dot in row order.
TBytes ShownFrame(CMainFrame& frame) {
    const CScreenStore& s = frame.View()->Core().Store();
    const auto words = s.ScreenAt(s.m_currentBank, s.m_currentScreen);
    return RowOrderFrame(std::vector<std::uint32_t>(words.begin(), words.end()), false);
}

} // namespace

class COutputTests : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QSettings(U(kSettingsOrganization), U(kSettingsApplication)).clear();
        m_frame = StartMainFrame();
    }
    void cleanup() {
        ExchangeDialogHook() = nullptr;
        CloseMainFrame(m_frame);
    }

    void itemsFollowTheToolsMenusOwnCommandsBelowASeparator() {
        QMenu* tools = nullptr;
        for (QAction* action : m_frame->menuBar()->actions())
            if (action->text() == U("ﾂｰﾙ(&T)"))
                tools = action->menu();
        QVERIFY(tools != nullptr);
        const QList<QAction*> actions = tools->actions();
        qsizetype settings = -1;
        for (qsizetype i = 0; i < actions.size(); ++i)
            if (actions[i]->text() == U("LED出力設定..."))
                settings = i;
        QVERIFY(settings >= 1 && settings + 2 < actions.size());
        QVERIFY(actions[settings - 1]->isSeparator());
        QCOMPARE(actions[settings + 1]->text(), U("LED出力(&O)"));
        QVERIFY(actions[settings + 1]->isCheckable());
        QVERIFY(!actions[settings + 1]->isChecked());
        // The drawing tools come after, below a separator of their own.
        QVERIFY(actions[settings + 2]->isSeparator());
        QVERIFY(IsFrameCommand(ID_OUTPUT_SETTINGS) && IsFrameCommand(ID_OUTPUT_LIVE));
    }

    void settingsDialogKeepsWhatItChecked() {
        CDialogScript script;
        SOutputSettings kept;
        int shown = 0;
        ExchangeDialogHook() = [&](QDialog& dialog) {
            auto* output = qobject_cast<COutputDlg*>(&dialog);
            if (output == nullptr)
                return false;
            ++shown;
            if (shown == 1) {
                // A bad target: OK says why and keeps the dialog.
                output->TargetEdit()->setText(QStringLiteral("udp://sign"));
                output->OkButton()->click();
                return false;
            }
            output->TargetEdit()->setText(QStringLiteral(" e131://10.1.2.3/5 "));
            output->ColourEdit()->setText(QStringLiteral("ff8000"));
            output->DmxRgbBox()->setChecked(true);
            output->WiringEditor()->OriginBox()->setCurrentIndex(3);
            output->WiringEditor()->ScanBox()->setCurrentIndex(1);
            output->WiringEditor()->SerpentineCheck()->setChecked(true);
            output->PanelWidthBox()->setValue(64);
            output->OffsetXBox()->setValue(-3);
            output->OkButton()->click();
            return output->result() == QDialog::Accepted;
        };
        m_frame->OnCommand(ID_OUTPUT_SETTINGS);
        QCOMPARE(script.messages.size(), size_t{1});
        QVERIFY(script.messages[0].text.find("udp://sign") != std::string::npos);
        QCOMPARE(ReadOutputSettings().target, std::string());

        m_frame->OnCommand(ID_OUTPUT_SETTINGS);
        QCOMPARE(script.messages.size(), size_t{1});
        const SOutputSettings settings = ReadOutputSettings();
        QCOMPARE(settings.target, std::string("e131://10.1.2.3/5"));
        QCOMPARE(RgbText(settings.options.lit), std::string("FF8000"));
        QVERIFY(settings.options.dmxRgb);
        QVERIFY(settings.options.wiring ==
                (SWiring{EWiringOrigin::BottomRight, EWiringScan::Columns, true}));
        QCOMPARE(settings.options.panelWidth, 64);
        QCOMPARE(settings.options.panelHeight, 32);
        QCOMPARE(settings.options.offsetX, -3);
        const QSettings file(U(kSettingsOrganization), U(kSettingsApplication));
        QCOMPARE(file.value(QStringLiteral("Output/Target")).toString(), U("e131://10.1.2.3/5"));
        QCOMPARE(file.value(QStringLiteral("Output/Origin")).toString(), U("br"));

        // The dialog opens on what was kept; FlaschenTaschen greys the panel.
        COutputDlg again(settings, nullptr);
        QCOMPARE(again.PanelWidthBox()->value(), 64);
        QVERIFY(again.PanelWidthBox()->isEnabled());
        again.TargetEdit()->setText(QStringLiteral("ft://ft.local"));
        QVERIFY(!again.PanelWidthBox()->isEnabled() && again.OffsetXBox()->isEnabled());
        QVERIFY(!again.DmxRgbBox()->isEnabled());
    }

    void signFollowsEveryChangeOfTheGrid() {
        CUdpReceiver receiver;
        SOutputSettings settings;
        settings.target = "ddp://127.0.0.1:" + std::to_string(receiver.Port());
        WriteOutputSettings(settings);
        CScreenStore& s = m_frame->View()->Core().Store();
        SetDot(s.ScreenAt(1, 1).data(), 5, 5);
        m_frame->OnCommand(ID_OUTPUT_LIVE);
        QVERIFY(m_frame->Action(ID_OUTPUT_LIVE)->isChecked());
        QVERIFY(m_frame->LiveOutput()->IsOn());
        QVERIFY(WaitUntil([&] { return !Frames(receiver).empty(); }));
        QCOMPARE(LastFrame(receiver), ShownFrame(*m_frame));

        // A dot drawn with the mouse.
        CQuorvelView* view = m_frame->View();
        QTest::mousePress(view, Qt::LeftButton, {}, CellCenter(7, 3));
        QTest::mouseRelease(view, Qt::LeftButton, {}, CellCenter(7, 3));
        QVERIFY(TestDot(s.ScreenAt(0, 1).data(), 7, 3));
        QVERIFY(WaitUntil([&] { return LastFrame(receiver) == ShownFrame(*m_frame); }));
        // A screen change, an effect, a bank change.
        for (const int id : {IDC_LAST_SCREEN, IDC_BUTTON1, IDC_FIRST_SCREEN, IDC_SELECT2}) {
            ClickButton(view, id);
            QVERIFY(WaitUntil([&] { return LastFrame(receiver) == ShownFrame(*m_frame); }));
        }
        QCOMPARE(s.m_currentBank, 1);
        QVERIFY(TestDot(s.ScreenAt(1, 1).data(), 5, 5));

        // Off: the sign goes dark.
        m_frame->OnCommand(ID_OUTPUT_LIVE);
        QVERIFY(!m_frame->Action(ID_OUTPUT_LIVE)->isChecked());
        QVERIFY(WaitUntil([&] { return LastFrame(receiver) == TBytes(48 * 32 * 3, 0); }));
    }

    void testLightingLightsEveryDotForASecond() {
        CUdpReceiver receiver;
        SOutputSettings settings;
        settings.target = "ddp://127.0.0.1:" + std::to_string(receiver.Port());
        settings.options.lit = {0, 0xff, 0};
        COutputDlg dialog(
            settings, [this](const SOutputSettings& s) { m_frame->LiveOutput()->TestLighting(s); });
        dialog.TestButton()->click();
        QVERIFY(WaitUntil([&] { return !Frames(receiver).empty(); }));
        TBytes green;
        for (int i = 0; i < 48 * 32; ++i)
            green.insert(green.end(), {0, 0xff, 0});
        const std::vector<TBytes> frames = Frames(receiver);
        QVERIFY(!frames.empty());
        QCOMPARE(frames.front(), green);
        QVERIFY(WaitUntil([&] { return LastFrame(receiver) == TBytes(48 * 32 * 3, 0); }));
        QVERIFY(!m_frame->LiveOutput()->IsOn());
    }

    void failuresTurnOutputOffWithAMessage() {
        CDialogScript script;
        // Nothing set yet.
        m_frame->OnCommand(ID_OUTPUT_LIVE);
        QVERIFY(!m_frame->Action(ID_OUTPUT_LIVE)->isChecked());
        QCOMPARE(script.messages.size(), size_t{1});
        QVERIFY(script.messages[0].text.find("出力先") != std::string::npos);

        // A device that is not there: the failure comes from the sending
        // thread, and the window stays usable meanwhile.
        SOutputSettings settings;
        settings.target = "tpm2:/nonexistent/ttyACM3";
        WriteOutputSettings(settings);
        m_frame->OnCommand(ID_OUTPUT_LIVE);
        QVERIFY(WaitUntil([&] { return script.messages.size() == 2; }));
        QVERIFY(script.messages[1].text.find("/nonexistent/ttyACM3") != std::string::npos);
        QVERIFY(!m_frame->Action(ID_OUTPUT_LIVE)->isChecked());
        QVERIFY(!m_frame->LiveOutput()->IsOn());
    }

private:
    std::unique_ptr<CMainFrame> m_frame;
};

GLOWMOTION_SHELL_TEST_MAIN(COutputTests)
#include "OutputTests.moc"
