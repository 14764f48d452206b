// The .qvl file: encoding and decoding a full bank of 800 screens, and
// opening it as File > Open does.

#include "BenchSession.h"

#include "app/DocumentCommands.h"
#include "app/QvlFormat.h"
#include "store/FileIo.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

// A full bank with every dot pattern different, so nothing is all zeros.
std::vector<Word> FullBank() {
    std::vector<Word> words(kWordsPerBank);
    Word value = 0x12345678u;
    for (Word& word : words) {
        value = value * 1664525u + 1013904223u;
        word = value;
    }
    return words;
}

// A temporary .qvl file of 800 screens, removed with the object.
class CFullFile {
public:
    CFullFile() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "glowmotion-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_dir = pattern;
        const std::vector<Word> words = FullBank();
        if (WriteFileSafely(Path(), EncodeQvl(words.data(), words.size())) != EFileError::None)
            std::abort();
    }
    ~CFullFile() {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    std::string Path() const { return (m_dir / "full.qvl").string(); }

private:
    std::filesystem::path m_dir;
};

void BM_EncodeQvl(benchmark::State& state) {
    const std::vector<Word> words = FullBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeQvl(words.data(), words.size()));
    state.SetBytesProcessed(state.iterations() * kMaxAnimationBytes);
}
BENCHMARK(BM_EncodeQvl);

void BM_DecodeQvl(benchmark::State& state) {
    const std::vector<Word> source = FullBank();
    const std::string bytes = EncodeQvl(source.data(), source.size());
    std::vector<Word> words(kWordsPerBank);
    for (auto _ : state) {
        DecodeQvl(bytes, words.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kMaxAnimationBytes);
}
BENCHMARK(BM_DecodeQvl);

// The document alone: read, length check, decode.
void BM_OpenDocument(benchmark::State& state) {
    const CFullFile file;
    CHeadlessPlatform platform;
    CQuorvelDoc doc;
    for (auto _ : state) {
        if (!doc.OnOpenDocument(file.Path(), platform))
            state.SkipWithError("the file was refused");
    }
    state.SetBytesProcessed(state.iterations() * kMaxAnimationBytes);
}
BENCHMARK(BM_OpenDocument);

// File > Open as a whole: the document, then the copy into the current bank.
void BM_OpenAnimation(benchmark::State& state) {
    const CFullFile file;
    CHeadlessSession session;
    for (auto _ : state) {
        if (!OpenAnimation(session.View(), session.Doc(), file.Path()))
            state.SkipWithError("the file was refused");
    }
    state.SetBytesProcessed(state.iterations() * kMaxAnimationBytes);
}
BENCHMARK(BM_OpenAnimation);

} // namespace
