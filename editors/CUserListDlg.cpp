#include "editors/CUserListDlg.h"

#include "chdb/UserListEdits.h"
#include "editors/CRenameDlg.h"
#include "editors/EditorControls.h"
#include "editors/ListGrids.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/ScreenFit.h"
#include "res/Artwork.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "util/MessageService.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr unsigned kHandBackFiles = ChannelDatabase::kChIdx | ChannelDatabase::kMenuData;
constexpr int kDefaultRows = 10;

} // namespace

CUserListDlg::CUserListDlg(MessageService& messages, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_USER_LIST), parent), m_messages(messages)
{
    m_gridList = static_cast<CGridCtrl*>(InstallControl(IDC_GRID_USER_LIST, new CGridCtrl));
    m_gridChannel = static_cast<CGridCtrl*>(InstallControl(IDC_GRID_CHANNEL, new CGridCtrl));
    for (CGridCtrl* grid : {m_gridList, m_gridChannel})
        grid->installEventFilter(this);
    connect(m_gridChannel, &CGridCtrl::gridNotify, this, [this](int code, int row, int) {
        if (code == NM_DBLCLK && row >= 0)
            AddSelected();
    });
    connect(&listCombo(), &QComboBox::currentIndexChanged, this, [this] { FillListGrid(); });
    connect(&filterCombo(), &QComboBox::currentIndexChanged, this, [this] { FillChannelGrid(); });

    MapCommand(IDC_BUTTON_ADD, [this] { AddSelected(); });
    MapCommand(IDC_BUTTON_REMOVE, [this] { RemoveSelected(); });
    MapCommand(IDC_BUTTON_RENAME, [this] { RenameList(); });
    // The keys that do the same, where a user looks for them.
    GetDlgItem(IDC_BUTTON_ADD)->setToolTip(tr("Add the selected channels (Enter)"));
    GetDlgItem(IDC_BUTTON_REMOVE)->setToolTip(tr("Remove the selected channels (Delete)"));
    GetDlgItem(IDC_BUTTON_RENAME)->setToolTip(tr("Rename the list (F2)"));
    m_gridList->setToolTip(tr("Ctrl+Up, Ctrl+Down: move the selected channels"));
}

CUserListDlg::~CUserListDlg() = default;

QComboBox& CUserListDlg::listCombo() const
{
    return *DlgItem<QComboBox>(IDC_COMBO_USER_LIST);
}

QComboBox& CUserListDlg::filterCombo() const
{
    return *DlgItem<QComboBox>(IDC_COMBO_FILTER);
}

int CUserListDlg::currentList() const
{
    return std::max(listCombo().currentIndex(), 0);
}

void CUserListDlg::OnInitDialog()
{
    RecordLayout();

    // The hand-over: the main window has just written these; they are ours now.
    const bool read = m_db.ReadBackFromFolder(m_strWorkDir, ChannelDatabase::kAllFiles);
    ChannelDatabase::RemoveFiles(m_strWorkDir, ChannelDatabase::kAllFiles);
    if (!read) {
        ShowMessage(m_messages, MsgId::FileReadError);
        EndDialog(IDCANCEL);
        return;
    }
    m_bLoaded = true;

    for (int id : {IDB_HD, IDB_SCRAMBLED, IDB_LOCK})
        m_imgMarks.Add(RenderBitmap(id, devicePixelRatioF()));
    SetUpGrids();
    FillListCombo();
    FillFilterCombo();
    FillListGrid();
    FillChannelGrid();
    m_gridChannel->setFocus(); // where the picking starts
    SetSwallowEnterEscape(true);
}

void CUserListDlg::RecordLayout()
{
    // The grids are made exactly the visible rows high, as many as the screen has room for;
    // the frame, the window and the buttons below follow, "<<" and "X" stay between the grids.
    const int frameWidth = 2 * m_gridChannel->frameWidth();
    const int rows =
        GridRowsOnScreen(*this, *m_gridChannel, ClientSize().height(), m_nGridRows, kDefaultRows, m_nRowHeight);
    m_nVisibleRows = rows;
    const int rowsHigh = rows * m_nRowHeight + frameWidth;
    const int delta = rowsHigh - m_gridChannel->height();
    QWidget* frame = GetDlgItem(IDC_FRAME_MAIN);
    frame->resize(frame->width(), frame->height() + delta);
    for (CGridCtrl* grid : {m_gridList, m_gridChannel})
        grid->resize(grid->width(), rowsHigh);
    for (int id : {IDC_BUTTON_ADD, IDC_BUTTON_REMOVE})
        GetDlgItem(id)->move(GetDlgItem(id)->pos() + QPoint(0, delta / 2));
    GetDlgItem(IDCANCEL)->move(GetDlgItem(IDCANCEL)->pos() + QPoint(0, delta));
    const QSize client = ClientSize();
    SetClientSize({client.width(), client.height() + delta});
}

