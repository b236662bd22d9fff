// The box's text report, alone and as the lists of the main window over a real database.
#include "chdb/ChannelReport.h"
#include "chdb/ChannelView.h"
#include "fuzz/support/DatabaseWalk.h"
#include "fuzz/support/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::Text(data, size);
    const ChannelReport report = ParseChannelReport(text);
    FUZZ_CHECK(!report.valid || text.find("SIG_CHN_END") != std::string_view::npos);
    for (const SatListEntry& entry : report.satellites)
        FUZZ_CHECK(entry.name.size() < SatListEntry::kNameSize);
    for (const CasEntry& entry : report.cas)
        FUZZ_CHECK(entry.name.size() < CasEntry::kNameSize);

    DatabaseState state;
    state.db = fuzz::DemoDatabase();
    state.satList = report.satellites;
    state.casList = report.cas;
    for (int list : {0, 1}) {
        state.list = list;
        const int categories = static_cast<int>(CategoryRows(state.listKind()).size());
        for (int category = 0; category < categories; ++category) {
            const auto rows = GroupRows(state, static_cast<Category>(category));
            for (int group = 0; group <= static_cast<int>(rows.size()); ++group) {
                const ChannelView view = BuildChannelView(state, category, group);
                FUZZ_CHECK(group < static_cast<int>(rows.size()) || view.empty());
            }
        }
    }
    return 0;
}
