#include "app/qt/ViewSettings.h"

#include "app/qt/QtProfile.h"
#include "store/CommandIds.h"
#include "view/Preview.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <algorithm>

namespace {

const char* const kOnionSkinKey = "View/OnionSkin";
const char* const kPreviewIntervalKey = "View/PreviewInterval";
const char* const kSignColourKey = "View/SignColour";
const char* const kSignGeometryKey = "View/SignGeometry";

// The smallest sign window a kept geometry may give.
constexpr int kSmallestSign = 32;

void Write(const char* key, const QVariant& value) {
    QSettings settings = ProgramSettings();
    settings.setValue(QString::fromLatin1(key), value);
    settings.sync();
}

QVariant Read(const char* key) {
    return ProgramSettings().value(QString::fromLatin1(key));
}

} // namespace

bool ReadOnionSkin() {
    return Read(kOnionSkinKey).toBool();
}

void WriteOnionSkin(bool on) {
    Write(kOnionSkinKey, on);
}

int ReadPreviewInterval() {
    bool number = false;
    const int interval = Read(kPreviewIntervalKey).toInt(&number);
    if (!number || std::find(kPreviewIntervals.begin(), kPreviewIntervals.end(), interval) ==
                       kPreviewIntervals.end())
        return kPreviewIntervalMs;
    return interval;
}

void WritePreviewInterval(int intervalMs) {
    Write(kPreviewIntervalKey, intervalMs);
}

CSignWindow::EColour ReadSignColour() {
    const QString key = Read(kSignColourKey).toString();
    for (int i = 0; i < CSignWindow::kColourCount; ++i) {
        const auto colour = static_cast<CSignWindow::EColour>(i);
        if (key == QLatin1String(CSignWindow::ColourKey(colour)))
            return colour;
    }
    return CSignWindow::EColour::Red;
}

void WriteSignColour(CSignWindow::EColour colour) {
    Write(kSignColourKey, QString::fromLatin1(CSignWindow::ColourKey(colour)));
}

std::optional<QRect> ReadSignGeometry() {
    const QVariant value = Read(kSignGeometryKey);
    if (!value.canConvert<QRect>())
        return std::nullopt;
    const QRect geometry = value.toRect();
    if (geometry.width() < kSmallestSign || geometry.height() < kSmallestSign)
        return std::nullopt;
    // A screen unplugged since must not leave the window out of reach.
    if (QGuiApplication::screenAt(geometry.center()) == nullptr)
        return std::nullopt;
    return geometry;
}

void WriteSignGeometry(const QRect& geometry) {
    Write(kSignGeometryKey, geometry);
}
