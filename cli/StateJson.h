#pragma once

#include "headless/HeadlessPlatform.h"
#include "store/DocumentLink.h"

#include <string>
#include <string_view>
#include <vector>

class CScreenStore;

// Appends `text` to `json` as a JSON string: quoted, with the quote, the
// backslash and the control characters escaped and everything else left as
// it is. Bytes that are not well-formed UTF-8 (the macro may hold anything a
// file held) become U+FFFD, one for each maximal ill-formed part, so the
// result is always valid JSON.
void AppendJsonString(std::string& json, std::string_view text);

// The editor's state after a replay as one line of JSON, keys in this order:
// currentBank, currentScreen, previewOffset, banks (screenCount,
// displayedScreenCount, currentScreen and modified of each: whether the bank
// changed since it was opened), rangeClipCount, macro (the macro code string
// read as code page 932), macroLines, stepCount, modified (that of the
// current bank, the document's flag), messages (caption and text of every
// message box shown, in order). No newline at the end.
std::string StateJson(const CScreenStore& store, const BankMarks& marks,
                      const std::vector<CHeadlessPlatform::SMessage>& messages);
