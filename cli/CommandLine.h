#pragma once

#include "edit/DotConversion.h"
#include "edit/ScreenExport.h"
#include "cli/ScreenRange.h"
#include "edit/ScrollingText.h"
#include "output/OutputOptions.h"
#include "output/OutputTarget.h"
#include "store/ScreenGeometry.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The commands of glowmotion-cli.
enum class ECommand { Help, Show, Info, Play, Macro, Export, Import, Send, Text };

// `show FILE.qvl [--screen N]` and `info FILE.qvl`.
struct SShowOptions {
    std::string file;
    // The screen to print, 1-based; the text as given, for messages.
    long long screen = 1;
    std::string screenText = "1";
};

// `play MACRO.mcr [options]`: what to open, what the dialogs answer, what to
// write and whether to print the state.
struct SPlayOptions {
    std::string macroFile;
    std::array<std::optional<std::string>, kBankCount> selectFiles;
    std::optional<int> breakStep;
    std::vector<std::string> texts16;
    std::vector<std::string> texts32;
    std::vector<std::string> bitmapFiles;
    std::array<std::optional<std::string>, kBankCount> outFiles;
    bool printState = false;
};

// What `macro` does with a macro file.
enum class EMacroAction { List, Optimize, Export };

// `macro list FILE.mcr`, `macro optimize IN.mcr OUT.mcr` and
// `macro export IN.mcr OUT.txt`: the file to read and, but for list, the file
// to write.
struct SMacroOptions {
    EMacroAction action = EMacroAction::List;
    std::string input;
    std::string output;
};

// `export FILE.qvl OUT [options]`: the screens to write and how; the
// extension of OUT chose the format. The range is checked against the file
// when it is read.
struct SExportArguments {
    std::string file;
    std::string out;
    SExportOptions options;
    SScreenRangeRequest range;
};

// `import IN.gif OUT.qvl [options]`.
struct SImportArguments {
    std::string gif;
    std::string out;
    SDotOptions options;
};

// `send FILE.qvl TARGET [options]`: the screens to play on a sign, how
// often and how fast, and how the sign takes them. The range is checked
// against the file when it is read.
struct SSendArguments {
    std::string file;
    SOutputTarget target;
    SOutputOptions options;
    SScreenRangeRequest range;
    int delayMs = 100;
    int repeat = 1;
    bool forever = false;
};

inline constexpr int kMinSendDelayMs = 10;
inline constexpr int kMaxSendDelayMs = 10000;
inline constexpr int kMaxSendRepeat = 1000000;

// `text MESSAGE OUT.qvl [options]`: the scrolling text and the file to
// write it to.
struct STextArguments {
    STextScrollOptions options;
    std::string out;
};

// A parsed command line.
struct SCommandLine {
    ECommand command = ECommand::Help;
    SShowOptions show;
    SPlayOptions play;
    SMacroOptions macro;
    SExportArguments exportArgs;
    SImportArguments importArgs;
    SSendArguments sendArgs;
    STextArguments textArgs;
};

// Parses the arguments after the program name. On a usage error (unknown
// command or option, a missing or repeated argument, a value that is no
// integer, a value out of its range, an option the format does not take,
// an output whose extension names no format, a strip's wiring with another
// layout, a range for an X11 bitmap) returns nullopt and sets
// `error` to a one-line explanation; the arguments it quotes are escaped
// (EscapedText).
std::optional<SCommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                             std::string& error);

// The usage text, ending with a newline.
const char* UsageText();
