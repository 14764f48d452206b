#pragma once

#include "app/QuorvelDoc.h"
#include "app/qt/MainFrame.h"
#include "store/Platform.h"
#include "view/qt/QuorvelView.h"
#include "store/ScreenGeometry.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Helpers of the window tests.

// Runs the test object of class T in a QApplication whose settings live in a
// fresh temporary directory (XDG_CONFIG_HOME), so that no test reads or
// writes the user's own settings.
#define GLOWMOTION_SHELL_TEST_MAIN(T)                                                              \
    int main(int argc, char** argv) {                                                              \
        CTemporarySettings settings;                                                               \
        QApplication app(argc, argv);                                                              \
        T test;                                                                                    \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

// Points XDG_CONFIG_HOME at a temporary directory for its lifetime.
class CTemporarySettings {
public:
    CTemporarySettings();
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// Answers the window's message boxes, file dialogs and font dialogs without
// showing them, for its lifetime: message boxes from `answers` (then their
// first button), file dialogs from `files` and font dialogs from `fonts`
// (then cancelled). Records what was asked.
class CDialogScript {
public:
    CDialogScript();
    ~CDialogScript();

    struct SMessage {
        std::string text;
        std::string caption;
        unsigned type;
    };
    std::deque<int> answers;
    std::deque<std::optional<std::string>> files;
    std::vector<SMessage> messages;
    std::vector<CFileDialogInfo> fileDialogs;
    std::deque<std::optional<CLogFont>> fonts;
    int fontDialogs = 0;
};

// Writes a .qvl file of the given column words, little-endian.
void WriteQvl(const QString& path, const std::vector<Word>& words);
// Writes a file of `size` zero bytes.
void WriteBytes(const QString& path, int size);

// The middle of grid cell (column, row) in view coordinates.
QPoint CellCenter(int column, int row);

// Clicks the button of control `id` of `view` (a form button or a bitmap
// button) with the left mouse button.
void ClickButton(CQuorvelView* view, int id);

// The bytes of a file; empty when it cannot be read.
QByteArray ReadFileBytes(const QString& path);

// The main window as start-up leaves it, with the settings cleared first:
// a new document, shown. The test then waits for it to become active.
std::unique_ptr<CMainFrame> StartMainFrame();
// Closes a window of StartMainFrame without the question about unsaved
// changes.
void CloseMainFrame(std::unique_ptr<CMainFrame>& frame);

// A form view on its own document, as a new document leaves it, shown.
struct SViewUnderTest {
    std::unique_ptr<CQuorvelDoc> doc;
    std::unique_ptr<CQuorvelView> view;
};
SViewUnderTest StartView();
