// The speech part of the audio callback on its own, while the voice's
// worker keeps the ring full as it does during a long text: median and
// worst duration over a minute of callbacks (512 frames each), paced as
// the device paces them, so the benchmark takes a minute.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_audio.h"

namespace velloxa {
namespace {

constexpr int kCallbacksPerMinute = 60 * SdlAudio::kRate / SdlAudio::kFrames;
constexpr int kVoiceRate = 22050;  // what espeak-ng gives
constexpr int kVoiceBlock = 1102;  // its blocks of 50 ms
constexpr int16_t kLevel = 1000;

void BM_SpeechCallback(benchmark::State& state) {
    SdlAudio audio;  // no device: the benchmark is the audio thread
    audio.speech_format(kVoiceRate);
    const uint64_t generation = audio.speech_restart();
    std::atomic<bool> stop{false};
    std::thread voice([&] {
        const std::vector<int16_t> block(kVoiceBlock, kLevel);
        while (!stop.load()) audio.speech_push(generation, block.data(), kVoiceBlock);
    });
    std::vector<Uint8> buffer(SdlAudio::kFrames * 4);
    std::vector<double> us;
    us.reserve(kCallbacksPerMinute);
    const auto period = std::chrono::microseconds(1000000LL * SdlAudio::kFrames / SdlAudio::kRate);
    auto due = std::chrono::steady_clock::now();
    for (auto _ : state) {
        due += period;
        std::this_thread::sleep_until(due);
        const auto start = std::chrono::steady_clock::now();
        audio.fill_speech(buffer.data(), static_cast<int>(buffer.size()));
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        us.push_back(took.count());
    }
    stop.store(true);
    audio.speech_restart();  // a worker waiting for room gives up
    voice.join();
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["worst_us"] = us.back();
}
BENCHMARK(BM_SpeechCallback)->Iterations(kCallbacksPerMinute)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velloxa
