#include "filebrowser/ui/CSelectDiskDlg.h"

#include "filebrowser/StbStorage.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/BusyCall.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "util/FormatSize.h"

namespace {

constexpr int kRowHeight = 20;
constexpr int kColumnWidths[2] = {130, 100};
constexpr unsigned kCellFormat =
    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;

} // namespace

CSelectDiskDlg::CSelectDiskDlg(std::string address, BrowserServices services, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_SELECT_DISK), parent), m_strAddress(std::move(address)),
      m_services(std::move(services))
{
    m_grid = new CGridCtrl;
    InstallControl(IDC_GRID_DISK, m_grid);
    connect(m_grid, &CGridCtrl::gridNotify, this, [this](int code, int row, int) {
        if (code == NM_DBLCLK && row > 0)
            ChooseRow(row);
    });
}

CSelectDiskDlg::~CSelectDiskDlg() = default;

void CSelectDiskDlg::OnInitDialog()
{
    switch (QueryDiskInfo()) {
    case -1:
        EndDialog(IDCANCEL);
        break;
    case 0:
        EndDialog(IDOK);
        break;
    default:
        m_grid->setFocus(Qt::OtherFocusReason);
        break;
    }
}

int CSelectDiskDlg::QueryDiskInfo()
{
    std::optional<std::vector<StbDisk>> disks;
    // The dialog is not shown yet: the busy indicator comes up over the window that opens it.
    RunBusyCall(parentWidget(), m_services.messages, [&](BusyCall& call) {
        LinkOptions link = m_services.link;
        link.cancel = &call.cancel();
        disks = StbStorage(m_strAddress, call.messages(), link).QueryDisks();
    });
    if (!disks)
        return -1;
    m_disks = std::move(*disks);
    if (m_disks.size() == 1) {
        m_strChosenDevice = m_disks.front().device;
        return 0;
    }
    FillGrid();
    return 1;
}

void CSelectDiskDlg::FillGrid()
{
    CGridCtrl& grid = *m_grid;
    grid.DeleteAllItems();
    grid.SetEditable(false);
    grid.SetListMode(true);
    grid.SetRowResize(false);
    grid.SetColumnResize(false);
    grid.EnableSelection(true);
    grid.SetSingleRowSelection(true);
    grid.EnableTitleTips(false);
    grid.SetGridBkColor(Qt::white);
    for (bool fixedRow : {false, true})
        for (bool fixedCol : {false, true}) {
            grid.GetDefaultCell(fixedRow, fixedCol)->SetFormat(kCellFormat);
            grid.GetDefaultCell(fixedRow, fixedCol)->SetMargin(0);
        }
    grid.SetRowCount(static_cast<int>(m_disks.size()) + 1);
    grid.SetColumnCount(2);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnSelection(false);
    grid.SetItemText(0, 0, QStringLiteral("Disk"));
    grid.SetItemText(0, 1, QStringLiteral("Size"));
    for (int r = 1; r < grid.GetRowCount(); ++r) {
        const StbDisk& disk = m_disks[static_cast<std::size_t>(r - 1)];
        grid.SetItemText(r, 0, QString::fromStdString(disk.label));
        grid.SetItemText(r, 1,
                         QString::fromStdString(FormatSize(static_cast<double>(disk.size), 0)));
    }
    for (int c = 0; c < 2; ++c)
        grid.SetColumnWidth(c, kColumnWidths[c]);
    for (int r = 0; r < grid.GetRowCount(); ++r)
        grid.SetRowHeight(r, kRowHeight);
    grid.ExpandColumnsToFit(false);
    // Row 0 is the header: the grid moves both requests to the first choice.
    grid.SetSelectedRange(0, 0, 0, grid.GetColumnCount() - 1);
    grid.SetFocusCell(0, 0);
    grid.Invalidate();
}

void CSelectDiskDlg::OnOK()
{
    ChooseRow(m_grid->GetSelectedCellRange().GetMaxRow());
}

void CSelectDiskDlg::ChooseRow(int row)
{
    if (row <= 0 || row > static_cast<int>(m_disks.size()))
        return;
    m_strChosenDevice = m_disks[static_cast<std::size_t>(row - 1)].device;
    EndDialog(IDOK);
}
