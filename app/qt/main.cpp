#include "app/qt/QuorvelApp.h"

int main(int argc, char** argv) {
    CQuorvelApp app(argc, argv);
    if (!app.InitInstance())
        return 1;
    return app.exec();
}
