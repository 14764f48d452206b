#include "view/qt/ShellResources.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <cstring>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void RegisterCompiledResources() {
    Q_INIT_RESOURCE(glowmotion);
}

namespace {

constexpr int kToolbarPictureWidth = 16;
constexpr int kToolbarPictureHeight = 15;

// Registers the compiled-in pictures, once.
void InitShellResources() {
    static const bool registered = [] {
        RegisterCompiledResources();
        return true;
    }();
    (void)registered;
}

QPixmap Load(const char* file) {
    InitShellResources();
    return QPixmap(QStringLiteral(":/res/") + QLatin1String(file));
}

// The play button: the word "TEST" in yellow on blue, in a raised frame; the
// pressed face is sunken with the word moved down and right.
QPixmap TestFace(bool pressed) {
    QImage image(144, 142, QImage::Format_RGB32);
    const QColor blue(0, 0, 255);
    const QColor light(128, 128, 255);
    const QColor dark(0, 0, 128);
    image.fill(blue);
    QPainter painter(&image);
    const QColor topLeft = pressed ? dark : light;
    const QColor bottomRight = pressed ? light : dark;
    const int w = image.width();
    const int h = image.height();
    for (int i = 0; i < 3; ++i) {
        painter.setPen(topLeft);
        painter.drawLine(i, i, w - 1 - i, i);
        painter.drawLine(i, i, i, h - 1 - i);
        painter.setPen(bottomRight);
        painter.drawLine(i, h - 1 - i, w - 1 - i, h - 1 - i);
        painter.drawLine(w - 1 - i, i, w - 1 - i, h - 1 - i);
    }
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic")});
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 0));
    QRect textRect = image.rect();
    if (pressed)
        textRect.translate(2, 2);
    painter.drawText(textRect, Qt::AlignCenter, QStringLiteral("TEST"));
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

QPixmap DotPictures() {
    return Load("dots.xpm");
}

QPixmap FormPicture(const char* name) {
    if (std::strcmp(name, "mark1") == 0)
        return Load("mark1.xpm");
    if (std::strcmp(name, "mark2") == 0)
        return Load("mark2.xpm");
    return {};
}

QPixmap ToolbarPicture(int index) {
    if (index < 0 || index >= kToolbarPictureCount)
        return {};
    return Load("toolbar.xpm")
        .copy(index * kToolbarPictureWidth, 0, kToolbarPictureWidth, kToolbarPictureHeight);
}

QPixmap BitmapButtonFace(const char* name) {
    struct SFace {
        const char* name;
        const char* file;
    };
    static const SFace kFaces[] = {
        {"IDB_BITMAPFD", "last_normal.xpm"},
        {"IDB_BITMAPFE", "last_pressed.xpm"},
        {"IDB_BITMAPRD", "first_normal.xpm"},
        {"IDB_BITMAPRE", "first_pressed.xpm"},
    };
    if (std::strcmp(name, "IDB_BITMAP1") == 0)
        return TestFace(false);
    if (std::strcmp(name, "IDB_BITMAP2") == 0)
        return TestFace(true);
    for (const SFace& face : kFaces)
        if (std::strcmp(name, face.name) == 0)
            return Load(face.file);
    return {};
}

QCursor SetDotCursor() {
    return QCursor(Load("cursor_set.xpm"), 0, 0);
}

QCursor ClearDotCursor() {
    return QCursor(Load("cursor_clear.xpm"), 0, 0);
}

QIcon ApplicationIcon() {
    return QIcon(Load("glowmotion.xpm"));
}

QImage ApplicationIconImage() {
    InitShellResources();
    return QImage(QStringLiteral(":/res/glowmotion.xpm"));
}

QFont FormFont() {
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPixelSize(12);
    return font;
}
