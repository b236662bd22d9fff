// The editors opened from the main window: the data goes to them through files in the working
// folder and comes back the same way, all or nothing.
#include "app/CMainDlg.h"

#include "chdb/ListBuilds.h"
#include "editors/CSatListDlg.h"
#include "grid/CGridCtrl.h"
#include "util/MessageService.h"

#include <algorithm>

namespace {

constexpr unsigned kSatListFiles = ChannelDatabase::kChData | ChannelDatabase::kChIdx;

} // namespace

void CMainDlg::OnEditSatLists()
{
    if (!m_state.hasData())
        return;
    if (!m_state.db.SaveToFolder(m_strWorkDir, kSatListFiles)) {
        ChannelDatabase::RemoveFiles(m_strWorkDir, kSatListFiles);
        ShowMessage(m_services.messages, MsgId::FileWriteError);
        return;
    }

    CSatListDlg editor(m_services.messages, this);
    editor.m_strWorkDir = m_strWorkDir;
    editor.m_strPin = m_state.pin;
    editor.m_nGridRows = m_nGridRows;
    editor.m_nList = m_state.list;
    // It opens on the current channel, or else on the satellite chosen under "SAT".
    const int current = m_gridChannel->GetFocusCell().row;
    if (current >= 0 && current < m_view.size()) {
        const ChannelInfo& c = m_view.records[std::size_t(current)];
        editor.m_wPreSatId = c.satelliteId();
        editor.m_wPreTpId = c.transponderId();
        editor.m_wPreChannelKey = c.key();
    } else if (m_gridCategory->GetFocusCell().row == static_cast<int>(Category::Sat)) {
        editor.m_wPreSatId = SatelliteIdOfGroup(m_state, m_gridGroup->GetFocusCell().row);
    }
    const ChannelSelection kept = SaveChannelSelection();
    editor.DoModal();
    if (!editor.loaded())
        return; // it could not read its files, said so and changed nothing

    // Either both tables come back whole, or what is shown stays exactly as it was.
    const bool read = m_state.db.ReadBackFromFolder(m_strWorkDir, kSatListFiles);
    ChannelDatabase::RemoveFiles(m_strWorkDir, kSatListFiles);
    if (!read) {
        ShowMessage(m_services.messages, MsgId::FileReadError);
        return;
    }
    if (editor.channelsChanged())
        m_state.modified = true;
    RefreshSatelliteNames(m_state.satList, m_state.db);
    FillGroupGrid(m_gridGroup->GetFocusCell().row);
    RestoreChannelSelection(kept);
}

CMainDlg::ChannelSelection CMainDlg::SaveChannelSelection() const
{
    ChannelSelection kept;
    for (int row : m_gridChannel->GetSelectedRows())
        if (row < m_view.size())
            kept.selectedKeys.push_back(m_view.records[std::size_t(row)].key());
    const int focus = m_gridChannel->GetFocusCell().row;
    if (focus >= 0 && focus < m_view.size())
        kept.focusKey = m_view.records[std::size_t(focus)].key();
    kept.scrollPos = m_gridChannel->GetScrollPos();
    return kept;
}

void CMainDlg::RestoreChannelSelection(const ChannelSelection& kept)
{
    CGridCtrl& grid = *m_gridChannel;
    const auto& keys = kept.selectedKeys;
    for (int r = 0; r < m_view.size(); ++r) {
        const std::uint16_t key = m_view.records[std::size_t(r)].key();
        if (std::find(keys.begin(), keys.end(), key) != keys.end())
            for (int c = 0; c < grid.GetColumnCount(); ++c)
                grid.SetItemState(r, c, grid.GetItemState(r, c) | GVIS_SELECTED);
        if (key == kept.focusKey)
            grid.SetFocusCell(r, 0);
    }
    grid.SetScrollPos(kept.scrollPos);
}
