#include "cli/CommandLine.h"

#include "cli/EscapedText.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace {

// Large enough to stand for any number a user might type, and small enough
// that negating it cannot overflow.
constexpr long long kIntegerCap = 1LL << 62;

// An optional sign followed by decimal digits and nothing else; values too
// large for the cap are held at it, which no screen or step reaches anyway.
std::optional<long long> ParseInteger(std::string_view text) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    if (pos == text.size())
        return std::nullopt;
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        if (text[pos] < '0' || text[pos] > '9')
            return std::nullopt;
        const int digit = text[pos] - '0';
        value = value > (kIntegerCap - digit) / 10 ? kIntegerCap : value * 10 + digit;
    }
    return negative ? -value : value;
}

// Walks the arguments of one command: options with or without a value and
// the positional arguments, with "--" ending the options.
class CArgumentWalker {
public:
    enum class EKind { Option, Positional, EndOfOptions };

    explicit CArgumentWalker(const std::vector<std::string>& args) : m_args(args) {}

    bool AtEnd() const { return m_next >= m_args.size(); }

    // The next argument and how it is to be read.
    const std::string& Take(EKind& kind) {
        const std::string& arg = m_args[m_next++];
        if (m_optionsEnded) {
            kind = EKind::Positional;
        } else if (arg == "--") {
            kind = EKind::EndOfOptions;
            m_optionsEnded = true;
        } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            kind = EKind::Option;
        } else {
            kind = EKind::Positional;
        }
        return arg;
    }

    // The value of option `name`, which is the next argument whatever it
    // looks like; false with `error` set when there is none.
    bool TakeValue(const std::string& name, std::string& value, std::string& error) {
        if (AtEnd()) {
            error = "option " + EscapedText(name) + " needs a value";
            return false;
        }
        value = m_args[m_next++];
        return true;
    }

private:
    const std::vector<std::string>& m_args;
    size_t m_next = 1; // the command itself is args[0]
    bool m_optionsEnded = false;
};

// Keeps the one positional argument a command takes.
bool TakePositional(const std::string& arg, std::optional<std::string>& slot, std::string& error) {
    if (slot) {
        error = "unexpected argument '" + EscapedText(arg) + "'";
        return false;
    }
    slot = arg;
    return true;
}

// Stores the value of an option that may be given once.
bool SetOnce(const std::string& name, std::optional<std::string>& slot, std::string value,
             std::string& error) {
    if (slot) {
        error = "option " + EscapedText(name) + " given more than once";
        return false;
    }
    slot = std::move(value);
    return true;
}

std::optional<SCommandLine> ParseShow(const std::vector<std::string>& args, ECommand command,
                                      std::string& error) {
    SCommandLine line;
    line.command = command;
    std::optional<std::string> file;
    std::optional<std::string> screen;
    CArgumentWalker walker(args);
    while (!walker.AtEnd()) {
        CArgumentWalker::EKind kind;
        const std::string& arg = walker.Take(kind);
        if (kind == CArgumentWalker::EKind::EndOfOptions)
            continue;
        if (kind == CArgumentWalker::EKind::Positional) {
            if (!TakePositional(arg, file, error))
                return std::nullopt;
        } else if (arg == "--help") {
            line.command = ECommand::Help;
            return line;
        } else if (arg == "--screen" && command == ECommand::Show) {
            std::string value;
            if (!walker.TakeValue(arg, value, error) || !SetOnce(arg, screen, value, error))
                return std::nullopt;
        } else {
            error = "unknown option '" + EscapedText(arg) + "'";
            return std::nullopt;
        }
    }
    if (!file) {
        error = "missing the animation file (FILE.qvl)";
        return std::nullopt;
    }
    line.show.file = *file;
    if (screen) {
        const std::optional<long long> number = ParseInteger(*screen);
        if (!number) {
            error = "--screen takes a screen number, not '" + EscapedText(*screen) + "'";
            return std::nullopt;
        }
        line.show.screen = *number;
        line.show.screenText = *screen;
    }
    return line;
}

