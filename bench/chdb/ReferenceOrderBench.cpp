// Ordering a full table (9999 channels) like a reference list of the same box.
#include "chdb/ReferenceOrder.h"
#include "stbsim/DemoDatabase.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

// The box after a new search: the same channels in another order, the user lists gone.
ChannelDatabase Rescanned(const ChannelDatabase& db)
{
    ChannelDatabase rescanned = db;
    std::vector<int> order(static_cast<std::size_t>(db.channelCount()));
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (std::size_t i = 0; i < order.size(); ++i)
        rescanned.setChannel(static_cast<int>(i), db.channel(order[i]));
    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list)
        for (ListKind kind : {ListKind::Tv, ListKind::Radio})
            rescanned.setUserListEntries(list, kind, {});
    return rescanned;
}

void BM_ApplyReferenceOrderToAFullRescan(benchmark::State& s)
{
    const ChannelDatabase reference = GenerateDemoDatabase(1, DemoSize::Full);
    const ChannelDatabase rescanned = Rescanned(reference);
    for (auto _ : s) {
        s.PauseTiming();
        ChannelDatabase db = rescanned;
        s.ResumeTiming();
        benchmark::DoNotOptimize(ApplyReferenceOrder(db, reference));
    }
    ChannelDatabase db = rescanned;
    const ReorderSummary summary = ApplyReferenceOrder(db, reference);
    s.counters["matched"] = summary.matched;
    s.counters["moved"] = summary.moved;
}
BENCHMARK(BM_ApplyReferenceOrderToAFullRescan)->Unit(benchmark::kMillisecond);

} // namespace
