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
        t.new_battle(1, 20, Side::Enemy);
        t.game.run_enemy_turn();
        benchmark::DoNotOptimize(t.game.position().score(Side::Enemy));
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
        t.new_battle(30, 40, Side::Enemy);
        for (int drop = 1; drop <= 9; ++drop) {
            if (drop % 2 == 1) {
                t.enemy_move();
            } else {
                t.player_drop();
            }
        }
        benchmark::DoNotOptimize(t.game.position().score(Side::Player) +
                                 t.game.position().score(Side::Enemy));
    }
}
BENCHMARK(BM_SilentBattle);

}  // namespace
}  // namespace velloxa