std::optional<SCommandLine> ParsePlay(const std::vector<std::string>& args, std::string& error) {
    SCommandLine line;
    line.command = ECommand::Play;
    SPlayOptions& play = line.play;
    std::optional<std::string> macro;
    std::optional<std::string> breakText;
    CArgumentWalker walker(args);
    while (!walker.AtEnd()) {
        CArgumentWalker::EKind kind;
        const std::string& arg = walker.Take(kind);
        if (kind == CArgumentWalker::EKind::EndOfOptions)
            continue;
        if (kind == CArgumentWalker::EKind::Positional) {
            if (!TakePositional(arg, macro, error))
                return std::nullopt;
            continue;
        }
        if (arg == "--help") {
            line.command = ECommand::Help;
            return line;
        }
        if (arg == "--state") {
            play.printState = true;
            continue;
        }
        std::optional<std::string>* once = nullptr;
        std::vector<std::string>* repeated = nullptr;
        for (int bank = 0; bank < kBankCount; ++bank) {
            const std::string number = std::to_string(bank + 1);
            if (arg == "--select" + number)
                once = &play.selectFiles[bank];
            else if (arg == "--out" + number)
                once = &play.outFiles[bank];
        }
        if (arg == "--break")
            once = &breakText;
        else if (arg == "--text16")
            repeated = &play.texts16;
        else if (arg == "--text32")
            repeated = &play.texts32;
        else if (arg == "--bitmap")
            repeated = &play.bitmapFiles;
        if (once == nullptr && repeated == nullptr) {
            error = "unknown option '" + EscapedText(arg) + "'";
            return std::nullopt;
        }
        std::string value;
        if (!walker.TakeValue(arg, value, error))
            return std::nullopt;
        if (repeated != nullptr)
            repeated->push_back(std::move(value));
        else if (!SetOnce(arg, *once, std::move(value), error))
            return std::nullopt;
    }
    if (!macro) {
        error = "missing the macro file (MACRO.mcr)";
        return std::nullopt;
    }
    play.macroFile = *macro;
    if (breakText) {
        const std::optional<long long> number = ParseInteger(*breakText);
        if (!number) {
            error = "--break takes an integer, not '" + EscapedText(*breakText) + "'";
            return std::nullopt;
        }
        // Beyond the range of the field a break step means what INT_MAX or
        // INT_MIN mean: no break.
        play.breakStep = static_cast<int>(std::clamp<long long>(*number, INT_MIN, INT_MAX));
    }
    return line;
}

std::optional<SCommandLine> ParseMacro(const std::vector<std::string>& args, std::string& error) {
    SCommandLine line;
    line.command = ECommand::Macro;
    std::vector<std::string> positionals;
    CArgumentWalker walker(args);
    while (!walker.AtEnd()) {
        CArgumentWalker::EKind kind;
        const std::string& arg = walker.Take(kind);
        if (kind == CArgumentWalker::EKind::EndOfOptions)
            continue;
        if (kind == CArgumentWalker::EKind::Positional) {
            positionals.push_back(arg);
        } else if (arg == "--help") {
            line.command = ECommand::Help;
            return line;
        } else {
            error = "unknown option '" + EscapedText(arg) + "'";
            return std::nullopt;
        }
    }
    if (positionals.empty()) {
        error = "missing the macro action (list, optimize or export)";
        return std::nullopt;
    }
    SMacroOptions& macro = line.macro;
    const std::string& action = positionals[0];
    if (action == "list")
        macro.action = EMacroAction::List;
    else if (action == "optimize")
        macro.action = EMacroAction::Optimize;
    else if (action == "export")
        macro.action = EMacroAction::Export;
    else {
        error = "unknown macro action '" + EscapedText(action) + "'";
        return std::nullopt;
    }
    const size_t wanted = macro.action == EMacroAction::List ? 2 : 3;
    if (positionals.size() < 2) {
        error = "missing the macro file (FILE.mcr)";
        return std::nullopt;
    }
    if (positionals.size() < wanted) {
        error = macro.action == EMacroAction::Export ? "missing the text file (OUT.txt)"
                                                     : "missing the output file (OUT.mcr)";
        return std::nullopt;
    }
    if (positionals.size() > wanted) {
        error = "unexpected argument '" + EscapedText(positionals[wanted]) + "'";
        return std::nullopt;
    }
    macro.input = positionals[1];
    if (wanted == 3)
        macro.output = positionals[2];
    return line;
}

// The options of export: whether each is a flag (without a value) and the
// formats it applies to.
struct SFormatOption {
    const char* name;
    bool flag;
    bool gif, png, csource, binary, xbm;
};

