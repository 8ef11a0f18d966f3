// Time one spoken text takes to pass through the language file, for the
// shipped file, a full translation and files built to be as slow as
// possible: huge bracket lists, near misses between many "*" on a text grown
// to the longest a replacement may make, 30 MB of long patterns, and
// replacements too long to be used. The file is read once, as at start-up;
// each iteration is one text. "steps" is what one text costs of its budget.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "table.h"

namespace velloxa {
namespace {

constexpr int kEntries = 6000;        // as many as the table keeps
constexpr size_t kEntryBytes = 5000;  // 6000 of them make 30 MB
const std::string kWelcome = "Welcome to Nebbin's Velloxa, version 0.5f.  Main menu.";

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Distinct characters two apart (so no two make a range) that no text of
// the game holds, two bytes each in UTF-8.
std::string huge_list() {
    std::string list = "[";
    for (char32_t c = 0x100; list.size() < kEntryBytes; c += 2) {
        list += static_cast<char>(0xC0 | (c >> 6));
        list += static_cast<char>(0x80 | (c & 0x3F));
    }
    return list + "]";
}

std::string huge_lists() {
    std::string file = "Lists\n";
    for (int i = 0; i < kEntries; ++i) file += "*" + huge_list() + "*\nx\n";
    return file;
}

// The longest entry turns every text into 4000 "a"; each of the others then
// nearly matches at every place: 1999 "a" and a "b" between two "*".
std::string near_misses() {
    std::string file =
        "Near misses\n" + std::string(2100, '*') + "\n" + std::string(4000, 'a') + "\n";
    for (int i = 0; i < kEntries - 1; ++i) file += "*" + std::string(1999, 'a') + "b*\nx\n";
    return file;
}

// The same long text, and parts that fail at their first character at
// every place: a plain one, a digit and a list.
std::string first_misses(const std::string& part) {
    std::string file =
        "First misses\n" + std::string(2100, '*') + "\n" + std::string(4000, 'a') + "\n";
    for (int i = 0; i < kEntries - 1; ++i) file += "*" + part + "*\nx\n";
    return file;
}

// Long plain patterns that start as the text does and never match it.
std::string long_patterns() {
    std::string file = "Long patterns\n";
    const std::string tail(kEntryBytes - kWelcome.size(), 'z');
    for (int i = 0; i < kEntries; ++i) file += kWelcome + tail + "\nx\n";
    return file;
}

// Every entry matches, and every replacement is too long to be made.
std::string long_replacements() {
    std::string file = "Long replacements\n";
    for (int i = 0; i < kEntries; ++i) file += "$T\n$T" + std::string(kEntryBytes, 'r') + "\n";
    return file;
}

// What a whole translation looks like: a thousand texts, most with a
// variable part.
std::string translation() {
    std::string file = "Translation\n";
    for (int i = 0; i < 1000; ++i) {
        const std::string n = std::to_string(i);
        file += i % 3 == 0 ? "Message " + n + " for the player.\nMeldung " + n + ".\n"
                           : "$T does thing " + n + " to $T.\n$T macht " + n + " mit $T.\n";
    }
    return file + "Welcome to $T.  Main menu.\nWillkommen bei $T.  Hauptmenue.\n";
}

void translate(benchmark::State& state, const std::string& file, const std::string& text) {
    bench::Table table;
    Output out = table.output();
    std::ofstream(out.data_path("/language.txt"), std::ios::binary) << file;
    out.load_language_file();
    for (auto _ : state) {
        std::string spoken = text;
        out.translate(spoken);
        benchmark::DoNotOptimize(spoken);
    }
    std::string spoken = text;
    uint64_t budget = Language::kTranslateSteps;
    translate(out.language(), spoken, budget);
    state.counters["steps"] = static_cast<double>(Language::kTranslateSteps - budget);
}

void BM_TranslateShippedFile(benchmark::State& state) {
    translate(state, slurp(VELLOXA_SOURCE_DIR "/packaging/language.txt"), "Sapi on");
}
void BM_TranslateFullTranslation(benchmark::State& state) {
    translate(state, translation(), kWelcome);
}
void BM_TranslateHugeBracketLists(benchmark::State& state) {
    translate(state, huge_lists(), kWelcome);
}
void BM_TranslateNearMissesOnLongText(benchmark::State& state) {
    translate(state, near_misses(), kWelcome);
}
void BM_TranslateFirstMissesOnLongText(benchmark::State& state) {
    translate(state, first_misses("b"), kWelcome);
}
void BM_TranslateFirstDigitMissesOnLongText(benchmark::State& state) {
    translate(state, first_misses("#"), kWelcome);
}
void BM_TranslateFirstListMissesOnLongText(benchmark::State& state) {
    translate(state, first_misses("[b]"), kWelcome);
}
void BM_TranslateLongPatterns(benchmark::State& state) {
    translate(state, long_patterns(), kWelcome);
}
void BM_TranslateLongReplacements(benchmark::State& state) {
    translate(state, long_replacements(), kWelcome);
}
// Reading the 30 MB file at start-up, where its patterns are prepared once.
void BM_LoadLongPatterns(benchmark::State& state) {
    bench::Table table;
    Output out = table.output();
    std::ofstream(out.data_path("/language.txt"), std::ios::binary) << long_patterns();
    for (auto _ : state) out.load_language_file();
}

BENCHMARK(BM_LoadLongPatterns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateShippedFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TranslateFullTranslation)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TranslateHugeBracketLists)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateNearMissesOnLongText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateFirstMissesOnLongText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateFirstDigitMissesOnLongText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateFirstListMissesOnLongText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateLongPatterns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateLongReplacements)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velloxa
