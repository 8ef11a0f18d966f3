// How long a save keeps the key handler busy, as every Tab or Page Up
// saves: written at once (temporary file, two syncs, rename) and handed to
// the background writer, at the pace of a held key. Median and worst of 200 saves of the progress
// file, on the file system of the temporary folder (TMPDIR).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "cards/progress.h"
#include "platform/background_saves.h"
#include "table.h"

namespace velloxa {
namespace {

constexpr int kSaves = 200;
// Saves come as fast as a held key repeats.
constexpr std::chrono::milliseconds kKeyRepeat{33};

template <class Files>
void BM_Save(benchmark::State& state) {
    Catalogue cards;
    build_catalogue(cards);
    // The file a new player's first save writes.
    const std::string text = write_progress_text(Settings{0, 3, 2, "sounds"}, Collection{}, cards);
    const std::string home = bench::make_home();
    std::vector<double> ms;
    ms.reserve(kSaves);
    {
        Files files;
        for (auto _ : state) {
            const auto start = std::chrono::steady_clock::now();
            files.replace(home + "/progress.ini", text);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            ms.push_back(took.count());
            std::this_thread::sleep_for(kKeyRepeat);
        }
    }
    std::filesystem::remove_all(home);
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["worst_ms"] = ms.back();
}
BENCHMARK(BM_Save<DiskFiles>)
    ->Name("BM_SaveAtOnce")
    ->Iterations(kSaves)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save<BackgroundSaves>)
    ->Name("BM_SaveInTheBackground")
    ->Iterations(kSaves)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velloxa