constexpr SFormatOption kExportOptions[] = {
    {"--from", false, true, true, true, true, true},
    {"--to", false, true, true, true, true, true},
    {"--scale", false, true, true, false, false, false},
    {"--style", false, true, true, false, false, false},
    {"--delay", false, true, false, false, false, false},
    {"--columns", false, false, true, false, false, false},
    {"--layout", false, false, false, true, true, false},
    {"--origin", false, false, false, true, true, false},
    {"--scan", false, false, false, true, true, false},
    {"--serpentine", true, false, false, true, true, false},
    {"--progmem", true, false, false, true, false, false},
    {"--name", false, false, false, true, false, true},
};

bool AppliesTo(const SFormatOption& option, EExportFormat format) {
    switch (format) {
    case EExportFormat::Gif:
        return option.gif;
    case EExportFormat::Png:
        return option.png;
    case EExportFormat::CSource:
        return option.csource;
    case EExportFormat::Binary:
        return option.binary;
    case EExportFormat::Xbm:
        return option.xbm;
    }
    return false;
}

// What a file of `format` is, for the message of an option it does not take.
const char* FormatNoun(EExportFormat format) {
    switch (format) {
    case EExportFormat::Gif:
        return "an animated GIF";
    case EExportFormat::Png:
        return "a PNG";
    case EExportFormat::CSource:
        return "C source";
    case EExportFormat::Binary:
        return "raw bytes";
    case EExportFormat::Xbm:
        break;
    }
    return "an X11 bitmap, always in the rows-lsb layout";
}

// The wiring options of an LED strip (--origin, --scan, --serpentine) into
// `wiring`; false with `error` set for a value they do not take.
bool WiringOption(const std::string& name, const std::string& value, SWiring& wiring,
                  std::string& error) {
    if (name == "--origin") {
        const std::optional<EWiringOrigin> origin = OriginFromName(value);
        if (!origin) {
            error = "--origin takes tl, tr, bl or br, not '" + EscapedText(value) + "'";
            return false;
        }
        wiring.origin = *origin;
    } else if (name == "--scan") {
        const std::optional<EWiringScan> scan = ScanFromName(value);
        if (!scan) {
            error = "--scan takes rows or columns, not '" + EscapedText(value) + "'";
            return false;
        }
        wiring.scan = *scan;
    } else if (name == "--serpentine") {
        wiring.serpentine = true;
    }
    return true;
}

bool IsWiringOption(const std::string& name) {
    return name == "--origin" || name == "--scan" || name == "--serpentine";
}

// The screen number of --from or --to, kept with its text for messages.
bool RangeOption(const std::string& name, const std::string& value, SScreenRangeRequest& range,
                 std::string& error) {
    const std::optional<long long> number = ParseInteger(value);
    if (!number) {
        error = name + " takes a screen number, not '" + EscapedText(value) + "'";
        return false;
    }
    (name == "--from" ? range.from : range.to) = *number;
    (name == "--from" ? range.fromText : range.toText) = value;
    return true;
}

// The integer value of option `name` within [lo, hi].
bool RangedInteger(const std::string& name, const std::string& text, long long lo, long long hi,
                   int& value, std::string& error) {
    const std::optional<long long> number = ParseInteger(text);
    if (!number || *number < lo || *number > hi) {
        error = name + " takes an integer from " + std::to_string(lo) + " to " +
                std::to_string(hi) + ", not '" + EscapedText(text) + "'";
        return false;
    }
    value = static_cast<int>(*number);
    return true;
}

// The value of option `name` that must be one of two words.
bool OneOf(const std::string& name, const std::string& text, const char* first, const char* second,
           bool& isFirst, std::string& error) {
    if (text != first && text != second) {
        error = name + " takes " + first + " or " + second + ", not '" + EscapedText(text) + "'";
        return false;
    }
    isFirst = text == first;
    return true;
}

// The arguments of export or import as given: the two file names and each
// option with its value as text (empty for a flag), or only that help was
// asked for.
struct SExchangeArguments {
    bool help = false;
    std::vector<std::string> positionals;
    std::vector<std::pair<std::string, std::string>> values;
};

