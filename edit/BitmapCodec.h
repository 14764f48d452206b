#pragma once

#include "store/ScreenGeometry.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// One screen as a Windows bitmap file: 48 x 32 pixels at 1 bit per pixel,
// bottom row first, a lit dot black (pixel value 0) and a dark dot white.

// The length of such a file.
inline constexpr std::size_t kBitmapFileBytes = 318;

// The complete file of `screen`: header, black-and-white palette and rows.
std::string EncodeBitmap(std::span<const Word, kWordsPerScreen> screen);

// The screen in the first 318 bytes of `bytes`. A pixel value of 0 is a lit
// dot whatever the palette says. Only the size fields are checked, as they
// always have been: nullopt when fewer than 318 bytes are given, or when the
// low byte of the file size is not that of 318 or the width is not 48.
std::optional<std::array<Word, kWordsPerScreen>> DecodeBitmap(std::string_view bytes);
