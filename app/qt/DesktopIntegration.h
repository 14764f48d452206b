#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The editor's place in the desktop for the user who runs it: the .qvl file
// type, the menu entry that opens such files, and the icons, in the per-user
// XDG folders when no installation already provides them; and the icon files
// an installation puts into the hicolor theme.

// Where the XDG data files are looked for: $XDG_DATA_HOME (default
// ~/.local/share), then the folders of $XDG_DATA_DIRS (default
// /usr/local/share:/usr/share).
struct SXdgDataPaths {
    QString dataHome;
    QStringList dataDirs;
};

// The paths as the environment gives them.
SXdgDataPaths XdgDataPathsFromEnvironment();

// One icon file of the program or of its file type in the hicolor theme.
struct SDesktopIcon {
    QString path; // relative to an XDG data folder: icons/hicolor/...
    int size = 0; // width and height in pixels; 0 for the scalable SVG
};

// The icons an installation and the per-user registration put into the
// hicolor theme: the application icon "glowmotion" and the icon of the .qvl
// type (named after its MIME type, as the MIME database derives it), each as
// PNGs of the usual sizes and as a scalable SVG.
QList<SDesktopIcon> DesktopIcons();

// The bytes of `icon`, drawn from the application icon: whole-number
// enlargements keep the dots sharp, other sizes are smoothed. Empty when the
// picture cannot be drawn.
QByteArray DesktopIconBytes(const SDesktopIcon& icon);

// What RegisterFileType did.
struct SRegistration {
    bool mimeType = false;         // wrote mime/packages/glowmotion-qvl.xml
    bool menuEntry = false;        // wrote applications/glowmotion.desktop
    int icons = 0;                 // icon files of DesktopIcons() written
    bool menuEntryRemoved = false; // removed the user's copy of the menu entry
};

// Registers the .qvl type for the user when it is not registered yet: each of
// the MIME package, the menu entry (starting `executable`) and the icons is
// written into the data home only when neither the data home nor a data
// folder holds it, so a second call writes nothing. A menu entry this
// function wrote earlier and the user left unedited is removed once an
// installation provides one, as the user's copy would hide the installed
// program from the menu. After a new MIME package update-mime-database is
// started detached, when installed, so that start-up never waits for it.
// Files are written whole or not at all; a failure is silent, as the editor
// works without the registration.
SRegistration RegisterFileType(const SXdgDataPaths& paths, const QString& executable);
