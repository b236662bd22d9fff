#include "app/CBackupListDlg.h"

#include "grid/CGridCtrl.h"
#include "grid/CGridDefaultCell.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <algorithm>

namespace {

const char* const kHeadings[] = {"Box", "Date", "Time", "Kind", "Channels"};
// The widest text each column holds, so that none is cut at any font size.
const char* const kWidest[] = {"255.255.255.255", "2000-00-00", "00:00:00", "downloaded", "9999"};
constexpr int kColumns = 5;

} // namespace

CBackupListDlg::CBackupListDlg(std::vector<KeptBackup> backups, Purpose purpose, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_BACKUP_LIST), parent), m_backups(std::move(backups)),
      m_purpose(purpose)
{
    m_grid = new CGridCtrl;
    InstallControl(IDC_GRID_BACKUPS, m_grid);
    connect(m_grid, &CGridCtrl::gridNotify, this, [this](int code, int row, int) {
        if (code == NM_DBLCLK && row >= m_grid->GetFixedRowCount())
            OnOK();
    });
    MapCommand(IDC_BACKUP_FILE, [this] { EndDialog(IDC_BACKUP_FILE); });
}

void CBackupListDlg::OnInitDialog()
{
    const bool restore = m_purpose == Purpose::Restore;
    setWindowTitle(restore ? "restore backup" : "apply order from backup");
    SetDlgItemText(IDOK, restore ? "Restore" : "Apply");
    GetDlgItem(IDC_BACKUP_FILE)->setVisible(!restore);
    GetDlgItem(IDOK)->setEnabled(!m_backups.empty());
    FillGrid();
    m_grid->setFocus();
}

void CBackupListDlg::FillGrid()
{
    CGridCtrl& grid = *m_grid;
    grid.SetListMode(true);
    grid.SetEditable(false);
    grid.SetRowResize(false);
    grid.SetColumnResize(false);
    grid.EnableTitleTips(false);
    grid.SetSingleRowSelection(true);
    grid.SetGridBkColor(Qt::white);
    for (bool fixedRow : {false, true})
        for (bool fixedCol : {false, true})
            grid.GetDefaultCell(fixedRow, fixedCol)
                ->SetFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    grid.SetColumnCount(kColumns);
    grid.SetRowCount(static_cast<int>(m_backups.size()) + 1);
    grid.SetFixedRowCount(1);

    const QFontMetrics metrics = grid.fontMetrics();
    const int rowHeight = std::max(24, metrics.height() + 8);
    for (int c = 0; c < kColumns; ++c) {
        grid.SetItemText(0, c, QString::fromLatin1(kHeadings[c]));
        const int text = std::max(metrics.horizontalAdvance(QString::fromLatin1(kHeadings[c])),
                                  metrics.horizontalAdvance(QString::fromLatin1(kWidest[c])));
        grid.SetColumnWidth(c, text + 2 * metrics.averageCharWidth());
    }
    for (int r = 0; r < grid.GetRowCount(); ++r)
        grid.SetRowHeight(r, rowHeight);
    for (std::size_t i = 0; i < m_backups.size(); ++i) {
        const KeptBackup& b = m_backups[i];
        const int row = static_cast<int>(i) + 1;
        const std::string texts[kColumns] = {b.address, b.date, b.time, BackupKindName(b.kind),
                                             std::to_string(b.channels)};
        for (int c = 0; c < kColumns; ++c)
            grid.SetItemText(row, c, QString::fromStdString(texts[c]));
    }
    grid.ExpandColumnsToFit();
    if (!m_backups.empty()) {
        grid.SetSelectedRange(1, 0, 1, kColumns - 1);
        grid.SetFocusCell(1, 0);
    }
    grid.Invalidate();
}

void CBackupListDlg::OnOK()
{
    const int row = m_grid->GetFocusCell().row;
    if (row < m_grid->GetFixedRowCount() || row >= m_grid->GetRowCount())
        return;
    m_strPath = m_backups[static_cast<std::size_t>(row - 1)].path;
    EndDialog(IDOK);
}
