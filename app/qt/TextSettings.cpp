#include "app/qt/TextSettings.h"

#include "app/qt/QtProfile.h"

#include <QSettings>

namespace {

const char* const kGroup = "Text";
// A row of -1 stands for a centred line.
constexpr int kCentredRow = -1;

// The integer under `key`, or nullopt when it is missing or no integer.
std::optional<int> ReadInt(const QSettings& settings, const char* key) {
    bool ok = false;
    const int value = settings.value(QString::fromLatin1(key)).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

STextScrollOptions ReadTextOptions() {
    QSettings settings = ProgramSettings();
    settings.beginGroup(QString::fromLatin1(kGroup));
    STextScrollOptions options;
    options.message = settings.value(QStringLiteral("Message")).toString().toStdString();
    options.family = settings.value(QStringLiteral("Font")).toString().toStdString();
    if (const std::optional<int> size = ReadInt(settings, "Size"); size && IsTextSize(*size))
        options.size = *size;
    if (const std::optional<int> row = ReadInt(settings, "Row");
        row && *row >= 0 && *row <= LastTextRow(options.size))
        options.row = *row;
    if (const std::optional<int> step = ReadInt(settings, "Step");
        step && *step >= kMinTextStep && *step <= kMaxTextStep)
        options.step = *step;
    return options;
}

void WriteTextOptions(const STextScrollOptions& options) {
    QSettings settings = ProgramSettings();
    settings.beginGroup(QString::fromLatin1(kGroup));
    settings.setValue(QStringLiteral("Message"), QString::fromStdString(options.message));
    settings.setValue(QStringLiteral("Size"), options.size);
    settings.setValue(QStringLiteral("Font"), QString::fromStdString(options.family));
    settings.setValue(QStringLiteral("Row"), options.row.value_or(kCentredRow));
    settings.setValue(QStringLiteral("Step"), options.step);
    settings.endGroup();
    settings.sync();
}