// Collects the options and the two positional arguments of export or
// import: `flags` take no value, `valued` take one, anything else is
// unknown. The values stay text until the format is known. Unless --help
// was given, a missing first or second positional argument is an error
// with `missingFirst` or `missingSecond`.
std::optional<SExchangeArguments> CollectExchangeArguments(const std::vector<std::string>& args,
                                                           const std::vector<std::string>& flags,
                                                           const std::vector<std::string>& valued,
                                                           const char* missingFirst,
                                                           const char* missingSecond,
                                                           std::string& error) {
    SExchangeArguments collected;
    std::vector<std::string>& positionals = collected.positionals;
    std::vector<std::pair<std::string, std::string>>& values = collected.values;
    CArgumentWalker walker(args);
    while (!walker.AtEnd()) {
        CArgumentWalker::EKind kind;
        const std::string& arg = walker.Take(kind);
        if (kind == CArgumentWalker::EKind::EndOfOptions)
            continue;
        if (kind == CArgumentWalker::EKind::Positional) {
            if (positionals.size() == 2) {
                error = "unexpected argument '" + EscapedText(arg) + "'";
                return std::nullopt;
            }
            positionals.push_back(arg);
            continue;
        }
        if (arg == "--help") {
            collected.help = true;
            return collected;
        }
        for (const auto& [name, value] : values) {
            if (name == arg) {
                error = "option " + EscapedText(arg) + " given more than once";
                return std::nullopt;
            }
        }
        if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
            values.emplace_back(arg, std::string());
            continue;
        }
        if (std::find(valued.begin(), valued.end(), arg) == valued.end()) {
            error = "unknown option '" + EscapedText(arg) + "'";
            return std::nullopt;
        }
        std::string value;
        if (!walker.TakeValue(arg, value, error))
            return std::nullopt;
        values.emplace_back(arg, std::move(value));
    }
    if (positionals.size() < 2) {
        error = positionals.empty() ? missingFirst : missingSecond;
        return std::nullopt;
    }
    return collected;
}

std::optional<SCommandLine> ParseExport(const std::vector<std::string>& args, std::string& error) {
    std::vector<std::string> flags;
    std::vector<std::string> valued;
    for (const SFormatOption& option : kExportOptions)
        (option.flag ? flags : valued).emplace_back(option.name);
    const std::optional<SExchangeArguments> collected = CollectExchangeArguments(
        args, flags, valued, "missing the animation file (FILE.qvl)",
        "missing the output file (.gif, .png, .h, .c, .bin or .xbm)", error);
    if (!collected || collected->help)
        return collected ? std::optional<SCommandLine>(SCommandLine{}) : std::nullopt;
    SCommandLine line;
    line.command = ECommand::Export;
    SExportArguments& exported = line.exportArgs;
    exported.file = collected->positionals[0];
    exported.out = collected->positionals[1];
    const std::optional<EExportFormat> format = ExportFormatOfPath(exported.out);
    if (!format) {
        error = "cannot tell the format of '" + EscapedText(exported.out) +
                "': name a .gif, .png, .h, .c, .bin or .xbm file";
        return std::nullopt;
    }
    SExportOptions& options = exported.options;
    options.format = *format;
    std::string wiringGiven;
    for (const auto& [name, value] : collected->values) {
        const SFormatOption* option = nullptr;
        for (const SFormatOption& known : kExportOptions)
            if (name == known.name)
                option = &known;
        if (!AppliesTo(*option, *format)) {
            error = "option " + name + " does not apply to '" + EscapedText(exported.out) + "' (" +
                    FormatNoun(*format) + ")";
            return std::nullopt;
        }
        bool first = false;
        bool ok = true;
        if (name == "--from" || name == "--to") {
            ok = RangeOption(name, value, exported.range, error);
        } else if (name == "--scale") {
            ok = RangedInteger(name, value, kMinRenderScale, kMaxRenderScale, options.render.scale,
                               error);
        } else if (name == "--style") {
            ok = OneOf(name, value, "led", "pixel", first, error);
            options.render.style = first ? ERenderStyle::Led : ERenderStyle::Pixel;
        } else if (name == "--delay") {
            ok = RangedInteger(name, value, kMinGifDelayMs, kMaxGifDelayMs, options.delayMs, error);
        } else if (name == "--columns") {
            ok = RangedInteger(name, value, kMinSheetColumns, kMaxSheetColumns, options.columns,
                               error);
        } else if (name == "--layout") {
            const std::optional<EDotLayout> layout = LayoutFromName(value);
            if (!layout) {
                error = "--layout takes rows, rows-lsb, pages, columns or strip, not '" +
                        EscapedText(value) + "'";
                return std::nullopt;
            }
            options.layout = *layout;
        } else if (IsWiringOption(name)) {
            ok = WiringOption(name, value, options.wiring, error);
            if (wiringGiven.empty())
                wiringGiven = name;
        } else if (name == "--progmem") {
            options.progmem = true;
        } else if (name == "--name") {
            if (!IsCIdentifier(value)) {
                error = "--name takes a C identifier that is no keyword and no name of "
                        "<stdint.h>, not '" +
                        EscapedText(value) + "'";
                return std::nullopt;
            }
            options.name = value;
        }
        if (!ok)
            return std::nullopt;
    }
    if (!wiringGiven.empty() && options.layout != EDotLayout::Strip) {
        error = "option " + wiringGiven + " applies to --layout strip only";
        return std::nullopt;
    }
    const SScreenRangeRequest& range = exported.range;
    if (*format == EExportFormat::Xbm && range.to && *range.to != range.from.value_or(1)) {
        error = "an X11 bitmap holds one screen: --to " + EscapedText(range.toText) +
                " must equal --from " + (range.from ? EscapedText(range.fromText) : "1");
        return std::nullopt;
    }
    return line;
}

