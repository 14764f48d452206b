#include "app/qt/DesktopIntegration.h"

#include "view/qt/ShellResources.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr const char* kMimePackage = "mime/packages/glowmotion-qvl.xml";
constexpr const char* kMenuEntry = "applications/glowmotion.desktop";
constexpr const char* kIcon = "icons/hicolor/32x32/apps/glowmotion.png";

bool Provided(const SXdgDataPaths& paths, const QString& relative) {
    if (QFileInfo::exists(paths.dataHome + QLatin1Char('/') + relative))
        return true;
    for (const QString& dir : paths.dataDirs)
        if (!dir.isEmpty() && QFileInfo::exists(dir + QLatin1Char('/') + relative))
            return true;
    return false;
}

// Writes `bytes` to the data home's `relative` path through a temporary file,
// so that a reader never sees half a file.
bool WriteDataFile(const SXdgDataPaths& paths, const QString& relative, const QByteArray& bytes) {
    const QString path = paths.dataHome + QLatin1Char('/') + relative;
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

QByteArray ResourceBytes(const QString& name) {
    QFile file(QStringLiteral(":/res/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The installed menu entry with Exec naming this executable, which need not
// be on the PATH. Quoted as the Desktop Entry format asks: the quoting
// escapes of an Exec argument first, then the escapes of any string value.
QByteArray MenuEntry(const QString& executable) {
    QString quoted = executable;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    quoted.replace(QLatin1Char('`'), QStringLiteral("\\`"));
    quoted.replace(QLatin1Char('$'), QStringLiteral("\\$"));
    QByteArray entry = ResourceBytes(QStringLiteral("glowmotion.desktop"));
    entry.replace("Exec=glowmotion %f",
                  "Exec=\"" + quoted.toUtf8().replace("\\", "\\\\") + "\" %f");
    return entry;
}

} // namespace

SXdgDataPaths XdgDataPathsFromEnvironment() {
    SXdgDataPaths paths;
    paths.dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (paths.dataHome.isEmpty() || QDir::isRelativePath(paths.dataHome))
        paths.dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    const QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    paths.dataDirs = (dirs.isEmpty() ? QStringLiteral("/usr/local/share:/usr/share") : dirs)
                         .split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return paths;
}

SRegistration RegisterFileType(const SXdgDataPaths& paths, const QString& executable) {
    SRegistration done;
    if (!Provided(paths, QString::fromLatin1(kMimePackage))) {
        const QByteArray package = ResourceBytes(QStringLiteral("glowmotion-qvl.xml"));
        done.mimeType =
            !package.isEmpty() && WriteDataFile(paths, QString::fromLatin1(kMimePackage), package);
        const QString update =
            QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        if (done.mimeType && !update.isEmpty())
            QProcess::startDetached(update, {paths.dataHome + QStringLiteral("/mime")});
    }
    if (!Provided(paths, QString::fromLatin1(kMenuEntry)))
        done.menuEntry =
            WriteDataFile(paths, QString::fromLatin1(kMenuEntry), MenuEntry(executable));
    if (!Provided(paths, QString::fromLatin1(kIcon)) &&
        !Provided(paths, QStringLiteral("pixmaps/glowmotion.xpm"))) {
        QByteArray png;
        {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            ApplicationIcon().pixmap(32, 32).save(&buffer, "PNG");
        }
        done.icon = !png.isEmpty() && WriteDataFile(paths, QString::fromLatin1(kIcon), png);
    }
    return done;
}
