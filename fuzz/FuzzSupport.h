#pragma once

#include "headless/HeadlessSession.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Helpers shared by the fuzz targets: they take their input apart, hand it to
// the readers as files, and check the store after each run.

// Takes values off the front of a fuzz input. Past the end every value is 0
// and every string empty, so that a short input still makes a whole run.
class CFuzzBytes {
public:
    CFuzzBytes(const std::uint8_t* data, size_t size)
        : m_rest(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte();
    // A little-endian 16-bit value.
    unsigned Word16();
    // Up to `count` bytes (fewer at the end).
    std::string_view Take(size_t count);
    // Everything left.
    std::string_view Rest();
    bool Empty() const { return m_rest.empty(); }

private:
    std::string_view m_rest;
};

// A file of this process in the temporary folder (/dev/shm when there is one,
// so that the runs do not wear a disk), removed again by the destructor.
class CFuzzFile {
public:
    explicit CFuzzFile(const std::string& name);
    ~CFuzzFile();
    CFuzzFile(const CFuzzFile&) = delete;
    CFuzzFile& operator=(const CFuzzFile&) = delete;

    // Replaces the file's contents with `bytes`; aborts when it cannot.
    const std::string& Write(std::string_view bytes);
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Aborts with a description when the store breaks one of its invariants: screen
// counts 0..800, the current screen 1..800 and inside its bank unless a
// go-to-screen put it past the count, every bank of 800 screens, the preview
// offset within the bank, the insert position within the held macro, no
// playback running, and the macro list as RebuildMacroList makes it.
void CheckStoreInvariants(const CHeadlessSession& session);