std::optional<SCommandLine> ParseImport(const std::vector<std::string>& args, std::string& error) {
    const std::optional<SExchangeArguments> collected = CollectExchangeArguments(
        args, {"--invert"}, {"--threshold", "--fit"}, "missing the GIF file (IN.gif)",
        "missing the animation file to write (OUT.qvl)", error);
    if (!collected || collected->help)
        return collected ? std::optional<SCommandLine>(SCommandLine{}) : std::nullopt;
    SCommandLine line;
    line.command = ECommand::Import;
    SImportArguments& imported = line.importArgs;
    imported.gif = collected->positionals[0];
    imported.out = collected->positionals[1];
    for (const auto& [name, value] : collected->values) {
        bool first = false;
        bool ok = true;
        if (name == "--threshold") {
            ok = RangedInteger(name, value, 0, 255, imported.options.threshold, error);
        } else if (name == "--invert") {
            imported.options.invert = true;
        } else if (name == "--fit") {
            ok = OneOf(name, value, "stretch", "contain", first, error);
            imported.options.fit = first ? EFit::Stretch : EFit::Contain;
        }
        if (!ok)
            return std::nullopt;
    }
    return line;
}

// The value of a wiring or panel option of send into `options`.
bool SendLayoutOption(const std::string& name, const std::string& value, SOutputOptions& options,
                      std::string& error) {
    if (IsWiringOption(name))
        return WiringOption(name, value, options.wiring, error);
    if (name == "--panel") {
        if (!ParsePanelSize(value, options.panelWidth, options.panelHeight)) {
            error = "--panel takes WIDTHxHEIGHT, each 1 to 1024, not '" + EscapedText(value) + "'";
            return false;
        }
    } else if (name == "--offset") {
        if (!ParseOffset(value, options.offsetX, options.offsetY)) {
            error = "--offset takes X,Y, each from -1024 to 1024, not '" + EscapedText(value) + "'";
            return false;
        }
    }
    return true;
}

std::optional<SCommandLine> ParseSend(const std::vector<std::string>& args, std::string& error) {
    const std::optional<SExchangeArguments> collected = CollectExchangeArguments(
        args, {"--forever", "--serpentine"},
        {"--from", "--to", "--delay", "--repeat", "--color", "--off", "--origin", "--scan",
         "--panel", "--offset"},
        "missing the animation file (FILE.qvl)",
        "missing the target (e131://HOST/UNIVERSE, artnet://HOST/UNIVERSE, ddp://HOST, "
        "tpm2net://HOST, ft://HOST or tpm2:DEVICE)",
        error);
    if (!collected || collected->help)
        return collected ? std::optional<SCommandLine>(SCommandLine{}) : std::nullopt;
    SCommandLine line;
    line.command = ECommand::Send;
    SSendArguments& send = line.sendArgs;
    send.file = collected->positionals[0];
    const std::string& targetText = collected->positionals[1];
    std::string why;
    const std::optional<SOutputTarget> target = ParseOutputTarget(targetText, why);
    if (!target) {
        error = "bad target '" + EscapedText(targetText) + "': " + EscapedText(why);
        return std::nullopt;
    }
    send.target = *target;
    bool repeated = false;
    for (const auto& [name, value] : collected->values) {
        bool ok = true;
        const bool layout = IsWiringOption(name) || name == "--panel";
        if (layout && target->kind == EOutputKind::FlaschenTaschen) {
            error = "option " + name +
                    " does not apply to ft:// targets (the server takes the screen as a "
                    "picture; --offset places it)";
            return std::nullopt;
        }
        if (name == "--from" || name == "--to") {
            ok = RangeOption(name, value, send.range, error);
        } else if (name == "--delay") {
            ok = RangedInteger(name, value, kMinSendDelayMs, kMaxSendDelayMs, send.delayMs, error);
        } else if (name == "--repeat") {
            ok = RangedInteger(name, value, 1, kMaxSendRepeat, send.repeat, error);
            repeated = true;
        } else if (name == "--forever") {
            send.forever = true;
        } else if (name == "--color" || name == "--off") {
            const std::optional<SLedColour> colour = ParseRgb(value);
            if (!colour) {
                error = name + " takes a colour as RRGGBB, not '" + EscapedText(value) + "'";
                return std::nullopt;
            }
            (name == "--color" ? send.options.lit : send.options.off) = *colour;
            // Colours turn a DMX sign into three channels a dot.
            send.options.dmxRgb = true;
        } else {
            ok = SendLayoutOption(name, value, send.options, error);
        }
        if (!ok)
            return std::nullopt;
    }
    if (repeated && send.forever) {
        error = "--repeat and --forever exclude each other";
        return std::nullopt;
    }
    if (!CheckOutputOptions(send.target, send.options, why)) {
        error = EscapedText(why);
        return std::nullopt;
    }
    return line;
}

