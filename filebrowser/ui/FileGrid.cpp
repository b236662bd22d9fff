#include "filebrowser/ui/FileGrid.h"

#include "filebrowser/ui/DisplayName.h"
#include "grid/CGridCtrl.h"
#include "util/FormatSize.h"

namespace {

constexpr unsigned kCellFormat = DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
constexpr int kColumnWidths[3] = {30, 250, 70};
constexpr int kFolderImage = 0;

// A file's size as "17 KB " (the blank keeps it off the grid line); a folder shows none.
QString SizeText(const FileEntry& entry)
{
    if (entry.isFolder())
        return {};
    return QString::fromStdString(FormatSize(static_cast<double>(entry.size), 0)) +
           QLatin1Char(' ');
}

} // namespace

void SetUpFileGrid(CGridCtrl& grid, const CImageList& images)
{
    grid.DeleteAllItems();
    grid.SetListMode(true);
    grid.SetEditable(false);
    grid.SetSingleRowSelection(false);
    grid.SetFixedColumnSelection(false);
    grid.SetRowResize(false);
    grid.SetColumnResize(false);
    grid.EnableTitleTips(false);
    for (bool fixedRow : {false, true})
        for (bool fixedCol : {false, true}) {
            CGridDefaultCell* cell = grid.GetDefaultCell(fixedRow, fixedCol);
            cell->SetFormat(kCellFormat | (fixedRow ? DT_CENTER : DT_LEFT));
            cell->SetMargin(0);
        }
    grid.SetGridBkColor(Qt::white);
    grid.SetImageList(&images);
    ShowFileRows(grid, {});
}

void ShowFileRows(CGridCtrl& grid, const std::vector<FileEntry>& rows)
{
    grid.ResetSelectedRange();
    grid.SetColumnCount(3);
    grid.SetRowCount(static_cast<int>(rows.size()) + 1);
    grid.SetFixedRowCount(1);
    grid.SetItemText(0, 0, QStringLiteral(" "));
    grid.SetItemText(0, 1, QStringLiteral("File"));
    grid.SetItemText(0, 2, QStringLiteral("Size"));
    grid.SetRowHeight(0, kFileGridRowHeight);
    for (int r = 1; r < grid.GetRowCount(); ++r) {
        const FileEntry& entry = rows[static_cast<std::size_t>(r - 1)];
        // Rows are reused from the last listing: every cell is set.
        grid.SetItemImage(r, 0, entry.isFolder() ? kFolderImage : -1);
        grid.SetItemFormat(r, 0, kCellFormat | DT_CENTER);
        grid.SetItemText(r, 1, QLatin1Char(' ') + DisplayName(entry.name));
        grid.SetItemText(r, 2, SizeText(entry));
        grid.SetItemFormat(r, 2, kCellFormat | DT_RIGHT);
        grid.SetRowHeight(r, kFileGridRowHeight);
    }
    for (int c = 0; c < 3; ++c)
        grid.SetColumnWidth(c, kColumnWidths[c]);
    grid.ExpandColumnsToFit();
    grid.SetScrollPos(0, Qt::Vertical);
    grid.SetScrollPos(0, Qt::Horizontal);
    grid.Invalidate();
}
