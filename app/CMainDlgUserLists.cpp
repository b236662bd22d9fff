// "edit user lists": the whole database goes to the editor through files in the working
// folder; the user lists and their names come back the same way, all or nothing.
#include "app/CMainDlg.h"

#include "editors/CUserListDlg.h"
#include "grid/CGridCtrl.h"
#include "util/MessageService.h"

#include <algorithm>

namespace {

constexpr unsigned kHandBackFiles = ChannelDatabase::kChIdx | ChannelDatabase::kMenuData;

} // namespace

void CMainDlg::OnEditUserLists()
{
    if (!m_state.hasData())
        return;
    if (!m_state.db.SaveToFolder(m_strWorkDir, ChannelDatabase::kAllFiles)) {
        ChannelDatabase::RemoveFiles(m_strWorkDir, ChannelDatabase::kAllFiles);
        ShowMessage(m_services.messages, MsgId::FileWriteError);
        return;
    }

    CUserListDlg editor(m_services.messages, this);
    editor.m_strWorkDir = m_strWorkDir;
    editor.m_nList = m_state.list;
    editor.m_nGridRows = m_nGridRows;
    editor.m_satList = m_state.satList;
    editor.m_casList = m_state.casList;
    // It opens on the list shown under "User".
    const bool userShown = m_gridCategory->GetFocusCell().row == static_cast<int>(Category::User);
    const int group = m_gridGroup->GetFocusCell().row;
    editor.m_nFirstList = userShown ? std::max(group, 0) : 0;
    const ChannelSelection kept = SaveChannelSelection();
    editor.DoModal();
    if (!editor.loaded())
        return; // it could not read its files, said so and changed nothing

    // Either both files come back whole, or what is shown stays exactly as it was.
    const bool read = m_state.db.ReadBackFromFolder(m_strWorkDir, kHandBackFiles);
    ChannelDatabase::RemoveFiles(m_strWorkDir, kHandBackFiles);
    if (!read) {
        ShowMessage(m_services.messages, MsgId::FileReadError);
        return;
    }
    if (userShown) {
        FillGroupGrid(group);
        RestoreChannelSelection(kept);
    }
}
