#pragma once

#include "history/BackupHistory.h"
#include "platform/ui/CDialog.h"

#include <filesystem>
#include <vector>

class CGridCtrl;

// Lists kept backups (box, date, time, downloaded or uploaded, channels), newest first, and
// lets the user pick one: the default button, Enter or a double-click ends the dialog with
// IDOK and the pick in m_strPath. For "apply order" the "File..." button ends it with
// IDC_BACKUP_FILE, asking for any backup file instead.
class CBackupListDlg final : public CDialog {
    Q_OBJECT

public:
    enum class Purpose { Restore, ApplyOrder };

    CBackupListDlg(std::vector<KeptBackup> backups, Purpose purpose, QWidget* parent = nullptr);

    CGridCtrl& grid() { return *m_grid; }

    std::filesystem::path m_strPath;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void FillGrid();

    std::vector<KeptBackup> m_backups;
    Purpose m_purpose;
    CGridCtrl* m_grid = nullptr;
};
