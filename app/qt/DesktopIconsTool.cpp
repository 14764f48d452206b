// Build tool: writes the hicolor icons of DesktopIcons() below the folder
// given as its argument, laid out as below share/ of an installation.
// Exits with 1 when an icon cannot be drawn or written.

#include "app/qt/DesktopIntegration.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const SDesktopIcon& icon : DesktopIcons()) {
        const QString path = folder + QLatin1Char('/') + icon.path;
        const QByteArray bytes = DesktopIconBytes(icon);
        QSaveFile file(path);
        if (bytes.isEmpty() || !QDir().mkpath(QFileInfo(path).path()) ||
            !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
