// The find of the main window over 2,000 buttons (100 tabs of 20): preparing
// the index once, and one keystroke's find of a 3-letter text in it. The
// counter "matches" is the number of buttons the text matches.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "rules/ButtonFind.h"

namespace {

using namespace tavrin;

constexpr int kButtons = 2000;

// Descriptions of two or three words as users name their programs, in
// English, French, German and Russian, with the file names beside them.
std::vector<FindCandidate> Candidates() {
    static constexpr std::array<const char*, 24> kWords = {
        "Visual",   "Studio",  "Code",    "Editor",  "Notepad",   "Total",       "Commander", "Calculator",
        "Monitor",  "Paint",   "Firefox", "Mail",    "Terminal",  "Explorer",    "Player",    "Torrent",
        "Archiver", "Manager", "Viewer",  "Блокнот", "Проводник", "Калькулятор", "Éditeur",   "Übersicht"};
    std::vector<FindCandidate> candidates;
    for (int i = 0; i < kButtons; ++i) {
        const std::size_t a = i % kWords.size(), b = (i / 3 + 7) % kWords.size(), c = (i / 11 + 3) % kWords.size();
        std::string description = std::string(kWords[a]) + " " + kWords[b];
        if (i % 2 == 0) description += std::string(" ") + kWords[c];
        const int id = (i / 20 + 1) * 100 + i % 20 + 1;
        candidates.push_back({id, description, "tool" + std::to_string(i) + ".exe", i % 5, i % 97, i % 1013});
    }
    return candidates;
}

void BM_FindPrepare(benchmark::State& state) {
    const std::vector<FindCandidate> candidates = Candidates();
    for (auto _ : state) {
        ButtonFindIndex index(candidates);
        benchmark::DoNotOptimize(index);
    }
}
BENCHMARK(BM_FindPrepare)->Unit(benchmark::kMicrosecond);

void BM_FindKeystroke(benchmark::State& state) {
    const ButtonFindIndex index(Candidates());
    std::size_t matches = 0;
    for (auto _ : state) {
        const FindResult result = index.Find("TOR", 20);
        matches = result.matchCount;
        benchmark::DoNotOptimize(result.ids.data());
    }
    state.counters["matches"] = static_cast<double>(matches);
}
BENCHMARK(BM_FindKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace
