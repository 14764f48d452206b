#pragma once

#include <QApplication>
#include <QTranslator>

#include <memory>

class CMainFrame;

// The application: one main window over one document. Construction sets up
// the program's names, its Japanese texts (Qt's own dialogs included), font
// and icon; InitInstance opens the window with a new document or the file
// named on the command line.
class CQuorvelApp : public QApplication {
    Q_OBJECT
public:
    CQuorvelApp(int& argc, char** argv);
    ~CQuorvelApp() override;

    // Creates and shows the main window with a new document, then opens the
    // file named on the command line, if any; a file that cannot be opened
    // leaves the new document. Returns false when the window cannot be made.
    bool InitInstance();

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

    // The file the command line names: the first argument that is not an
    // option (or any argument after "--"); empty when there is none.
    static QString CommandLineFile(const QStringList& arguments);

private:
    QTranslator m_qtTranslator;
    std::unique_ptr<CMainFrame> m_mainFrame;
};
