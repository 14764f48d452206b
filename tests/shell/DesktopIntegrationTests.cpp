// The per-user registration of the .qvl type: written once into a temporary
// XDG_DATA_HOME, left alone when an installation provides it; and the icons
// it shares with an installation.

#include "ShellTestSupport.h"

#include "app/qt/DesktopIntegration.h"
#include "view/qt/ShellResources.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The picture an SVG of rectangles paints, as a browser would at its own
// size; a null image when it holds anything else.
QImage PaintRectangles(const QByteArray& svg) {
    QXmlStreamReader reader(svg);
    QImage image;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1String("svg")) {
            image = QImage(attributes.value("width").toInt(), attributes.value("height").toInt(),
                           QImage::Format_ARGB32);
            image.fill(Qt::transparent);
        } else if (reader.name() == QLatin1String("rect") && !image.isNull()) {
            QPainter painter(&image);
            painter.fillRect(attributes.value("x").toInt(), attributes.value("y").toInt(),
                             attributes.value("width").toInt(), attributes.value("height").toInt(),
                             QColor(attributes.value("fill").toString()));
        } else {
            return {};
        }
    }
    return reader.hasError() ? QImage() : image;
}

} // namespace

class CDesktopIntegrationTests : public QObject {
    Q_OBJECT

private slots:
    void registersOnceIntoTheDataHome() {
        QTemporaryDir home;
        QTemporaryDir system;
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        qputenv("XDG_DATA_DIRS", system.path().toUtf8());
        // No update-mime-database, which would still be writing into the
        // folder when the test removes it.
        qputenv("PATH", "/nonexistent");
        const SXdgDataPaths paths = XdgDataPathsFromEnvironment();
        QCOMPARE(paths.dataHome, home.path());
        QCOMPARE(paths.dataDirs, QStringList{system.path()});

        const QString executable = QStringLiteral("/opt/my \"glow\"/bin/glowmotion");
        const SRegistration first = RegisterFileType(paths, executable);
        QVERIFY(first.mimeType && first.menuEntry && !first.menuEntryRemoved);
        QCOMPARE(first.icons, DesktopIcons().size());
        const QByteArray mime = ReadAll(home.path() + "/mime/packages/glowmotion-qvl.xml");
        QVERIFY(mime.contains("<glob pattern=\"*.qvl\"/>"));
        QVERIFY(mime.contains("application/x-quorvel-document"));
        const QByteArray entry = ReadAll(home.path() + "/applications/glowmotion.desktop");
        QVERIFY(entry.startsWith("[Desktop Entry]"));
        QVERIFY(entry.contains("MimeType=application/x-quorvel-document;"));
        // Quoted for Exec (\" for the quote), then escaped as a string value.
        QVERIFY2(entry.contains("Exec=\"/opt/my \\\\\"glow\\\\\"/bin/glowmotion\" %f\n"),
                 entry.constData());
        for (const SDesktopIcon& icon : DesktopIcons())
            QCOMPARE(ReadAll(home.path() + '/' + icon.path), DesktopIconBytes(icon));

        // A second start writes nothing and leaves the user's edits alone.
        QFile edited(home.path() + "/applications/glowmotion.desktop");
        QVERIFY(edited.open(QIODevice::Append));
        edited.write("X-Edited=true\n");
        edited.close();
        const SRegistration second = RegisterFileType(paths, executable);
        QVERIFY(!second.mimeType && !second.menuEntry && !second.menuEntryRemoved);
        QCOMPARE(second.icons, 0);
        QVERIFY(ReadAll(edited.fileName()).endsWith("X-Edited=true\n"));
        // No temporary file is left beside the written ones.
        QCOMPARE(QDir(home.path() + "/applications").entryList(QDir::Files),
                 QStringList{"glowmotion.desktop"});

        // Installed later, the program's menu entry is not hidden by the
        // user's copy, unless the user edited it.
        WriteFile(system.path() + "/applications/glowmotion.desktop", "[Desktop Entry]\n");
        QVERIFY(!RegisterFileType(paths, executable).menuEntryRemoved);
        QVERIFY(QFile::remove(edited.fileName()));
        QVERIFY(RegisterFileType({home.path(), {}}, executable).menuEntry);
        // A data folder that is the data home itself installs nothing.
        QVERIFY(!RegisterFileType({home.path(), {home.path() + '/'}}, executable).menuEntryRemoved);
        const SRegistration installed = RegisterFileType(paths, executable);
        QVERIFY(installed.menuEntryRemoved && !installed.menuEntry);
        QVERIFY(!QFileInfo::exists(edited.fileName()));
        QVERIFY(!RegisterFileType(paths, executable).menuEntryRemoved);
    }

    // Each icon sits in the hicolor folder of its size and shows the window's
    // icon: whole-number enlargements dot for dot, the SVG square for square.
    void iconsShowTheApplicationIcon() {
        const QImage picture = ApplicationIconImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(picture.size(), QSize(32, 32));
        QStringList paths;
        int scalable = 0;
        for (const SDesktopIcon& icon : DesktopIcons()) {
            paths.append(icon.path);
            const QByteArray bytes = DesktopIconBytes(icon);
            if (icon.size == 0) {
                ++scalable;
                QVERIFY(icon.path.startsWith("icons/hicolor/scalable/"));
                QVERIFY(icon.path.endsWith(".svg"));
                QCOMPARE(PaintRectangles(bytes), picture);
                continue;
            }
            QVERIFY2(icon.path.startsWith(QString("icons/hicolor/%1x%1/").arg(icon.size)),
                     qPrintable(icon.path));
            QImage image;
            QVERIFY(image.loadFromData(bytes, "PNG"));
            QCOMPARE(image.size(), QSize(icon.size, icon.size));
            if (icon.size % 32 == 0)
                QCOMPARE(image.convertToFormat(QImage::Format_ARGB32),
                         picture.scaled(icon.size, icon.size));
        }
        QCOMPARE(scalable, 2);
        QVERIFY(paths.contains("icons/hicolor/48x48/apps/glowmotion.png"));
        QVERIFY(paths.contains("icons/hicolor/scalable/apps/glowmotion.svg"));
        // The file type's icon is named after the type the MIME package declares.
        QVERIFY(
            paths.contains("icons/hicolor/scalable/mimetypes/application-x-quorvel-document.svg"));
        QCOMPARE(paths.removeDuplicates(), 0);
    }

    void anInstallationIsNotRegisteredAgain() {
        QTemporaryDir home;
        QTemporaryDir system;
        QStringList installed = {"/mime/packages/glowmotion-qvl.xml",
                                 "/applications/glowmotion.desktop"};
        for (const SDesktopIcon& icon : DesktopIcons())
            installed.append('/' + icon.path);
        for (const QString& file : installed)
            WriteFile(system.path() + file, {});
        const SRegistration done =
            RegisterFileType({home.path(), {home.path() + "/none", system.path()}}, "/usr/bin/x");
        QVERIFY(!done.mimeType && !done.menuEntry && !done.menuEntryRemoved);
        QCOMPARE(done.icons, 0);
        QVERIFY(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void anUnwritableHomeIsNoFailure() {
        const SRegistration done =
            RegisterFileType({"/proc/no-such-folder", {}}, QStringLiteral("/usr/bin/glowmotion"));
        QVERIFY(!done.mimeType && !done.menuEntry);
        QCOMPARE(done.icons, 0);
    }
};

GLOWMOTION_SHELL_TEST_MAIN(CDesktopIntegrationTests)
#include "DesktopIntegrationTests.moc"
