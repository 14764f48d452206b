#pragma once

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// The pictures, cursors and fonts of the window. The pictures are drawn for
// this program and compiled into it (res/glowmotion.qrc); the face of the
// play button is painted at run time.

// A text of the program, written in UTF-8 in its source, as Qt takes it.
inline QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The grid dots side by side, 21 x 7: lit (cyan) at x 0, unlit (white) at
// x 7, and the onion skin's dimmed lit dot (pale cyan) at x 14.
QPixmap DotPictures();

// A small picture of the form by its name in the form table ("mark1",
// "mark2"); a null pixmap for an unknown name.
QPixmap FormPicture(const char* name);

// Picture `index` (0..17) of the toolbar strip, 16 x 15.
QPixmap ToolbarPicture(int index);
inline constexpr int kToolbarPictureCount = 18;

// A face of a bitmap button by its resource name ("IDB_BITMAP1" and so on);
// a null pixmap for an unknown name.
QPixmap BitmapButtonFace(const char* name);

// The pencil and the eraser, hot spot at their top-left corner.
QCursor SetDotCursor();
QCursor ClearDotCursor();

// The application's icon.
QIcon ApplicationIcon();

// The application's icon as the 32 x 32 picture it is drawn in; usable
// without a QGuiApplication, as build tools need.
QImage ApplicationIconImage();

// The face of the form and the dialogs: the 9-point Japanese proportional
// Gothic, 12 pixels high, with the fixed-pitch Gothic as a fallback.
QFont FormFont();
