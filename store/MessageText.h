#pragma once

#include <initializer_list>
#include <string>

// The caption of the program's own error messages.
inline constexpr const char* kErrorCaption = "エラー発生！";

// The caption of the framework's messages (data exchange, files, the save
// prompt): the application name.
inline constexpr const char* kAppCaption = "Glowmotion";

// The message of a command whose screens would go past the 800 of a bank.
inline constexpr const char* kCapacityText = "スクリーン枚数がオーバーしました。";

// A message with its placeholders filled in: "%1" .. "%9" of `pattern` become
// the matching entries of `arguments`, as the framework's messages take their
// file names and numbers. A placeholder without an argument stays as it is.
std::string FormatMessage(const std::string& pattern, std::initializer_list<std::string> arguments);
