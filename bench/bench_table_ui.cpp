// Drawing the main table on its off-screen image: a full redraw with chips
// on 20 spots and the wheel ring, and one animation step of each phase of a
// spin (ring only, ball on the outer track, ball in the pocket).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "core/game_state.h"
#include "core/table_geometry.h"
#include "gui/table/table_renderer.h"

namespace {

kv::GameState gameWithChips() {
    kv::GameState s;
    s.Credit = 100000;
    int placed = 0;
    for (const kv::BetCell& cell : kv::allBetCells()) {
        if (placed == 20) break;
        if ((cell.c + cell.r) % 5 != 0) continue;
        s.CurrentBets.at(cell.c, cell.r) = 5 + placed;
        ++placed;
    }
    s.Bet = s.CurrentBets.sum();
    for (int i = 0; i < 10; ++i) s.RecordSpin(i * 3);
    return s;
}

void BM_FullRedraw(benchmark::State& state) {
    kv::TableRenderer r;
    kv::GameState s = gameWithChips();
    for (auto _ : state) {
        r.fullRedraw(s);
        benchmark::DoNotOptimize(r.TableBitmap().constBits());
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond);

// One step of the spin animation: ball (none, outer track, in the pocket).
void BM_SpinStep(benchmark::State& state) {
    kv::TableRenderer r;
    kv::GameState s = gameWithChips();
    r.fullRedraw(s);
    const bool ball = state.range(0) > 0;
    const bool outer = state.range(0) == 1;
    for (auto _ : state) {
        s.WheelAngle += 3;
        s.BallAngle += 2;
        r.DrawWheel(s, true, ball, outer);
        benchmark::DoNotOptimize(r.TableBitmap().constBits());
    }
}
BENCHMARK(BM_SpinStep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
