#include "app/qt/ExportSettings.h"

#include "app/qt/QtProfile.h"
#include "store/DotOrder.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>

#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr const char* kSection = "Export";

// One kept choice: its key, and how its field of the options is read from
// and written as a setting's value.
struct SExportKey {
    const char* key;
    std::function<bool(SExportOptions&, const QString&)> read;
    std::function<QString(const SExportOptions&)> write;
};

// A number within [lo, hi]; `field` gives the int it is kept in.
template <typename Field>
SExportKey Number(const char* key, int lo, int hi, Field field) {
    return {key,
            [=](SExportOptions& options, const QString& text) {
                bool ok = false;
                const int value = text.trimmed().toInt(&ok);
                if (!ok || value < lo || value > hi)
                    return false;
                field(options) = value;
                return true;
            },
            [=](const SExportOptions& options) { return QString::number(field(options)); }};
}

// One of a few words, each standing for a value of an enumeration.
template <typename Enum, typename Field>
SExportKey Choice(const char* key, std::vector<std::pair<const char*, Enum>> words, Field field) {
    return {key,
            [=](SExportOptions& options, const QString& text) {
                for (const auto& [word, value] : words) {
                    if (text.trimmed() == QLatin1String(word)) {
                        field(options) = value;
                        return true;
                    }
                }
                return false;
            },
            [=](const SExportOptions& options) {
                for (const auto& [word, value] : words)
                    if (field(options) == value)
                        return QString::fromLatin1(word);
                return QString();
            }};
}

// A value of an enumeration kept by the name `name` gives it and read back
// by `fromName`, as the command line writes it.
template <typename Enum, typename Field>
SExportKey Named(const char* key, const char* (*name)(Enum),
                 std::optional<Enum> (*fromName)(std::string_view), Field field) {
    return {
        key,
        [=](SExportOptions& options, const QString& text) {
            const std::optional<Enum> value = fromName(text.trimmed().toStdString());
            if (value)
                field(options) = *value;
            return value.has_value();
        },
        [=](const SExportOptions& options) { return QString::fromLatin1(name(field(options))); }};
}

// A check box, kept as true or false.
template <typename Field>
SExportKey Flag(const char* key, Field field) {
    return Choice<bool>(key, {{"true", true}, {"false", false}}, field);
}

// Every kept choice. A new option of the dialog is one more line here.
const std::vector<SExportKey>& ExportKeys() {
    static const std::vector<SExportKey> keys = {
        Choice<ERenderStyle>(
            "Style", {{"led", ERenderStyle::Led}, {"pixel", ERenderStyle::Pixel}},
            [](auto& options) -> auto& { return options.render.style; }),
        Number(
            "Scale", kMinRenderScale, kMaxRenderScale,
            [](auto& options) -> auto& { return options.render.scale; }),
        Number(
            "Delay", kMinGifDelayMs, kMaxGifDelayMs,
            [](auto& options) -> auto& { return options.delayMs; }),
        Number(
            "Columns", kMinSheetColumns, kMaxSheetColumns,
            [](auto& options) -> auto& { return options.columns; }),
        Named<EDotLayout>(
            "Layout", LayoutName, LayoutFromName,
            [](auto& options) -> auto& { return options.layout; }),
        Named<EWiringOrigin>(
            "Origin", OriginName, OriginFromName,
            [](auto& options) -> auto& { return options.wiring.origin; }),
        Named<EWiringScan>(
            "Scan", ScanName, ScanFromName,
            [](auto& options) -> auto& { return options.wiring.scan; }),
        Flag(
            "Serpentine", [](auto& options) -> auto& { return options.wiring.serpentine; }),
        Flag(
            "Progmem", [](auto& options) -> auto& { return options.progmem; }),
    };
    return keys;
}

QString KeyOf(const char* key) {
    return QString::fromLatin1(kSection) + QLatin1Char('/') + QString::fromLatin1(key);
}

} // namespace

void ReadExportSettings(SExportOptions& options) {
    const QSettings settings = ProgramSettings();
    for (const SExportKey& key : ExportKeys()) {
        const QVariant value = settings.value(KeyOf(key.key));
        if (value.isValid())
            key.read(options, value.toString());
    }
}

void WriteExportDelay(int delayMs) {
    QSettings settings = ProgramSettings();
    settings.setValue(KeyOf("Delay"), QString::number(delayMs));
    settings.sync();
}

void WriteExportSettings(const SExportOptions& options) {
    QSettings settings = ProgramSettings();
    for (const SExportKey& key : ExportKeys())
        settings.setValue(KeyOf(key.key), key.write(options));
    settings.sync();
}

std::string ReadLastExportFolder() {
    const QSettings settings = ProgramSettings();
    return QFile::encodeName(settings.value(KeyOf("Folder")).toString()).toStdString();
}

void WriteLastExportFolder(const std::string& path) {
    QSettings settings = ProgramSettings();
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    settings.setValue(KeyOf("Folder"), QFileInfo(file).absolutePath());
    settings.sync();
}
