// Deleting every channel of a full table while ten user lists hold all of them.
#include "chdb/ChannelCompaction.h"

#include <benchmark/benchmark.h>

#include <numeric>

namespace {

ChannelDatabase FullTableAndLists()
{
    ChannelDatabase db;
    std::vector<std::int32_t> tv, radio;
    for (int i = 0; i < ChannelDatabase::kMaxChannels; ++i) {
        ChannelInfo c;
        c.setKey(static_cast<std::uint16_t>(i));
        const bool isRadio = i >= ChannelDatabase::kMaxUserListTv;
        c.setType(isRadio ? 1 : 0);
        db.setChannel(i, c);
        (isRadio ? radio : tv).push_back(i);
    }
    db.setChannelCount(ChannelDatabase::kMaxChannels);
    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list) {
        db.setUserListEntries(list, ListKind::Tv, tv);       // 6000, full
        db.setUserListEntries(list, ListKind::Radio, radio); // 3999, full
    }
    return db;
}

void BM_CompactAllChannelsWithFullLists(benchmark::State& s)
{
    const ChannelDatabase full = FullTableAndLists();
    std::vector<int> all(ChannelDatabase::kMaxChannels);
    std::iota(all.begin(), all.end(), 0);
    for (auto _ : s) {
        s.PauseTiming();
        ChannelDatabase db = full;
        s.ResumeTiming();
        benchmark::DoNotOptimize(CompactChannels(db, all));
    }
}
BENCHMARK(BM_CompactAllChannelsWithFullLists)->Unit(benchmark::kMillisecond);

} // namespace