void CUserListDlg::FillListCombo()
{
    QComboBox& combo = listCombo();
    const QSignalBlocker quiet(combo);
    combo.clear();
    for (int k = 1; k <= ChannelDatabase::kUserListCount; ++k)
        combo.addItem(NameForDisplay(m_db.userListDisplayName(k)));
    combo.setCurrentIndex(std::clamp(m_nFirstList, 0, ChannelDatabase::kUserListCount - 1));
}

void CUserListDlg::FillFilterCombo()
{
    QComboBox& combo = filterCombo();
    const QSignalBlocker quiet(combo);
    combo.clear();
    for (const std::string& entry : UserListFilters(m_satList, kind()))
        combo.addItem(NameForDisplay(entry));
    combo.setCurrentIndex(DefaultUserListFilter(kind()));
}

void CUserListDlg::OnOK()
{
    Close(); // Enter is swallowed; nothing but "Exit" and the close box ends the editor
}

void CUserListDlg::OnCancel()
{
    Close();
}

void CUserListDlg::Close()
{
    // A file written only in part is removed, so the main window never reads half a table.
    if (m_bLoaded && !m_db.SaveToFolder(m_strWorkDir, kHandBackFiles))
        ChannelDatabase::RemoveFiles(m_strWorkDir, kHandBackFiles);
    m_channelRows.clear();
    m_satList.clear();
    m_casList.clear();
    EndDialog(IDCANCEL);
}

void CUserListDlg::AddSelected()
{
    std::vector<int> indices;
    for (int row : m_gridChannel->GetSelectedRows())
        if (row < static_cast<int>(m_channelRows.size()))
            indices.push_back(m_channelRows[std::size_t(row)]);
    if (indices.empty())
        return;
    const UserListAddition addition =
        AddToUserList(m_db, currentList(), kind(), indices, m_messages);
    if (addition.added == 0)
        return;
    FillListGrid();
    const int last = addition.first + addition.added - 1;
    SelectRowBlock(*m_gridList, addition.first, last, last);
    if (m_gridList->GetRowCount() > m_nVisibleRows)
        m_gridList->SetScrollPos(m_gridList->GetScrollLimit());
}

void CUserListDlg::RemoveSelected()
{
    const std::vector<int> rows = m_gridList->GetSelectedRows();
    if (rows.empty() || !AskYesNo(m_messages, MsgId::DeleteChannels))
        return;
    const int scrolledLines = m_gridList->GetScrollPos() / m_nRowHeight;
    RemoveFromUserList(m_db, currentList(), kind(), rows);
    FillListGrid();
    m_gridList->ScrollLines(scrolledLines);
    // The keyboard goes on from where the first removed entry was.
    const int focus = std::min(rows.front(), m_gridList->GetRowCount() - 1);
    if (focus >= 0)
        m_gridList->SetFocusCell(focus, 0);
}

void CUserListDlg::MoveSelected(MoveDirection direction)
{
    const std::optional<RowMove> move =
        MoveUserListEntries(m_db, currentList(), kind(), m_gridList->GetSelectedRows(), direction);
    if (!move)
        return;
    const std::vector<std::int32_t> entries = m_db.userListEntries(currentList(), kind());
    for (int row = move->first; row <= move->last; ++row)
        WriteRow(*m_gridList, row, entries[std::size_t(row)]);
    SelectRowBlock(*m_gridList, move->blockFirst, move->blockLast, move->focus);
    m_gridList->EnsureVisible(move->focus, 0);
    m_gridList->Invalidate();
}

void CUserListDlg::RenameList()
{
    const int list = currentList();
    CRenameDlg dialog(m_messages, this);
    dialog.m_strName = m_db.userListDisplayName(list + 1);
    dialog.m_nLimit = static_cast<int>(ChannelDatabase::kUserListNameSize);
    if (dialog.DoModal() != IDOK)
        return;
    switch (RenameUserList(m_db, list, dialog.m_strName)) {
    case RenameOutcome::Unchanged:
        return;
    case RenameOutcome::NameExists:
        ShowMessage(m_messages, MsgId::NameAlreadyExists);
        return;
    case RenameOutcome::Renamed: {
        QComboBox& combo = listCombo();
        const QSignalBlocker quiet(combo);
        combo.setItemText(list, NameForDisplay(dialog.m_strName));
        combo.setCurrentIndex(list);
        return;
    }
    }
}
