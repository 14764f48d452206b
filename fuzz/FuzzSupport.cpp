#include "fuzz/FuzzSupport.h"

#include "macro/MacroRecorder.h"
#include "store/ScreenGeometry.h"
#include "store/ScreenStore.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

std::uint8_t CFuzzBytes::Byte() {
    if (m_rest.empty())
        return 0;
    const auto value = static_cast<std::uint8_t>(m_rest.front());
    m_rest.remove_prefix(1);
    return value;
}

unsigned CFuzzBytes::Word16() {
    const unsigned low = Byte();
    return low | static_cast<unsigned>(Byte()) << 8;
}

std::string_view CFuzzBytes::Take(size_t count) {
    const std::string_view taken = m_rest.substr(0, count);
    m_rest.remove_prefix(taken.size());
    return taken;
}

std::string_view CFuzzBytes::Rest() {
    return Take(m_rest.size());
}

namespace {

std::string TemporaryFolder() {
    if (access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

[[noreturn]] void Fail(const std::string& what) {
    std::cerr << "store invariant broken: " << what << '\n';
    std::abort();
}

} // namespace

CFuzzFile::CFuzzFile(const std::string& name)
    : m_path(TemporaryFolder() + "/glowmotion-fuzz-" + std::to_string(getpid()) + "-" + name) {}

CFuzzFile::~CFuzzFile() {
    std::remove(m_path.c_str());
}

const std::string& CFuzzFile::Write(std::string_view bytes) {
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "cannot write " << m_path << '\n';
        std::abort();
    }
    return m_path;
}

void CheckStoreInvariants(const CHeadlessSession& session) {
    const CScreenStore& s = session.View().Store();
    for (int bank = 0; bank < kBankCount; ++bank) {
        if (s.m_screenCount[bank] < 0 || s.m_screenCount[bank] > kMaxScreens)
            Fail("screen count of bank " + std::to_string(bank + 1) + " is " +
                 std::to_string(s.m_screenCount[bank]));
        if (s.m_banks[bank].size() != static_cast<size_t>(kWordsPerBank))
            Fail("bank " + std::to_string(bank + 1) + " holds " +
                 std::to_string(s.m_banks[bank].size()) + " words");
        if (s.m_bankCurrent[bank] < 1 || s.m_bankCurrent[bank] > kMaxScreens)
            Fail("bank current screen " + std::to_string(s.m_bankCurrent[bank]));
    }
    if (s.m_currentBank < 0 || s.m_currentBank >= kBankCount)
        Fail("current bank " + std::to_string(s.m_currentBank));
    // A go-to-screen step may leave the current screen past the count; it
    // still names one of the 800 screens.
    if (s.m_currentScreen < 1 || s.m_currentScreen > kMaxScreens)
        Fail("current screen " + std::to_string(s.m_currentScreen));
    if (s.m_previewOffset < 0 || s.m_currentScreen + s.m_previewOffset > kMaxScreens)
        Fail("preview offset " + std::to_string(s.m_previewOffset));
    if (s.m_playback != 0)
        Fail("playback flag still " + std::to_string(s.m_playback));
    if (s.m_rangeClipCount < 0 || s.m_rangeClipCount > kMaxScreens ||
        s.m_rangeClip.size() < static_cast<size_t>(s.m_rangeClipCount) * kWordsPerScreen)
        Fail("range clip of " + std::to_string(s.m_rangeClipCount) + " screens in " +
             std::to_string(s.m_rangeClip.size()) + " words");
    const std::string& listed = s.m_insertPos >= 0 ? s.m_heldCode : s.m_macroCode;
    const std::vector<std::string> lines = MacroListLines(listed);
    if (s.m_insertPos < -1 || s.m_insertPos > static_cast<int>(lines.size()))
        Fail("insert position " + std::to_string(s.m_insertPos) + " of " +
             std::to_string(lines.size()) + " lines");
    if (s.m_macroLines != lines)
        Fail("macro list of " + std::to_string(s.m_macroLines.size()) +
             " lines does not match the code's " + std::to_string(lines.size()));
    if (s.m_macroSelection < -1 || s.m_macroSelection >= static_cast<int>(s.m_macroLines.size()))
        Fail("macro selection " + std::to_string(s.m_macroSelection));
}