std::optional<SCommandLine> ParseText(const std::vector<std::string>& args, std::string& error) {
    const std::optional<SExchangeArguments> collected = CollectExchangeArguments(
        args, {}, {"--size", "--font", "--row", "--step"}, "missing the message (MESSAGE)",
        "missing the animation file to write (OUT.qvl)", error);
    if (!collected || collected->help)
        return collected ? std::optional<SCommandLine>(SCommandLine{}) : std::nullopt;
    SCommandLine line;
    line.command = ECommand::Text;
    STextScrollOptions& options = line.textArgs.options;
    options.message = collected->positionals[0];
    line.textArgs.out = collected->positionals[1];
    if (options.message.empty()) {
        error = "the message is empty";
        return std::nullopt;
    }
    std::optional<std::string> row;
    for (const auto& [name, value] : collected->values) {
        bool ok = true;
        if (name == "--size") {
            const std::optional<long long> size = ParseInteger(value);
            if (!size || !IsTextSize(static_cast<int>(std::clamp<long long>(*size, 0, 64)))) {
                error = "--size takes 8, 16 or 32, not '" + EscapedText(value) + "'";
                return std::nullopt;
            }
            options.size = static_cast<int>(*size);
        } else if (name == "--font") {
            if (value.empty()) {
                error = "--font takes a font family, as fc-list : family prints it";
                return std::nullopt;
            }
            options.family = value;
        } else if (name == "--row") {
            row = value; // its range depends on --size
        } else if (name == "--step") {
            ok = RangedInteger(name, value, kMinTextStep, kMaxTextStep, options.step, error);
        }
        if (!ok)
            return std::nullopt;
    }
    if (row) {
        int value = 0;
        if (!RangedInteger("--row", *row, 0, LastTextRow(options.size), value, error))
            return std::nullopt;
        options.row = value;
    }
    return line;
}

} // namespace

