#pragma once

#include "output/OutputOptions.h"
#include "output/OutputTarget.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The editor's live output settings as the settings file keeps them
// (section "Output"): the target as typed, and the options.
struct SOutputSettings {
    std::string target;
    SOutputOptions options;
    bool operator==(const SOutputSettings&) const = default;
};

// The keys and values to write, in a fixed order: Target, Color, Off,
// DmxRgb, Origin, Scan, Serpentine, PanelWidth, PanelHeight, OffsetX,
// OffsetY. Colours as RRGGBB, flags as "true"/"false", names as the command
// line takes them.
std::vector<std::pair<std::string, std::string>>
OutputSettingsValues(const SOutputSettings& settings);

// Settings from what `read` finds under those keys (nullopt for a key that
// is not there). A value that is missing or cannot be read keeps its
// default, so a damaged file never stops the editor.
SOutputSettings OutputSettingsFromValues(
    const std::function<std::optional<std::string>(const std::string& key)>& read);

// The target of `settings`, checked with its options. nullopt with `error`
// set (one line, in Japanese for the editor) when the target cannot be read
// or the options do not suit it.
std::optional<SOutputTarget> CheckOutputSettings(const SOutputSettings& settings,
                                                 std::string& error);

// `options` as `target` takes them: FlaschenTaschen sends the screen as a
// picture, so the panel and the wiring do not apply to it.
SOutputOptions OptionsForTarget(const SOutputTarget& target, SOutputOptions options);
