// An ordinary build of a fuzz target: feeds every file named on the command
// line, or every file of every folder named, to the target once. CTest runs
// it on the seed corpus and the kept reproducers, so that what a fuzz run once
// found stays fixed. A file whose name ends in ".hex" holds its input as
// hexadecimal digits (blanks and lines starting with '#' ignored), so that
// a reproducer is kept as readable text.

#include "store/HexDigit.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size);

namespace {

// The bytes the hexadecimal digits of `text` spell; false on a stray
// character or an odd number of digits.
bool DecodeHex(const std::string& text, std::string& bytes) {
    std::string digits;
    bool comment = false;
    for (char c : text) {
        if (c == '\n') {
            comment = false;
        } else if (comment || c == ' ' || c == '\t' || c == '\r') {
        } else if (c == '#') {
            comment = true;
        } else if (HexDigit(c) < 0) {
            return false;
        } else {
            digits += c;
        }
    }
    if (digits.size() % 2 != 0)
        return false;
    bytes.clear();
    for (size_t i = 0; i < digits.size(); i += 2)
        bytes += static_cast<char>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1]));
    return true;
}

int Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << file << '\n';
        return 1;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (file.extension() == ".hex" && !DecodeHex(std::string(bytes), bytes)) {
        std::cerr << "not hexadecimal: " << file << '\n';
        return 1;
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    int failures = 0;
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else {
            files.push_back(path);
        }
        for (const auto& file : files) {
            failures += Replay(file);
            ++replayed;
        }
    }
    std::cout << "replayed " << replayed << " inputs\n";
    if (replayed == 0) {
        std::cerr << "no inputs given\n";
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
