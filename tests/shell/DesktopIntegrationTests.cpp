// The per-user registration of the .qvl type: written once into a temporary
// XDG_DATA_HOME, left alone when an installation provides it.

#include "ShellTestSupport.h"

#include "app/qt/DesktopIntegration.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
        QVERIFY(first.mimeType && first.menuEntry && first.icon);
        const QByteArray mime = ReadAll(home.path() + "/mime/packages/glowmotion-qvl.xml");
        QVERIFY(mime.contains("<glob pattern=\"*.qvl\"/>"));
        QVERIFY(mime.contains("application/x-quorvel-document"));
        const QByteArray entry = ReadAll(home.path() + "/applications/glowmotion.desktop");
        QVERIFY(entry.startsWith("[Desktop Entry]"));
        QVERIFY(entry.contains("MimeType=application/x-quorvel-document;"));
        // Quoted for Exec (\" for the quote), then escaped as a string value.
        QVERIFY2(entry.contains("Exec=\"/opt/my \\\\\"glow\\\\\"/bin/glowmotion\" %f\n"),
                 entry.constData());
        QVERIFY(QFileInfo(home.path() + "/icons/hicolor/32x32/apps/glowmotion.png").size() > 0);

        // A second start writes nothing and leaves the user's edits alone.
        QFile edited(home.path() + "/applications/glowmotion.desktop");
        QVERIFY(edited.open(QIODevice::Append));
        edited.write("X-Edited=true\n");
        edited.close();
        const SRegistration second = RegisterFileType(paths, executable);
        QVERIFY(!second.mimeType && !second.menuEntry && !second.icon);
        QVERIFY(ReadAll(edited.fileName()).endsWith("X-Edited=true\n"));
        // No temporary file is left beside the written ones.
        QCOMPARE(QDir(home.path() + "/applications").entryList(QDir::Files),
                 QStringList{"glowmotion.desktop"});
    }

    void anInstallationIsNotRegisteredAgain() {
        QTemporaryDir home;
        QTemporaryDir system;
        for (const char* file : {"/mime/packages/glowmotion-qvl.xml",
                                 "/applications/glowmotion.desktop", "/pixmaps/glowmotion.xpm"}) {
            const QString path = system.path() + file;
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile installed(path);
            QVERIFY(installed.open(QIODevice::WriteOnly));
        }
        const SRegistration done =
            RegisterFileType({home.path(), {home.path() + "/none", system.path()}}, "/usr/bin/x");
        QVERIFY(!done.mimeType && !done.menuEntry && !done.icon);
        QVERIFY(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void anUnwritableHomeIsNoFailure() {
        const SRegistration done =
            RegisterFileType({"/proc/no-such-folder", {}}, QStringLiteral("/usr/bin/glowmotion"));
        QVERIFY(!done.mimeType && !done.menuEntry && !done.icon);
    }
};

GLOWMOTION_SHELL_TEST_MAIN(CDesktopIntegrationTests)
#include "DesktopIntegrationTests.moc"