std::optional<SCommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                             std::string& error) {
    if (args.empty()) {
        error = "missing command";
        return std::nullopt;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h")
        return SCommandLine{};
    if (command == "show")
        return ParseShow(args, ECommand::Show, error);
    if (command == "info")
        return ParseShow(args, ECommand::Info, error);
    if (command == "play")
        return ParsePlay(args, error);
    if (command == "macro")
        return ParseMacro(args, error);
    if (command == "export")
        return ParseExport(args, error);
    if (command == "import")
        return ParseImport(args, error);
    if (command == "send")
        return ParseSend(args, error);
    if (command == "text")
        return ParseText(args, error);
    error = "unknown command '" + EscapedText(command) + "'";
    return std::nullopt;
}

const char* UsageText() {
    return "Usage:\n"
           "  glowmotion-cli show FILE.qvl [--screen N]\n"
           "  glowmotion-cli info FILE.qvl\n"
           "  glowmotion-cli play MACRO.mcr [--select1 F.qvl] [--select2 F.qvl] [--select3 F.qvl]\n"
           "                      [--break N] [--text16 T]... [--text32 T]... [--bitmap F.bmp]...\n"
           "                      [--out1 F.qvl] [--out2 F.qvl] [--out3 F.qvl] [--state]\n"
           "  glowmotion-cli macro list FILE.mcr\n"
           "  glowmotion-cli macro optimize IN.mcr OUT.mcr\n"
           "  glowmotion-cli macro export IN.mcr OUT.txt\n"
           "  glowmotion-cli export FILE.qvl OUT.gif [--from N] [--to M] [--scale S]\n"
           "                        [--style led|pixel] [--delay MS]\n"
           "  glowmotion-cli export FILE.qvl OUT.png [--from N] [--to M] [--scale S]\n"
           "                        [--style led|pixel] [--columns K]\n"
           "  glowmotion-cli export FILE.qvl OUT.h|OUT.c|OUT.bin [--from N] [--to M]\n"
           "                        [--layout rows|rows-lsb|pages|columns|strip]\n"
           "                        [--origin tl|tr|bl|br] [--scan rows|columns] [--serpentine]\n"
           "                        [--progmem] [--name IDENT]\n"
           "  glowmotion-cli export FILE.qvl OUT.xbm [--from N] [--name IDENT]\n"
           "  glowmotion-cli import IN.gif OUT.qvl [--threshold 0..255] [--invert]\n"
           "                        [--fit stretch|contain]\n"
           "  glowmotion-cli send FILE.qvl TARGET [--from N] [--to M] [--delay MS]\n"
           "                      [--repeat K | --forever] [--color RRGGBB] [--off RRGGBB]\n"
           "                      [--origin tl|tr|bl|br] [--scan rows|columns] [--serpentine]\n"
           "                      [--panel WxH] [--offset X,Y]\n"
           "  glowmotion-cli text MESSAGE OUT.qvl [--size 8|16|32] [--font FAMILY] [--row R]\n"
           "                      [--step S]\n"
           "  glowmotion-cli --help\n"
           "\n"
           "Commands:\n"
           "  show  Print screen N (default 1) of an animation: 32 lines of 48 characters,\n"
           "        '#' for a lit dot and '.' for an unlit one, top row first.\n"
           "  info  Print the number of screens of an animation.\n"
           "  play  Replay a macro file as \"MacroStart\" does, starting from a freshly\n"
           "        started editor.\n"
           "  macro list      Print the lines of a macro's list as the editor shows them,\n"
           "                  one a line (UTF-8).\n"
           "  macro optimize  Write the macro with every run of go-to-screen steps cut\n"
           "                  down to its last step, as \"optimization\" does.\n"
           "  macro export    Write the macro's list as \"MacroExport\" does: one line\n"
           "                  per step in code page 932, CR LF line ends.\n"
           "                  A macro file over 8192 bytes is refused, as in the editor.\n"
           "  export  Write screens N to M (default: all) of an animation as an animated GIF,\n"
           "          a PNG (one screen, or a sheet of them), a C header or source, or raw\n"
           "          bytes, or screen N as an X11 bitmap; the extension of the output file\n"
           "          chooses which.\n"
           "  import  Turn every frame of a GIF into a screen, as the GIF shows it, and\n"
           "          write them as an animation file.\n"
           "  send    Play screens N to M (default: all) on an LED sign over the network\n"
           "          or a serial line.\n"
           "  text    Write MESSAGE (UTF-8) as one line of dots scrolling from right to\n"
           "          left, one screen per step, until the sign is blank again.\n"
           "\n"
           "Options of play:\n"
           "  --selectK F.qvl  open F.qvl into bank K (select1..select3) first\n"
           "  --break N        stop after N steps (0 or less: play the whole macro)\n"
           "  --text16 T       answer the next 16x16 character entry with T (repeatable)\n"
           "  --text32 T       answer the next 32x32 character entry with T (repeatable)\n"
           "  --bitmap F.bmp   answer the next bitmap import with F.bmp (repeatable)\n"
           "                   dialogs without an answer left are cancelled;\n"
           "                   message boxes are answered OK (Yes to a question)\n"
           "  --outK F.qvl     afterwards write bank K's screens to F.qvl\n"
           "  --state          print the editor's state as one line of JSON\n"
           "\n"
           "Options of export:\n"
           "  --from N, --to M    the first and last screen to write (default 1 and the last)\n"
           "  --scale S           pixels a dot, 1 to 32 (default 8)\n"
           "  --style led|pixel   round lamps as on the sign (default), or square white\n"
           "                      pixels on black\n"
           "  --delay MS          time a GIF frame is shown, 20 to 655350 ms (default 100)\n"
           "  --columns K         screens a row of a PNG sheet (default 10), one dot apart\n"
           "  --layout L          how a screen's 192 bytes hold its dots:\n"
           "                      rows (default): 6 bytes a row from the top, the leftmost\n"
           "                        dot in bit 7 (Adafruit GFX drawBitmap, HUB75)\n"
           "                      rows-lsb: the same, the leftmost dot in bit 0 (XBM, u8g2)\n"
           "                      pages: 4 pages of 8 rows, a byte a column, the top dot in\n"
           "                        bit 0 (SSD1306, MAX7219)\n"
           "                      columns: the file's own 48 column words, bit 31 the top dot\n"
           "                      strip: every dot in the order an LED matrix is wired, 8 a\n"
           "                        byte, the first in bit 7\n"
           "  --origin tl|tr|bl|br  strip: the corner the first LED sits in (default tl)\n"
           "  --scan rows|columns   strip: the LEDs run along rows (default) or columns\n"
           "  --serpentine        strip: every second row (column) runs back\n"
           "  --progmem           .h and .c: declare the array PROGMEM (AVR flash); it still\n"
           "                      builds elsewhere\n"
           "  --name IDENT        the C array's name (default: the output file's name)\n"
           "                      a .h holds static const arrays and may be included from\n"
           "                      many files; a .c holds the one definition; an .xbm holds\n"
           "                      one screen (--from, default 1; --to only equal to it)\n"
           "\n"
           "Options of import:\n"
           "  --threshold T       a dot is lit where its part of the picture has at least\n"
           "                      this luminance, 0 to 255 (default 128)\n"
           "  --invert            light the darker dots instead\n"
           "  --fit stretch|contain\n"
           "                      fill the screen (default), or keep the picture's shape\n"
           "                      with unlit dots around it\n"
           "\n"
           "Options of send:\n"
           "  TARGET              e131://HOST[:PORT]/UNIVERSE  E1.31 (sACN), unicast, port 5568\n"
           "                      artnet://HOST[:PORT]/UNIVERSE  Art-Net ArtDmx, port 6454,\n"
           "                                          UNIVERSE the 15-bit port address\n"
           "                      ddp://HOST[:PORT]      DDP, port 4048 (WLED and others)\n"
           "                      tpm2net://HOST[:PORT]  tpm2.net, port 65506\n"
           "                      ft://HOST[:PORT]       FlaschenTaschen, port 1337\n"
           "                      tpm2:DEVICE[?baud=N]   TPM2 over a serial line (115200 baud)\n"
           "                      E1.31 and Art-Net send one channel a dot (255 lit, 0 unlit),\n"
           "                      512 a universe, or with --color or --off three channels a\n"
           "                      dot, 170 a universe, over consecutive universes from UNIVERSE\n"
           "  --from N, --to M    the first and last screen to play (default 1 and the last)\n"
           "  --delay MS          time a screen is shown, 10 to 10000 ms (default 100)\n"
           "  --repeat K          play the screens K times (default once)\n"
           "  --forever           play them until interrupted (Ctrl+C); the sign ends dark\n"
           "  --color RRGGBB      colour of a lit dot (default FFFFFF)\n"
           "  --off RRGGBB        colour of an unlit dot (default 000000)\n"
           "  --origin tl|tr|bl|br  the corner the first LED sits in (default tl)\n"
           "  --scan rows|columns   the LEDs run along rows (default) or columns\n"
           "  --serpentine        every second row (column) runs back\n"
           "  --panel WxH         send frames of W x H dots (a 64x32 panel, say); dots off the\n"
           "                      screen stay off\n"
           "  --offset X,Y        where the screen's top-left dot sits on the panel (default\n"
           "                      0,0); for ft:// the offset the server places the screen at\n"
           "\n"
           "Options of text:\n"
           "  --size 8|16|32      the line's height in dots (default 16)\n"
           "  --font FAMILY       a font family as fc-list : family prints it (default:\n"
           "                      MisakiGothic at 8, Unifont-JP at 16, the 32x32 character\n"
           "                      font at 32); pixel fonts are drawn dot for dot\n"
           "  --row R             the line's top row, 0 to 32 - size (default: centred)\n"
           "  --step S            dots the text moves a screen, 1 to 48 (default 1)\n"
           "                      a text of more than 800 screens, or a family no\n"
           "                      installed font has, is refused (exit status 1)\n"
           "\n"
           "Exit status: 0 done, 1 a file was refused or could not be read or\n"
           "written, or a sign could not be reached, 2 bad arguments or a screen the\n"
           "file does not have.\n";
}
