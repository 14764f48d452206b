// The macro engine: arbitrary bytes become three banks, a macro code string of
// at most 8192 bytes and the answers of every dialog, and the macro is
// replayed through StartMacro, the operation glowmotion-cli play clicks. The
// store's invariants are checked after the replay.
//
// Input: a flag byte (bit 0 SHIFT held, bit 1 recording, bit 2 break flag,
// bits 3-4 the bank on display), three 16-bit screen counts (taken modulo
// 801), the 16-bit length of the macro (modulo 8193) and the macro, a byte
// giving the length of the pattern the banks are filled with and the pattern,
// then the dialog answers.

#include "app/CommandTable.h"
#include "edit/BitmapCodec.h"
#include "fuzz/FuzzSupport.h"
#include "macro/MacroFile.h"
#include "macro/MacroRecorder.h"
#include "store/Platform.h"
#include "view/Navigation.h"

#include <algorithm>
#include <string>

namespace {

std::optional<std::string> TextAnswer(CFuzzBytes& input) {
    const std::uint8_t length = input.Byte();
    if (length == 0xFF)
        return std::nullopt; // cancelled
    return std::string(input.Take(length % 8));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static CFuzzFile bitmap("macro.bmp");
    static CFuzzFile saved("macro-save");
    CFuzzBytes input(data, size);
    const std::uint8_t flags = input.Byte();
    std::array<int, kBankCount> counts{};
    for (int& count : counts)
        count = static_cast<int>(input.Word16() % (kMaxScreens + 1));
    const size_t macroLength = input.Word16() % (kMaxMacroFileBytes + 1);
    const std::string macro(input.Take(macroLength));
    const std::string pattern(input.Take(input.Byte()));

    CHeadlessSession session;
    CViewCore& view = session.View();
    CScreenStore& s = view.Store();
    for (int bank = 0; bank < kBankCount; ++bank) {
        s.m_screenCount[bank] = counts[bank];
        s.m_displayedCount[bank] = counts[bank];
        std::vector<Word>& words = s.m_banks[bank];
        if (!pattern.empty()) {
            // The pattern repeats over the screens in use; a bank with more
            // screens than bytes given still gets dots everywhere.
            const size_t used = static_cast<size_t>(counts[bank]) * kWordsPerScreen;
            for (size_t i = 0; i < used; ++i) {
                const size_t at = (i * 4 + bank) % pattern.size();
                words[i] = static_cast<Word>(static_cast<std::uint8_t>(pattern[at])) * 0x01010101u;
            }
        }
    }
    SelectBank(view, (flags >> 3) % kBankCount);
    s.m_breakFlag = (flags & 4) != 0 ? 1 : 0;
    s.m_recording = (flags & 2) != 0 ? 1 : 0;
    view.UpdateData(false);
    session.Platform().shiftDown = (flags & 1) != 0;

    // The dialogs' answers, each queue from its own part of the rest.
    CHeadlessPlatform& platform = session.Platform();
    for (std::uint8_t answer : input.Take(8)) {
        static constexpr int kAnswers[] = {IDOK, IDCANCEL, IDYES, IDNO};
        platform.messageAnswers.push_back(kAnswers[answer % 4]);
    }
    for (int i = 0; i < 2; ++i) {
        platform.text16Answers.push_back(TextAnswer(input));
        platform.text32Answers.push_back(TextAnswer(input));
    }
    const std::uint8_t fileFlags = input.Byte();
    if ((fileFlags & 1) != 0)
        platform.openFileAnswers.emplace_back(std::nullopt);
    platform.openFileAnswers.emplace_back(bitmap.Write(input.Take(kBitmapFileBytes)));
    if ((fileFlags & 2) != 0)
        platform.saveFileAnswers.emplace_back(std::nullopt);
    platform.saveFileAnswers.emplace_back(saved.Path());

    s.m_macroCode = macro;
    RebuildMacroList(view);
    StartMacro(view);
    CheckStoreInvariants(session);
    return 0;
}
