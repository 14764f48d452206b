#pragma once

#include "store/ScreenGeometry.h"

#include <string>
#include <string_view>

// The .qvl animation file: the screens of one bank and nothing else, 192
// bytes a screen, each column word four bytes little-endian.

// Whether `length` bytes can be a .qvl file: a multiple of 192, at most 153600.
bool IsValidQvlLength(size_t length);

// The file bytes of `wordCount` column words.
std::string EncodeQvl(const Word* words, size_t wordCount);

// Decodes the bytes of a valid .qvl file into `words`, which must have room
// for bytes.size() / 4 words.
void DecodeQvl(std::string_view bytes, Word* words);
