#include "app/qt/QuorvelApp.h"

#include "app/qt/DesktopIntegration.h"

int main(int argc, char** argv) {
    CQuorvelApp app(argc, argv);
    if (!app.InitInstance())
        return 1;
    // Only file checks; the MIME database is updated by a detached process.
    RegisterFileType(XdgDataPathsFromEnvironment(), QCoreApplication::applicationFilePath());
    return app.exec();
}
