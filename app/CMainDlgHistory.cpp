// The backups the program keeps of each box: writing them after the exchanges, restoring one,
// and taking the channel order and user lists of one.
#include "app/CMainDlg.h"

#include "app/CBackupListDlg.h"
#include "chdb/BackupFile.h"
#include "chdb/ReferenceOrder.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "util/MessageService.h"

#include <algorithm>

void CMainDlg::MapHistoryCommands()
{
    MapCommand(ID_RESTORE_BACKUP, [this] { OnRestoreBackup(); });
    MapCommand(ID_APPLY_ORDER, [this] { OnApplyOrder(); });
    MapUpdateCommand(ID_RESTORE_BACKUP, [](CCmdUI& cmd) { cmd.Enable(BackupHistory().HasAny()); });
    MapUpdateCommand(ID_APPLY_ORDER, [this](CCmdUI& cmd) { cmd.Enable(m_state.hasData()); });
}

void CMainDlg::KeepInHistory(BackupKind kind, MessageService& messages)
{
    BackupHistory().Save(m_state.db, m_state.stbAddress, kind, messages);
}

void CMainDlg::OnRestoreBackup()
{
    const std::vector<KeptBackup> offered = BackupsToOffer(BackupHistory(), m_state.stbAddress);
    if (offered.empty()) {
        ShowMessage(m_services.messages, MsgId::FileNotExist);
        return;
    }
    CBackupListDlg dialog(offered, CBackupListDlg::Purpose::Restore, this);
    if (dialog.DoModal() == IDOK)
        ImportBackupFile(dialog.m_strPath);
}

void CMainDlg::OnApplyOrder()
{
    if (!m_state.hasData())
        return;
    // A kept backup of this box when there is one, or any backup file.
    std::optional<std::filesystem::path> path;
    const std::vector<KeptBackup> offered = BackupsToOffer(BackupHistory(), m_state.stbAddress);
    if (!offered.empty()) {
        CBackupListDlg dialog(offered, CBackupListDlg::Purpose::ApplyOrder, this);
        const int chosen = dialog.DoModal();
        if (chosen == IDOK)
            path = dialog.m_strPath;
        else if (chosen != IDC_BACKUP_FILE)
            return;
    }
    if (!path) {
        const std::optional<std::string> file = AskBackupFile();
        if (!file)
            return;
        path = *file;
    }
    const std::optional<ChannelDatabase> reference = ReadBackup(*path, m_services.messages);
    if (!reference)
        return;

    const ReorderSummary summary = ApplyReferenceOrder(m_state.db, *reference);
    // Positions changed, so the box's indices no longer match until the next update.
    if (summary.moved > 0)
        m_state.modified = true;
    // The user-list names may have changed, and the channels of every group: the same category
    // and group are shown again.
    FillGroupGrid(std::max(m_gridGroup->GetFocusCell().row, 0));
    m_services.messages.Show(ReorderSummaryText(summary), MessageService::Buttons::Ok);
}
