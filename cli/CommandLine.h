#pragma once

#include "store/ScreenGeometry.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The commands of glowmotion-cli.
enum class ECommand { Help, Show, Info, Play, Macro };

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

// A parsed command line.
struct SCommandLine {
    ECommand command = ECommand::Help;
    SShowOptions show;
    SPlayOptions play;
    SMacroOptions macro;
};

// Parses the arguments after the program name. On a usage error (unknown
// command or option, a missing or repeated argument, a value that is no
// integer) returns nullopt and sets `error` to a one-line explanation; the
// arguments it quotes are escaped (EscapedText).
std::optional<SCommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                             std::string& error);

// The usage text, ending with a newline.
const char* UsageText();
