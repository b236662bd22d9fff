#include "fuzz/support/DatabaseWalk.h"

#include "chdb/BackupFile.h"
#include "chdb/ChannelCompaction.h"
#include "chdb/ChannelView.h"
#include "chdb/DvbText.h"
#include "chdb/ReferenceOrder.h"
#include "chdb/SatListEdits.h"
#include "cli/DumpFormats.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/ImagePatches.h"
#include "stbsim/DemoDatabase.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace fuzz {

namespace {

constexpr ChannelDatabase::File kFiles[] = {ChannelDatabase::kChData, ChannelDatabase::kChIdx,
                                            ChannelDatabase::kMenuData};

// Reads every field, so that a read past a record shows under the sanitizers.
void TouchRecords(const ChannelDatabase& db)
{
    for (int i = 0; i < db.satelliteCount(); ++i) {
        const SatInfo s = db.satellite(i);
        FUZZ_CHECK(s.name().size() < SatInfo::kNameSize + 1);
        FUZZ_CHECK(IsValidUtf8(DecodeDvbText(s.name())));
        (void)(s.id() + s.position() + s.lnbType() + s.lnbLow() + s.lnbHigh() + s.tone22k() +
               s.diseqc() + s.diseqc11Port() + s.lnbPower() + s.transponderCount() +
               s.positioner());
    }
    for (int i = 0; i < db.transponderCount(); ++i) {
        const TpInfo t = db.transponder(i);
        (void)(t.id() + t.satelliteId() + t.frequency() + t.symbolRate() + t.fec() +
               t.polarization() + t.pilot());
    }
    for (int i = 0; i < db.channelCount(); ++i) {
        const ChannelInfo c = db.channel(i);
        FUZZ_CHECK(c.name().size() <= ChannelInfo::kNameSize);
        FUZZ_CHECK(c.visibleName().size() <= c.name().size());
        (void)(c.satelliteId() + c.transponderId() + c.serviceId() + c.pmtPid() + c.videoPid() +
               c.audioPid() + c.pcrPid() + c.word14() + c.word16() + c.word18() + c.casMask() +
               c.type() + c.lock() + c.key() + c.selector() + c.isHd());
    }
    for (int number = 1; number <= ChannelDatabase::kUserListCount; ++number) {
        FUZZ_CHECK(db.userListName(number).size() <= ChannelDatabase::kUserListNameSize);
        FUZZ_CHECK(!db.userListDisplayName(number).empty() || db.isUserListNamed(number));
        for (ListKind kind : {ListKind::Tv, ListKind::Radio}) {
            const int size = db.userListSize(number - 1, kind);
            FUZZ_CHECK(size >= 0 && size <= ChannelDatabase::UserListCapacity(kind));
            FUZZ_CHECK(db.userListEntries(number - 1, kind).size() == std::size_t(size));
        }
    }
    FUZZ_CHECK(db.pinText().size() >= 4 && db.pinText().size() <= 5);
}

void WalkViews(DatabaseState state)
{
    for (int list : {0, 1}) {
        state.list = list;
        const int categories = static_cast<int>(CategoryRows(state.listKind()).size());
        for (int category = -1; category <= categories; ++category) {
            const int groups = category >= 0 && category < categories
                                   ? static_cast<int>(
                                         GroupRows(state, static_cast<Category>(category)).size())
                                   : 1;
            // The first and last groups and those beyond: the middle ones take the same paths.
            for (int group = -1; group <= groups; group = group == 2 && groups > 5 ? groups - 2 : group + 1) {
                ChannelView view = BuildChannelView(state, category, group);
                const bool shown = category >= 0 && category < categories && group >= 0 &&
                                   group < groups;
                FUZZ_CHECK(shown || view.empty());
                FUZZ_CHECK(view.records.size() == view.tableIndices.size());
                for (std::size_t i = 0; i < view.records.size(); ++i) {
                    const int index = view.tableIndices[i];
                    FUZZ_CHECK(index >= 0 && index < state.db.channelCount());
                    FUZZ_CHECK(view.records[i] == state.db.channel(index));
                }
                if (view.size() > 1000)
                    continue; // the sort of a big view is the same code, only slower
                SortViewByName(view);
                FUZZ_CHECK(view.records.size() == view.tableIndices.size());
            }
        }
    }
}

// A big table takes the same paths as a small one, only slower: dumped only up to a few
// hundred channels, so that the fuzzer spends its time on new inputs.
void Dump(const ChannelDatabase& db)
{
    if (db.channelCount() > 300)
        return;
    std::ostringstream json, csv, summary;
    WriteDatabaseJson(db, json);
    WriteDatabaseCsv(db, csv);
    WriteDatabaseSummary(db, summary);
    FUZZ_CHECK(IsValidUtf8(json.str()));
}

void SaveAndReadBack(const ChannelDatabase& db)
{
    static const TempDir scratch;
    FUZZ_CHECK(db.SaveToFolder(scratch.path()));
    ChannelDatabase back;
    FUZZ_CHECK(back.ReadBackFromFolder(scratch.path()));
    FUZZ_CHECK(back == db);
    FUZZ_CHECK(BuildBackupImage(db).size() == kBackupFileSize);
}

// Deleting the first and the last channel rewrites every user list: each entry then names a
// channel of the list's kind.
void Compact(ChannelDatabase db)
{
    const int before = db.channelCount();
    const int deleted = CompactChannels(db, {0, before - 1, before, -1});
    FUZZ_CHECK(deleted == std::min(before, 2));
    FUZZ_CHECK(db.channelCount() == before - deleted);
    if (deleted == 0)
        return;
    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list)
        for (ListKind kind : {ListKind::Tv, ListKind::Radio})
            for (std::int32_t entry : db.userListEntries(list, kind))
                FUZZ_CHECK(entry >= 0 && entry < db.channelCount() &&
                           db.channel(entry).isRadio() == (kind == ListKind::Radio));
}

