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
           "Exit status: 0 done, 1 a file was refused or could not be read or\n"
           "written, 2 bad arguments or a screen the file does not have.\n";
}
