#include "cli/StateJson.h"

#include "store/Cp932.h"
#include "store/ScreenStore.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr const char* kReplacementCharacter = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0
// when there is none; `ill` is then the number of bytes that make up the
// maximal ill-formed part to replace (at least 1).
size_t WellFormedLength(std::string_view text, size_t& ill) {
    const auto byte = [&text](size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    ill = 1;
    if (lead < 0x80)
        return 1;
    size_t length;
    // The range the second byte must fall in; it excludes overlong forms,
    // surrogates and values beyond U+10FFFF.
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if (i >= text.size())
            return 0;
        const std::uint8_t next = byte(i);
        const bool inRange = i == 1 ? next >= low && next <= high : next >= 0x80 && next <= 0xBF;
        if (!inRange)
            return 0;
        ill = i + 1;
    }
    return length;
}

void AppendEscaped(std::string& json, char c) {
    static constexpr char kHex[] = "0123456789abcdef";
    switch (c) {
    case '"':
        json += "\\\"";
        break;
    case '\\':
        json += "\\\\";
        break;
    case '\b':
        json += "\\b";
        break;
    case '\f':
        json += "\\f";
        break;
    case '\n':
        json += "\\n";
        break;
    case '\r':
        json += "\\r";
        break;
    case '\t':
        json += "\\t";
        break;
    default:
        if (static_cast<std::uint8_t>(c) < 0x20) {
            json += "\\u00";
            json += kHex[(c >> 4) & 0xF];
            json += kHex[c & 0xF];
        } else {
            json += c;
        }
        break;
    }
}

void AppendKey(std::string& json, const char* key) {
    json += '"';
    json += key;
    json += "\":";
}

void AppendInt(std::string& json, const char* key, int value) {
    AppendKey(json, key);
    json += std::to_string(value);
}

} // namespace

void AppendJsonString(std::string& json, std::string_view text) {
    json += '"';
    while (!text.empty()) {
        size_t ill = 1;
        const size_t length = WellFormedLength(text, ill);
        if (length == 0) {
            json += kReplacementCharacter;
            text.remove_prefix(ill);
        } else if (length == 1) {
            AppendEscaped(json, text.front());
            text.remove_prefix(1);
        } else {
            json.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    json += '"';
}

std::string StateJson(const CScreenStore& s, const BankMarks& marks,
                      const std::vector<CHeadlessPlatform::SMessage>& messages) {
    std::string json = "{";
    AppendInt(json, "currentBank", s.m_currentBank);
    json += ',';
    AppendInt(json, "currentScreen", s.m_currentScreen);
    json += ',';
    AppendInt(json, "previewOffset", s.m_previewOffset);
    json += ',';
    AppendKey(json, "banks");
    json += '[';
    for (int bank = 0; bank < kBankCount; ++bank) {
        if (bank > 0)
            json += ',';
        json += '{';
        AppendInt(json, "screenCount", s.m_screenCount[bank]);
        json += ',';
        AppendInt(json, "displayedScreenCount", s.m_displayedCount[bank]);
        json += ',';
        AppendInt(json, "currentScreen", s.m_bankCurrent[bank]);
        json += ',';
        AppendKey(json, "modified");
        json += marks[static_cast<size_t>(bank)] ? "true" : "false";
        json += '}';
    }
    json += "],";
    AppendInt(json, "rangeClipCount", s.m_rangeClipCount);
    json += ',';
    AppendKey(json, "macro");
    // The macro is bytes in code page 932, as a macro file holds them.
    AppendJsonString(json, Cp932ToUtf8(s.m_macroCode));
    json += ',';
    AppendKey(json, "macroLines");
    json += '[';
    for (size_t i = 0; i < s.m_macroLines.size(); ++i) {
        if (i > 0)
            json += ',';
        AppendJsonString(json, s.m_macroLines[i]);
    }
    json += "],";
    AppendInt(json, "stepCount", s.m_stepCount);
    json += ',';
    AppendKey(json, "modified");
    json += marks[static_cast<size_t>(std::clamp(s.m_currentBank, 0, kBankCount - 1))] ? "true"
                                                                                       : "false";
    json += ',';
    AppendKey(json, "messages");
    json += '[';
    for (size_t i = 0; i < messages.size(); ++i) {
        if (i > 0)
            json += ',';
        json += '{';
        AppendKey(json, "caption");
        AppendJsonString(json, messages[i].caption);
        json += ',';
        AppendKey(json, "text");
        AppendJsonString(json, messages[i].text);
        json += '}';
    }
    json += "]}";
    return json;
}
