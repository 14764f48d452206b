#include "output/OutputSettings.h"

namespace {

const char* Flag(bool on) {
    return on ? "true" : "false";
}

std::optional<bool> FlagOf(const std::optional<std::string>& text) {
    if (text == "true" || text == "1")
        return true;
    if (text == "false" || text == "0")
        return false;
    return std::nullopt;
}

std::optional<int> IntegerOf(const std::optional<std::string>& text, int lo, int hi) {
    return text ? DecimalIn(*text, lo, hi) : std::nullopt;
}

} // namespace

std::vector<std::pair<std::string, std::string>>
OutputSettingsValues(const SOutputSettings& settings) {
    const SOutputOptions& o = settings.options;
    return {
        {"Target", settings.target},
        {"Color", RgbText(o.lit)},
        {"Off", RgbText(o.off)},
        {"DmxRgb", Flag(o.dmxRgb)},
        {"Origin", OriginName(o.wiring.origin)},
        {"Scan", ScanName(o.wiring.scan)},
        {"Serpentine", Flag(o.wiring.serpentine)},
        {"PanelWidth", std::to_string(o.panelWidth)},
        {"PanelHeight", std::to_string(o.panelHeight)},
        {"OffsetX", std::to_string(o.offsetX)},
        {"OffsetY", std::to_string(o.offsetY)},
    };
}

SOutputSettings OutputSettingsFromValues(
    const std::function<std::optional<std::string>(const std::string& key)>& read) {
    SOutputSettings settings;
    SOutputOptions& o = settings.options;
    settings.target = read("Target").value_or("");
    if (const std::optional<std::string> text = read("Color"))
        o.lit = ParseRgb(*text).value_or(o.lit);
    if (const std::optional<std::string> text = read("Off"))
        o.off = ParseRgb(*text).value_or(o.off);
    o.dmxRgb = FlagOf(read("DmxRgb")).value_or(o.dmxRgb);
    if (const std::optional<std::string> text = read("Origin"))
        o.wiring.origin = OriginFromName(*text).value_or(o.wiring.origin);
    if (const std::optional<std::string> text = read("Scan"))
        o.wiring.scan = ScanFromName(*text).value_or(o.wiring.scan);
    o.wiring.serpentine = FlagOf(read("Serpentine")).value_or(o.wiring.serpentine);
    o.panelWidth = IntegerOf(read("PanelWidth"), 1, kMaxPanelSide).value_or(o.panelWidth);
    o.panelHeight = IntegerOf(read("PanelHeight"), 1, kMaxPanelSide).value_or(o.panelHeight);
    o.offsetX = IntegerOf(read("OffsetX"), -kMaxPanelOffset, kMaxPanelOffset).value_or(o.offsetX);
    o.offsetY = IntegerOf(read("OffsetY"), -kMaxPanelOffset, kMaxPanelOffset).value_or(o.offsetY);
    return settings;
}

std::optional<SOutputTarget> CheckOutputSettings(const SOutputSettings& settings,
                                                 std::string& error) {
    if (settings.target.empty()) {
        error = "出力先が設定されていません。「LED出力設定...」で出力先を指定してください。";
        return std::nullopt;
    }
    std::string why;
    const std::optional<SOutputTarget> target = ParseOutputTarget(settings.target, why);
    if (!target) {
        error = "出力先 \"" + settings.target + "\" が正しくありません。\n(" + why + ")";
        return std::nullopt;
    }
    if (!CheckOutputOptions(*target, OptionsForTarget(*target, settings.options), why)) {
        error = "この出力先には設定が合いません。\n(" + why + ")";
        return std::nullopt;
    }
    return target;
}

SOutputOptions OptionsForTarget(const SOutputTarget& target, SOutputOptions options) {
    if (target.kind == EOutputKind::FlaschenTaschen) {
        options.panelWidth = kScreenColumns;
        options.panelHeight = kScreenRows;
        options.wiring = {};
    }
    return options;
}
