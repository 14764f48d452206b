#include "app/qt/LiveOutputLink.h"

#include "app/qt/ExchangeCommands.h"
#include "app/qt/OutputDlg.h"
#include "app/qt/OutputProfile.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ShownScreen.h"
#include "view/qt/QuorvelView.h"
#include "view/qt/ShellDialogs.h"

#include <QPointer>

namespace {

constexpr int kTestLightingMs = 1000;

} // namespace

CLiveOutputLink::CLiveOutputLink(CQuorvelView* view, QWidget* window)
    : QObject(window), m_view(view), m_window(window) {
    m_testEnd.setSingleShot(true);
    connect(&m_testEnd, &QTimer::timeout, this, [this] { m_test.Stop(); });
}

CLiveOutputLink::~CLiveOutputLink() {
    m_test.Stop();
    m_live.Stop();
}

void CLiveOutputLink::TurnOn() {
    const SOutputSettings settings = ReadOutputSettings();
    std::string error;
    const std::optional<SOutputTarget> target = CheckOutputSettings(settings, error);
    if (!target) {
        TurnOff();
        ShowMessageBox(m_window, error, kAppCaption, MB_ICONEXCLAMATION);
        return;
    }
    // The test's own run would write to the same sign.
    m_testEnd.stop();
    m_test.Stop();
    m_live.Start(*target, OptionsForTarget(*target, settings.options), FailureReport(++m_run));
    // The view sends one change for all the repaints of one event (a drag's
    // many dots, an effect's many screens), and only while someone listens.
    if (!m_on)
        connect(m_view, &CQuorvelView::shownScreenChanged, this, &CLiveOutputLink::SendShownScreen);
    m_on = true;
    SendShownScreen();
    emit stateChanged(true);
}

void CLiveOutputLink::TurnOff() {
    const bool was = m_on;
    m_on = false;
    ++m_run;
    disconnect(m_view, &CQuorvelView::shownScreenChanged, this, &CLiveOutputLink::SendShownScreen);
    m_live.Stop();
    if (was)
        emit stateChanged(false);
}

void CLiveOutputLink::EditSettings() {
    COutputDlg dialog(
        ReadOutputSettings(), [this](const SOutputSettings& settings) { TestLighting(settings); },
        m_window);
    if (!RunOptionsDialog(dialog))
        return;
    WriteOutputSettings(dialog.Settings());
    if (m_on)
        TurnOn();
}

void CLiveOutputLink::TestLighting(const SOutputSettings& settings) {
    if (m_on) {
        m_live.Flash(kTestLightingMs);
        return;
    }
    std::string error;
    const std::optional<SOutputTarget> target = CheckOutputSettings(settings, error);
    if (!target) {
        ShowMessageBox(m_window, error, kAppCaption, MB_ICONEXCLAMATION);
        return;
    }
    m_test.Start(*target, OptionsForTarget(*target, settings.options), FailureReport(std::nullopt));
    m_test.Flash(kTestLightingMs);
    // Then every dot off, and the sign is let go.
    m_testEnd.start(kTestLightingMs);
}

CLiveOutput::FFailure CLiveOutputLink::FailureReport(std::optional<int> run) {
    QPointer<CLiveOutputLink> self(this);
    return [self, run](const SOutputError& failure) {
        // On the sending thread: the window hears of it in its own.
        QMetaObject::invokeMethod(
            self.data(),
            [self, run, failure] {
                if (self && (!run || self->m_run == *run))
                    self->ReportFailure(failure, run.has_value());
            },
            Qt::QueuedConnection);
    };
}

void CLiveOutputLink::SendShownScreen() {
    if (!m_on)
        return;
    m_live.Show(ShownScreenWords(m_view->Core().Store()).data());
}

void CLiveOutputLink::ReportFailure(const SOutputError& error, bool live) {
    if (live)
        TurnOff();
    ShowMessageBox(m_window, OutputErrorMessage(error), kAppCaption, MB_ICONEXCLAMATION);
}
