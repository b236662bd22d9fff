#include "filebrowser/ui/CFileBrowserDlg.h"

#include "filebrowser/BrowserNavigation.h"
#include "filebrowser/FolderSummary.h"
#include "filebrowser/PcDeletion.h"
#include "filebrowser/PcFolder.h"
#include "filebrowser/StbStorage.h"
#include "filebrowser/ui/CProgressDlg.h"
#include "filebrowser/ui/CWaitDlg.h"
#include "filebrowser/ui/DisplayName.h"
#include "filebrowser/ui/FileGrid.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/BusyCall.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MenuBuilder.h"
#include "res/Artwork.h"
#include "res/DialogTemplates.h"
#include "res/MenuTemplates.h"
#include "res/ResourceIds.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr const char* kFreeSpaceUnknown = "Free Space : ";

bool IsEnter(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

bool IsPlainKey(const QKeyEvent& key, int code)
{
    return key.key() == code && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool IsMenuKey(const QKeyEvent& key)
{
    const auto modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
           (key.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

} // namespace

CFileBrowserDlg::CFileBrowserDlg(BrowserServices services, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_FILE_BROWSER), parent), m_services(std::move(services)),
      m_imgFolder(kFileGridRowHeight, kFileGridRowHeight)
{
    m_gridPc = new CGridCtrl;
    InstallControl(IDC_GRID_PC, m_gridPc);
    m_gridStb = new CGridCtrl;
    InstallControl(IDC_GRID_STB, m_gridStb);
    for (CGridCtrl* grid : {m_gridPc, m_gridStb}) {
        const BrowserSide side = SideOf(grid);
        connect(grid, &CGridCtrl::gridNotify, this, [this, side](int code, int row, int) {
            if (code == NM_DBLCLK)
                OpenRow(side, row);
        });
        connect(grid, &CGridCtrl::rightClicked, this,
                [this, side](int row, int, const QPoint& at) { OnRightClick(side, row, at); });
    }
    auto* combo = DlgItem<QComboBox>(IDC_COMBO_DISK);
    connect(combo, &QComboBox::activated, this, [this](int index) { OnDiskChange(index); });
    // Level with the path beside it.
    combo->move(combo->x(),
                GetDlgItem(IDC_EDIT_STB_PATH)->geometry().center().y() - combo->height() / 2);
    // Enter presses no button here, so none may look like it would.
    for (QPushButton* button : client()->findChildren<QPushButton*>())
        button->setAutoDefault(false);

    MapCommand(IDC_BUTTON_PC, [this] { OnPcButton(); });
    MapCommand(IDC_BUTTON_UPLOAD, [this] { OnTransfer(TransferDirection::Upload); });
    MapCommand(IDC_BUTTON_DOWNLOAD, [this] { OnTransfer(TransferDirection::Download); });
    MapCommand(ID_DELETE, [this] { OnDelete(); });
}

CFileBrowserDlg::~CFileBrowserDlg() = default;

void CFileBrowserDlg::OnInitDialog()
{
    m_imgFolder.Add(RenderBitmap(IDB_FOLDER, devicePixelRatioF()));
    SetUpFileGrid(*m_gridPc, m_imgFolder);
    SetUpFileGrid(*m_gridStb, m_imgFolder);
    FillDiskCombo();
    ScanPcFolder();
    if (MountDisk() > 0)
        ListStbFolder();
    SetSwallowEnterEscape(true);
    m_gridPc->setFocus(Qt::OtherFocusReason);
}

void CFileBrowserDlg::OnCancel()
{
    UnmountDisk();
    EndDialog(IDCANCEL);
}

void CFileBrowserDlg::FillDiskCombo()
{
    auto* combo = DlgItem<QComboBox>(IDC_COMBO_DISK);
    combo->clear();
    int chosen = 0;
    for (std::size_t i = 0; i < m_disks.size(); ++i) {
        combo->addItem(QString::fromStdString(DiskChoiceText(m_disks[i])));
        if (m_disks[i].device == m_strChosenDevice)
            chosen = static_cast<int>(i);
    }
    if (combo->count() > 0)
        combo->setCurrentIndex(chosen);
}

bool CFileBrowserDlg::RunStbExchange(const std::function<void(StbStorage& box)>& exchange)
{
    QWidget* over = isVisible() ? this : parentWidget();
    return RunBusyCall(over, m_services.messages, [&](BusyCall& call) {
        LinkOptions link = m_services.link;
        link.cancel = &call.cancel();
        StbStorage box(m_strStbAddress, call.messages(), link);
        exchange(box);
    });
}

void CFileBrowserDlg::ScanPcFolder()
{
    m_pcEntries = ReadPcFolder(m_strPcPath);
    ShowFileRows(*m_gridPc, m_pcEntries);
    DlgItem<QLineEdit>(IDC_EDIT_PC_PATH)->setText(DisplayName(m_strPcPath));
    ShowPcFreeSpace();
    SetDlgItemText(IDC_STATIC_PC_SUMMARY, FormatFolderSummary(Summarize(m_pcEntries)));
}

void CFileBrowserDlg::ShowPcFreeSpace()
{
    m_nPcFreeBytes = PcFreeBytes(m_strPcPath);
    SetDlgItemText(IDC_STATIC_PC_FREE, FormatFreeSpace(m_nPcFreeBytes));
}

void CFileBrowserDlg::ClearStbSide()
{
    m_stbEntries.clear();
    ShowFileRows(*m_gridStb, m_stbEntries);
    DlgItem<QLineEdit>(IDC_EDIT_STB_PATH)->setText(DisplayName(m_strStbPath));
    SetDlgItemText(IDC_STATIC_STB_SUMMARY, "");
}

int CFileBrowserDlg::MountDisk()
{
    m_strStbPath = "/";
    ClearStbSide();
    m_nStbFreeBytes = 0;
    SetDlgItemText(IDC_STATIC_STB_FREE, kFreeSpaceUnknown);
    bool mounted = false;
    const std::string device = m_strChosenDevice;
    RunStbExchange([&](StbStorage& box) { mounted = box.Mount(device); });
    if (!mounted)
        return -1;
    QueryStbFreeSpace();
    return 1;
}

void CFileBrowserDlg::ListStbFolder()
{
    ClearStbSide();
    std::optional<std::vector<FileEntry>> rows;
    const std::string path = m_strStbPath;
    RunStbExchange([&](StbStorage& box) { rows = box.ListFolder(path); });
    if (!rows) {
        // The way back up stays: ".." is ours, not the box's, and without it a folder that
        // cannot be listed would hold the user until the window is closed.
        if (path != "/") {
            m_stbEntries = {FileEntry::Parent()};
            ShowFileRows(*m_gridStb, m_stbEntries);
        }
        return;
    }
    m_stbEntries = std::move(*rows);
    ShowFileRows(*m_gridStb, m_stbEntries);
    SetDlgItemText(IDC_STATIC_STB_SUMMARY, FormatFolderSummary(Summarize(m_stbEntries)));
}

void CFileBrowserDlg::QueryStbFreeSpace()
{
    SetDlgItemText(IDC_STATIC_STB_FREE, kFreeSpaceUnknown);
    m_nStbFreeBytes = 0;
    std::optional<std::int64_t> bytes;
    const std::string device = m_strChosenDevice;
    RunStbExchange([&](StbStorage& box) { bytes = box.QueryFreeSpace(device); });
    if (!bytes)
        return;
    m_nStbFreeBytes = *bytes;
    SetDlgItemText(IDC_STATIC_STB_FREE, FormatFreeSpace(m_nStbFreeBytes));
}

void CFileBrowserDlg::UnmountDisk()
{
    RunStbExchange([](StbStorage& box) { box.Unmount(); });
}

void CFileBrowserDlg::OnDiskChange(int index)
{
    if (index < 0 || index >= static_cast<int>(m_disks.size()))
        return;
    const std::string& device = m_disks[static_cast<std::size_t>(index)].device;
    if (device == m_strChosenDevice)
        return;
    m_strChosenDevice = device;
    if (MountDisk() > 0)
        ListStbFolder();
}

void CFileBrowserDlg::OnPcButton()
{
    const std::optional<std::string> folder =
        m_services.files.PickFolder("Select Folder", m_strPcPath);
    if (!folder || *folder == m_strPcPath)
        return;
    m_strPcPath = *folder;
    ScanPcFolder();
}

void CFileBrowserDlg::OpenRow(BrowserSide side, int row)
{
    const std::vector<FileEntry>& entries = Entries(side);
    if (row <= 0 || row > static_cast<int>(entries.size()))
        return;
    const FileEntry& entry = entries[static_cast<std::size_t>(row - 1)];
    if (side == BrowserSide::Pc) {
        if (std::optional<std::string> folder = PcFolderAfterOpen(m_strPcPath, entry)) {
            m_strPcPath = std::move(*folder);
            ScanPcFolder();
        }
    } else if (std::optional<std::string> folder = StbFolderAfterOpen(m_strStbPath, entry)) {
        m_strStbPath = std::move(*folder);
        ListStbFolder();
    }
}

void CFileBrowserDlg::OnRightClick(BrowserSide side, int row, const QPoint& globalPos)
{
    if (row <= 0 || Grid(side).GetSelectedCellRange().GetMaxRow() <= 0)
        return;
    m_nPopupSide = side;
    ::TrackPopupMenu(GetPopupTemplate(IDR_POPUP_MENU, kPopupDelete), *this, this, globalPos);
}

void CFileBrowserDlg::OpenMenuFromKeyboard(BrowserSide side)
{
    // What a right click on the focused row would open, at that row.
    CGridCtrl& grid = Grid(side);
    const int row = grid.GetFocusCell().row;
    QRect cell = grid.GetCellRect(row, 1);
    if (!grid.viewport()->rect().intersects(cell))
        cell = QRect(grid.viewport()->rect().topLeft(), QSize(1, 1));
    OnRightClick(side, row, grid.viewport()->mapToGlobal(cell.center()));
}

bool CFileBrowserDlg::eventFilter(QObject* watched, QEvent* event)
{
    const BrowserSide side = SideOf(watched);
    if (side != BrowserSide::None && event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        // Enter closes nothing here: on a grid it opens the focused row, as a double-click.
        if (IsEnter(key) && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            OpenRow(side, Grid(side).GetFocusCell().row);
            return true;
        }
        if (IsMenuKey(key)) {
            OpenMenuFromKeyboard(side);
            return true;
        }
        // Delete does what the context menu's "delete" would, where that menu would open.
        if (IsPlainKey(key, Qt::Key_Delete)) {
            if (Grid(side).GetSelectedCellRange().GetMaxRow() > 0) {
                m_nPopupSide = side;
                OnDelete();
            }
            return true;
        }
    }
    return CDialog::eventFilter(watched, event);
}

void CFileBrowserDlg::OnTransfer(TransferDirection direction)
{
    const bool download = direction == TransferDirection::Download;
    TransferSelection selection =
        SplitSelection(SelectedEntries(download ? BrowserSide::Stb : BrowserSide::Pc));
    if (!selection.folders.empty()) {
        CWaitDlg scan(m_services, this);
        scan.m_nMode = download ? WaitMode::StbScan : WaitMode::PcScan;
        scan.m_strStbAddress = m_strStbAddress;
        scan.m_strPcPath = m_strPcPath;
        scan.m_strStbPath = m_strStbPath;
        scan.m_folders = std::move(selection.folders);
        // A failed or cancelled scan has said what there was to say.
        if (scan.DoModal() != 1)
            return;
        selection.files.Append(scan.m_result);
    }
    if (!CheckTransferStart(selection.files, download ? m_nPcFreeBytes : m_nStbFreeBytes,
                            m_services.messages))
        return;

    CProgressDlg progress(m_services, this);
    progress.m_nDirection = direction;
    progress.m_strStbAddress = m_strStbAddress;
    progress.m_strPcPath = m_strPcPath;
    progress.m_strStbPath = m_strStbPath;
    progress.m_strChosenDevice = m_strChosenDevice;
    progress.m_list = std::move(selection.files);
    progress.DoModal();
    // Whatever arrived before a failure or a cancel is shown too.
    if (download) {
        ScanPcFolder();
    } else {
        ListStbFolder();
        QueryStbFreeSpace();
    }
}

void CFileBrowserDlg::OnDelete()
{
    const BrowserSide side = m_nPopupSide;
    const std::vector<FileEntry> rows = SelectedEntries(side);
    if (rows.empty() || !AskYesNo(m_services.messages, MsgId::DeleteDirectoryAndFiles))
        return;
    if (side == BrowserSide::Pc)
        DeletePcRows(rows);
    else
        DeleteStbRows(rows);
}

void CFileBrowserDlg::DeletePcRows(const std::vector<FileEntry>& rows)
{
    // A large tree takes a while: off the window thread, which keeps painting.
    const std::string folder = m_strPcPath;
    RunBusyCall(this, m_services.messages,
                [&](BusyCall& call) { DeletePcEntries(folder, rows, call.messages()); });
    ScanPcFolder();
}

void CFileBrowserDlg::DeleteStbRows(const std::vector<FileEntry>& rows)
{
    CWaitDlg deletion(m_services, this);
    deletion.m_nMode = WaitMode::StbDelete;
    deletion.m_strStbAddress = m_strStbAddress;
    deletion.m_strPcPath = m_strPcPath;
    deletion.m_strStbPath = m_strStbPath;
    deletion.m_rows = rows;
    deletion.DoModal();
    // What went before a failure or a cancel is gone all the same.
    ListStbFolder();
    QueryStbFreeSpace();
}

std::vector<FileEntry> CFileBrowserDlg::SelectedEntries(BrowserSide side) const
{
    std::vector<FileEntry> selected;
    if (side == BrowserSide::None)
        return selected;
    const CGridCtrl& grid = Grid(side);
    const std::vector<FileEntry>& entries = Entries(side);
    for (int row : grid.GetSelectedRows()) {
        if (row <= 0 || row > static_cast<int>(entries.size()) || !grid.IsCellSelected(row, 1))
            continue;
        const FileEntry& entry = entries[static_cast<std::size_t>(row - 1)];
        if (!entry.isParent())
            selected.push_back(entry);
    }
    return selected;
}

BrowserSide CFileBrowserDlg::SideOf(const QObject* grid) const
{
    if (grid == m_gridPc)
        return BrowserSide::Pc;
    if (grid == m_gridStb)
        return BrowserSide::Stb;
    return BrowserSide::None;
}

CGridCtrl& CFileBrowserDlg::Grid(BrowserSide side) const
{
    return side == BrowserSide::Stb ? *m_gridStb : *m_gridPc;
}

const std::vector<FileEntry>& CFileBrowserDlg::Entries(BrowserSide side) const
{
    return side == BrowserSide::Stb ? m_stbEntries : m_pcEntries;
}
