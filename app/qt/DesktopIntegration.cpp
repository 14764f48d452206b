#include "app/qt/DesktopIntegration.h"

#include "view/qt/ShellResources.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr const char* kMimePackage = "mime/packages/glowmotion-qvl.xml";
constexpr const char* kMenuEntry = "applications/glowmotion.desktop";
constexpr const char* kInstalledExec = "Exec=glowmotion %f";

// The icon names: the program's as its menu entry gives it, the file type's
// as the MIME database derives it from application/x-quorvel-document.
constexpr const char* kApplicationIcon = "apps/glowmotion";
constexpr const char* kFileTypeIcon = "mimetypes/application-x-quorvel-document";
// The sizes of the PNGs; hicolor has a folder for each.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool InDataDirs(const SXdgDataPaths& paths, const QString& relative) {
    const QString home = QDir::cleanPath(paths.dataHome);
    for (const QString& dir : paths.dataDirs)
        if (!dir.isEmpty() && QDir::cleanPath(dir) != home &&
            QFileInfo::exists(dir + QLatin1Char('/') + relative))
            return true;
    return false;
}

bool Provided(const SXdgDataPaths& paths, const QString& relative) {
    return QFileInfo::exists(paths.dataHome + QLatin1Char('/') + relative) ||
           InDataDirs(paths, relative);
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
    entry.replace(kInstalledExec, "Exec=\"" + quoted.toUtf8().replace("\\", "\\\\") + "\" %f");
    return entry;
}

// Whether the file at `path` is a menu entry MenuEntry wrote, unedited: the
// installed entry but for its Exec line.
bool IsOwnMenuEntry(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString entry = QString::fromUtf8(file.readAll());
    static const QRegularExpression exec(QStringLiteral("^Exec=.*$"),
                                         QRegularExpression::MultilineOption);
    entry.replace(exec, QLatin1String(kInstalledExec));
    const QByteArray installed = ResourceBytes(QStringLiteral("glowmotion.desktop"));
    return !installed.isEmpty() && entry == QString::fromUtf8(installed);
}

QString ColorName(QRgb color) {
    return QStringLiteral("#%1").arg(color & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

// The picture as SVG rectangles, one per run of a colour, runs repeated on the
// rows below merged into one rectangle; the commonest colour fills the
// background when the picture has no transparent pixel. Crisp edges keep the
// dots sharp at any size.
QByteArray ScalableIcon(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    QHash<QRgb, int> counts;
    bool transparent = false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = image.pixel(x, y);
            transparent = transparent || qAlpha(pixel) == 0;
            ++counts[pixel];
        }
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (qAlpha(it.key()) == 255 && it.value() > most) {
            background = it.key();
            most = it.value();
        }
    const bool filled = !transparent && most > 0;

    struct SRect {
        int x, y, w, h;
        QRgb color;
    };
    QList<SRect> closed;
    QList<SRect> open; // rectangles that reach the row above
    for (int y = 0; y < height; ++y) {
        QList<SRect> grown;
        for (int x = 0; x < width;) {
            const QRgb color = image.pixel(x, y);
            int end = x + 1;
            while (end < width && image.pixel(end, y) == color)
                ++end;
            if (qAlpha(color) != 0 && !(filled && color == background)) {
                SRect run{x, y, end - x, 1, color};
                for (qsizetype i = 0; i < open.size(); ++i)
                    if (open[i].x == x && open[i].w == run.w && open[i].color == color) {
                        run = open.takeAt(i);
                        ++run.h;
                        break;
                    }
                grown.append(run);
            }
            x = end;
        }
        closed.append(open);
        open = grown;
    }
    closed.append(open);

    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                                 "height=\"%2\" viewBox=\"0 0 %1 %2\" "
                                 "shape-rendering=\"crispEdges\">\n")
                      .arg(width)
                      .arg(height);
    if (filled)
        svg += QStringLiteral("<rect width=\"%1\" height=\"%2\" fill=\"%3\"/>\n")
                   .arg(width)
                   .arg(height)
                   .arg(ColorName(background));
    for (const SRect& rect : closed) {
        svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"")
                   .arg(rect.x)
                   .arg(rect.y)
                   .arg(rect.w)
                   .arg(rect.h)
                   .arg(ColorName(rect.color));
        if (qAlpha(rect.color) != 255)
            svg +=
                QStringLiteral(" fill-opacity=\"%1\"").arg(qAlpha(rect.color) / 255.0, 0, 'g', 3);
        svg += QStringLiteral("/>\n");
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

QByteArray PngIcon(const QImage& picture, int size) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const bool whole = size % image.width() == 0 && size % image.height() == 0;
    const QImage scaled = image.scaled(size, size, Qt::IgnoreAspectRatio,
                                       whole ? Qt::FastTransformation : Qt::SmoothTransformation);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!scaled.save(&buffer, "PNG"))
        return {};
    return png;
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

QList<SDesktopIcon> DesktopIcons() {
    QList<SDesktopIcon> icons;
    for (const char* name : {kApplicationIcon, kFileTypeIcon}) {
        for (int size : kIconSizes)
            icons.append(
                {QStringLiteral("icons/hicolor/%1x%1/%2.png").arg(size).arg(QLatin1String(name)),
                 size});
        icons.append({QStringLiteral("icons/hicolor/scalable/%1.svg").arg(QLatin1String(name)), 0});
    }
    return icons;
}

QByteArray DesktopIconBytes(const SDesktopIcon& icon) {
    const QImage picture = ApplicationIconImage();
    if (picture.isNull())
        return {};
    return icon.size == 0 ? ScalableIcon(picture) : PngIcon(picture, icon.size);
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
    const QString userEntry = paths.dataHome + QLatin1Char('/') + QLatin1String(kMenuEntry);
    if (InDataDirs(paths, QString::fromLatin1(kMenuEntry)) && IsOwnMenuEntry(userEntry))
        done.menuEntryRemoved = QFile::remove(userEntry);
    if (!Provided(paths, QString::fromLatin1(kMenuEntry)))
        done.menuEntry =
            WriteDataFile(paths, QString::fromLatin1(kMenuEntry), MenuEntry(executable));
    for (const SDesktopIcon& icon : DesktopIcons()) {
        if (Provided(paths, icon.path))
            continue;
        const QByteArray bytes = DesktopIconBytes(icon);
        // A data home that refuses one file refuses the others too.
        if (bytes.isEmpty() || !WriteDataFile(paths, icon.path, bytes))
            break;
        ++done.icons;
    }
    return done;
}