// What the satellite list editor shows of the tables, on the first and last satellites (the
// others take the same paths), then a transponder deleted with its channels.
void WalkEditorTables(ChannelDatabase db)
{
    const int satellites = db.satelliteCount();
    for (int s = 0; s < satellites; s = s == 2 && satellites > 4 ? satellites - 1 : s + 1) {
        const SatInfo sat = db.satellite(s);
        FUZZ_CHECK(!FormatSatPosition(sat.position()).degrees.empty());
        (void)LnbChoiceOf(sat);
        (void)TransponderLimitMessage(db, s);
        const std::vector<int> rows = TransponderRows(db, s);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            FUZZ_CHECK(rows[r] >= 0 && rows[r] < db.transponderCount());
            const TpInfo tp = db.transponder(rows[r]);
            FUZZ_CHECK(!TransponderRowText(tp).empty());
            if (r < 3)
                for (int c : ChannelRows(db, sat.id(), tp.id()))
                    FUZZ_CHECK(c >= 0 && c < db.channelCount());
        }
    }
    (void)ChannelLimitMessage(db);
    (void)NextChannelKey(db);
    (void)NewChannelSelector(db);
    if (satellites == 0)
        return;
    const std::vector<int> rows = TransponderRows(db, 0);
    if (rows.empty())
        return;
    const int channels = db.channelCount();
    const int deleted = DeleteTransponder(db, 0, rows.front());
    FUZZ_CHECK(deleted >= 0 && db.channelCount() == channels - deleted);
    FUZZ_CHECK(db.transponderCount() >= 0 && db.satelliteCount() == satellites);
}

// The order of an older list applied either way: the table keeps its channels, and every
// user-list entry names a channel of the list's kind.
void Reorder(ChannelDatabase db, const ChannelDatabase& reference)
{
    const int channels = db.channelCount();
    const ReorderSummary summary = ApplyReferenceOrder(db, reference);
    FUZZ_CHECK(db.channelCount() == channels);
    FUZZ_CHECK(summary.matched + summary.notFound == channels);
    FUZZ_CHECK(summary.moved >= 0 && summary.moved <= channels);
    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list)
        for (ListKind kind : {ListKind::Tv, ListKind::Radio})
            for (std::int32_t entry : db.userListEntries(list, kind))
                FUZZ_CHECK(entry >= 0 && entry < channels &&
                           db.channel(entry).isRadio() == (kind == ListKind::Radio));
}

} // namespace

const ChannelDatabase& DemoDatabase()
{
    static const ChannelDatabase db = GenerateDemoDatabase(1, DemoSize::Tiny);
    return db;
}

ChannelDatabase PatchedDatabase(const std::uint8_t* data, std::size_t size)
{
    ChannelDatabase db = DemoDatabase();
    std::vector<std::uint8_t> all;
    for (ChannelDatabase::File file : kFiles)
        all.insert(all.end(), db.image(file).begin(), db.image(file).end());
    ApplyPatches(all, data, size);
    auto from = all.begin();
    for (ChannelDatabase::File file : kFiles) {
        std::copy_n(from, db.image(file).size(), db.image(file).begin());
        from += static_cast<std::ptrdiff_t>(db.image(file).size());
    }
    return db;
}

void WalkDatabase(const DatabaseState& state)
{
    TouchRecords(state.db);
    WalkViews(state);
    Dump(state.db);
    Compact(state.db);
    WalkEditorTables(state.db);
    Reorder(state.db, DemoDatabase());
    Reorder(DemoDatabase(), state.db);
    SaveAndReadBack(state.db);
}

void WalkImported(const ChannelDatabase& db)
{
    DatabaseState state;
    state.ApplyImport(ChannelDatabase(db));
    FUZZ_CHECK(state.db == db && state.list == 0 && state.modified);
    for (const SatListEntry& entry : state.satList)
        FUZZ_CHECK(entry.name.size() < SatListEntry::kNameSize && (entry.list == 0 || entry.list == 1));
    WalkDatabase(state);
}

} // namespace fuzz
