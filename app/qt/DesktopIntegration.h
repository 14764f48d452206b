#pragma once

#include <QString>
#include <QStringList>

// The editor's place in the desktop for the user who runs it: the .qvl file
// type, the menu entry that opens such files, and the icon, in the per-user
// XDG folders when no installation already provides them.

// Where the XDG data files are looked for: $XDG_DATA_HOME (default
// ~/.local/share), then the folders of $XDG_DATA_DIRS (default
// /usr/local/share:/usr/share).
struct SXdgDataPaths {
    QString dataHome;
    QStringList dataDirs;
};

// The paths as the environment gives them.
SXdgDataPaths XdgDataPathsFromEnvironment();

// What RegisterFileType wrote.
struct SRegistration {
    bool mimeType = false;  // mime/packages/glowmotion-qvl.xml
    bool menuEntry = false; // applications/glowmotion.desktop
    bool icon = false;      // icons/hicolor/32x32/apps/glowmotion.png
};

// Registers the .qvl type for the user when it is not registered yet: each of
// the MIME package, the menu entry (starting `executable`) and the icon is
// written into the data home only when neither the data home nor a data
// folder holds it, so a second call writes nothing. After a new MIME package
// update-mime-database is started detached, when installed, so that start-up
// never waits for it. Files are written whole or not at all; a failure is
// silent, as the editor works without the registration.
SRegistration RegisterFileType(const SXdgDataPaths& paths, const QString& executable);
