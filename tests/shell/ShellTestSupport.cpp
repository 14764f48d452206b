#include "ShellTestSupport.h"

#include "app/DocumentCommands.h"
#include "app/qt/QtProfile.h"
#include "view/FormTemplate.h"
#include "view/qt/ShellDialogs.h"

#include <QAbstractButton>
#include <QFile>
#include <QSettings>
#include <QTest>

CTemporarySettings::CTemporarySettings() {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

CDialogScript::CDialogScript() {
    DialogHooks().messageBox = [this](const std::string& text, const std::string& caption,
                                      unsigned type) {
        messages.push_back({text, caption, type});
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        const unsigned buttons = type & kMbButtonsMask;
        return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
    };
    DialogHooks().fileDialog = [this](bool /*save*/, const CFileDialogInfo& request) {
        fileDialogs.push_back(request);
        if (files.empty())
            return std::optional<std::string>();
        std::optional<std::string> answer = files.front();
        files.pop_front();
        return answer;
    };
    DialogHooks().fontDialog = [this](const CLogFont& /*font*/) {
        ++fontDialogs;
        if (fonts.empty())
            return std::optional<CLogFont>();
        std::optional<CLogFont> answer = fonts.front();
        fonts.pop_front();
        return answer;
    };
}

CDialogScript::~CDialogScript() {
    DialogHooks() = {};
}

void WriteQvl(const QString& path, const std::vector<Word>& words) {
    QByteArray bytes;
    for (const Word word : words)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(static_cast<char>((word >> shift) & 0xFF));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void WriteBytes(const QString& path, int size) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray(size, '\0'));
}

QPoint CellCenter(int column, int row) {
    const CRect grid = GridRectangle();
    return {grid.left + 6 * column + 3, grid.top + 6 * row + 3};
}

void ClickButton(CQuorvelView* view, int id) {
    QTest::mouseClick(qobject_cast<QAbstractButton*>(view->Control(id)), Qt::LeftButton);
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<CMainFrame> StartMainFrame() {
    QSettings(QString::fromUtf8(kSettingsOrganization), QString::fromUtf8(kSettingsApplication))
        .clear();
    auto frame = std::make_unique<CMainFrame>();
    frame->NewDocument();
    frame->show();
    return frame;
}

void CloseMainFrame(std::unique_ptr<CMainFrame>& frame) {
    frame->Doc().SetModifiedFlag(false);
    frame.reset();
}

SViewUnderTest StartView() {
    SViewUnderTest t;
    t.doc = std::make_unique<CQuorvelDoc>();
    t.view = std::make_unique<CQuorvelView>(*t.doc, CLogFont{}, CLogFont{});
    NewAnimation(t.view->Core(), *t.doc);
    t.view->show();
    return t;
}
