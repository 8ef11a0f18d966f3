// Cost of the computer opponent's move and of a whole battle, without the
// pacing waits (the headless clock is virtual) and without sound.
#include <benchmark/benchmark.h>

#include "table.h"

namespace velloxa {
namespace {

using bench::Table;

// The heaviest move: every tile in hand on every spot, 45 simulated drops.
void BM_RunAiOpenBoard(benchmark::State& state) {
    Table t;
    for (auto _ : state) {
        t.newbattle(1, 20, 2);
        t.game.run_enemy_turn();
        benchmark::DoNotOptimize(t.game.position().score[2]);
    }
    state.counters["simulations"] = benchmark::Counter(static_cast<double>(state.iterations()) * 45,
                                                       benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunAiOpenBoard);

// Nine alternating drops, the enemy first: five opponent moves with their
// simulations and four plain drops.
void BM_SilentBattle(benchmark::State& state) {
    Table t;
    for (auto _ : state) {
        t.newbattle(30, 40, 2);
        for (int drop = 1; drop <= 9; ++drop) {
            if (drop % 2 == 1) {
                t.enemymove();
            } else {
                t.userdrop();
            }
        }
        benchmark::DoNotOptimize(t.game.position().score[1] + t.game.position().score[2]);
    }
}
BENCHMARK(BM_SilentBattle);

}  // namespace
}  // namespace velloxa
