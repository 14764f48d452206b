#include "app/qt/QuorvelApp.h"

#include "app/qt/MainFrame.h"
#include "app/qt/QtProfile.h"
#include "view/qt/ShellResources.h"

#include <QLibraryInfo>
#include <QLocale>

CQuorvelApp::CQuorvelApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QString::fromUtf8(kSettingsOrganization));
    setApplicationName(QString::fromUtf8(kSettingsApplication));
    setApplicationVersion(QStringLiteral("1.1"));
    // Every text of the program is Japanese; Qt's dialogs and buttons follow.
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    if (m_qtTranslator.load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTranslator);
    setFont(FormFont());
    setWindowIcon(ApplicationIcon());
}

CQuorvelApp::~CQuorvelApp() {
    m_mainFrame.reset();
}

QString CQuorvelApp::CommandLineFile(const QStringList& arguments) {
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1)
            continue;
        return argument;
    }
    return {};
}

bool CQuorvelApp::InitInstance() {
    m_mainFrame = std::make_unique<CMainFrame>();
    m_mainFrame->NewDocument();
    m_mainFrame->show();
    const QString file = CommandLineFile(arguments());
    if (!file.isEmpty())
        m_mainFrame->OpenDocumentFile(file);
    return true;
}
