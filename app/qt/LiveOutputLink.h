#pragma once

#include "output/LiveOutput.h"
#include "output/OutputSettings.h"

#include <QObject>
#include <QTimer>

#include <optional>

class CQuorvelView;
class QWidget;

// The window's side of live output: "LED出力(&O)" and "LED出力設定...". While
// on, every change of what the dot grid shows (an edit, a screen or bank
// change, a preview tick) hands the shown screen to the sending thread once
// the event that made it is done, so the sign follows the grid within a
// frame. A failure of the sign turns output off and says why in a message
// box; sending never holds the window.
class CLiveOutputLink : public QObject {
    Q_OBJECT
public:
    // Output of what `view`'s grid shows; message boxes over `window`.
    CLiveOutputLink(CQuorvelView* view, QWidget* window);
    // Turns output off (the sign goes dark).
    ~CLiveOutputLink() override;

    // Turns output on with the settings kept in the settings file. When they
    // name no usable target, says why in a message box and stays off.
    void TurnOn();
    // Turns output off: the sign gets every dot off.
    void TurnOff();
    bool IsOn() const { return m_on; }

    // "LED出力設定...": the dialog over the kept settings; OK keeps them and,
    // while output is on, sends with them from then on.
    void EditSettings();

    // "テスト点灯" with `settings`: every dot lit for a second. While output
    // is on it lights the running output's sign; otherwise it opens the
    // settings' target for that second.
    void TestLighting(const SOutputSettings& settings);

signals:
    // Output was turned on or off (off also after a failure).
    void stateChanged(bool on);

private:
    // What the sending thread calls on a failure: the message box comes in
    // the window's thread. `run` is the live run's number, nullopt for the
    // test lighting; a live run's report that comes after it ended is
    // dropped.
    CLiveOutput::FFailure FailureReport(std::optional<int> run);
    void SendShownScreen();
    void ReportFailure(const SOutputError& error, bool live);

    CQuorvelView* m_view;
    QWidget* m_window;
    CLiveOutput m_live;
    CLiveOutput m_test;
    QTimer m_testEnd;
    bool m_on = false;
    // Runs of the live output; a failure report of an earlier run is stale.
    int m_run = 0;
};
