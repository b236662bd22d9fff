// Building the main window's channel view on a full table (9999 channels).
#include "chdb/ChannelView.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

DatabaseState FullState(bool sameFirstLetter)
{
    DatabaseState state;
    std::mt19937 random(1);
    for (int i = 0; i < ChannelDatabase::kMaxChannels; ++i) {
        ChannelInfo c;
        c.setSatelliteId(static_cast<std::uint16_t>(1 + i % 40));
        c.setType(i % 7 == 0 ? 1 : (i % 5 == 0 ? 2 : 0));
        std::string name = sameFirstLetter ? "S" : std::string(1, static_cast<char>('A' + random() % 26));
        for (int k = 0; k < 12; ++k)
            name += static_cast<char>('a' + random() % 26);
        c.setName(name);
        state.db.setChannel(i, c);
    }
    state.db.setChannelCount(ChannelDatabase::kMaxChannels);
    state.list = 0;
    return state;
}

void BM_SatAll(benchmark::State& s)
{
    const DatabaseState state = FullState(false);
    for (auto _ : s)
        benchmark::DoNotOptimize(BuildChannelView(state, static_cast<int>(Category::Sat), 0));
}
BENCHMARK(BM_SatAll)->Unit(benchmark::kMillisecond);

// One letter group of a realistic table (about 1/26 of the channels).
void BM_AToZ_OneLetter(benchmark::State& s)
{
    const DatabaseState state = FullState(false);
    for (auto _ : s)
        benchmark::DoNotOptimize(BuildChannelView(state, static_cast<int>(Category::AToZ), 18));
}
BENCHMARK(BM_AToZ_OneLetter)->Unit(benchmark::kMillisecond);

// The worst case: every TV channel in one letter group, sorted by the quadratic sort.
void BM_AToZ_AllInOneLetter(benchmark::State& s)
{
    const DatabaseState state = FullState(true);
    for (auto _ : s)
        benchmark::DoNotOptimize(BuildChannelView(state, static_cast<int>(Category::AToZ), 18));
}
BENCHMARK(BM_AToZ_AllInOneLetter)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
