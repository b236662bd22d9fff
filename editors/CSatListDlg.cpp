#include "editors/CSatListDlg.h"

#include "chdb/ChannelCompaction.h"
#include "chdb/SatListEdits.h"
#include "editors/CChannelInfoDlg.h"
#include "editors/CSatInfoDlg.h"
#include "editors/CTpInfoDlg.h"
#include "editors/EditorControls.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/ScreenFit.h"
#include "res/Artwork.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "util/MessageService.h"


namespace {

constexpr unsigned kHandOverFiles = ChannelDatabase::kChData | ChannelDatabase::kChIdx;
constexpr int kDefaultRows = 10;

bool Ask(MessageService& messages, const std::string& text)
{
    return messages.Show(text, MessageService::Buttons::YesNo) == MessageService::Answer::Yes;
}

void Tell(MessageService& messages, MsgId id, const std::string& detail)
{
    messages.Show(GetMessageText(id) + "\n\n" + detail, MessageService::Buttons::Ok);
}

} // namespace

CSatListDlg::CSatListDlg(MessageService& messages, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_SAT_LIST), parent), m_messages(messages)
{
    m_gridSat = static_cast<CGridCtrl*>(InstallControl(IDC_GRID_SATELLITE, new CGridCtrl));
    m_gridTp = static_cast<CGridCtrl*>(InstallControl(IDC_GRID_TRANSPONDER, new CGridCtrl));
    m_gridChannel = static_cast<CGridCtrl*>(InstallControl(IDC_GRID_CHANNEL, new CGridCtrl));
    connect(m_gridSat, &CGridCtrl::gridNotify, this,
            [this](int code, int row, int) { OnSatelliteNotify(code, row); });
    connect(m_gridSat, &CGridCtrl::rightClicked, this,
            [this](int row, int, const QPoint&) { OnSatelliteRightClick(row); });
    connect(m_gridTp, &CGridCtrl::gridNotify, this,
            [this](int code, int row, int) { OnTransponderNotify(code, row); });
    connect(m_gridTp, &CGridCtrl::rightClicked, this,
            [this](int row, int, const QPoint& at) { OnTransponderRightClick(row, at); });
    connect(m_gridChannel, &CGridCtrl::rightClicked, this,
            [this](int row, int, const QPoint& at) { OnChannelRightClick(row, at); });
    for (CGridCtrl* grid : {m_gridSat, m_gridTp, m_gridChannel})
        grid->installEventFilter(this);

    MapCommand(ID_EDIT_TRANSPONDER, [this] { OnEditTransponder(); });
    MapCommand(ID_ADD_TRANSPONDER, [this] { OnAddTransponder(); });
    MapCommand(ID_DELETE_TRANSPONDER, [this] { OnDeleteTransponder(); });
    MapCommand(ID_EDIT_CHANNEL, [this] { OnEditChannel(); });
    MapCommand(ID_ADD_CHANNEL, [this] { OnAddChannel(); });
    MapCommand(ID_DELETE_CHANNEL, [this] { OnDeleteChannel(); });
    auto onContextRow = [this](CCmdUI& cmd) { cmd.Enable(m_nContextRow >= 0); };
    for (int id : {ID_EDIT_TRANSPONDER, ID_DELETE_TRANSPONDER, ID_EDIT_CHANNEL, ID_DELETE_CHANNEL})
        MapUpdateCommand(id, onContextRow);
}

CSatListDlg::~CSatListDlg() = default;

void CSatListDlg::OnInitDialog()
{
    RecordLayout();

    // The hand-over: the main window has just written these; they are ours now.
    const bool read = m_db.ReadBackFromFolder(m_strWorkDir, kHandOverFiles);
    ChannelDatabase::RemoveFiles(m_strWorkDir, kHandOverFiles);
    if (!read) {
        ShowMessage(m_messages, MsgId::FileReadError);
        EndDialog(IDCANCEL);
        return;
    }
    m_bLoaded = true;

    for (int id : {IDB_HD, IDB_SCRAMBLED, IDB_LOCK, IDB_TV, IDB_RADIO})
        m_imgMarks.Add(RenderBitmap(id, devicePixelRatioF()));
    m_gridChannel->SetImageList(&m_imgMarks);
    SetUpGrids();
    FillSatelliteGrid();
    m_gridSat->setFocus();
    SetSwallowEnterEscape(true);
}

void CSatListDlg::RecordLayout()
{
    // The grids are made exactly the visible rows high, as many as the screen has room for;
    // the frame and the window follow.
    const int frameWidth = 2 * m_gridChannel->frameWidth();
    const int rows =
        GridRowsOnScreen(*this, *m_gridChannel, ClientSize().height(), m_nGridRows, kDefaultRows, m_nRowHeight);
    const int rowsHigh = rows * m_nRowHeight + frameWidth;
    const int delta = rowsHigh - m_gridChannel->height();
    QWidget* frame = GetDlgItem(IDC_FRAME_MAIN);
    frame->resize(frame->width(), frame->height() + delta);
    for (CGridCtrl* grid : {m_gridSat, m_gridTp, m_gridChannel})
        grid->resize(grid->width(), rowsHigh);
    const QSize client = ClientSize();
    SetClientSize({client.width(), client.height() + delta});
}

void CSatListDlg::OnOK()
{
    Close(); // Enter is swallowed; nothing but the close box ends the editor
}

void CSatListDlg::OnCancel()
{
    Close();
}

void CSatListDlg::Close()
{
    // A file written only in part is removed, so the main window never reads half a table.
    if (m_bLoaded && !m_db.SaveToFolder(m_strWorkDir, kHandOverFiles))
        ChannelDatabase::RemoveFiles(m_strWorkDir, kHandOverFiles);
    m_tpRows.clear();
    m_channelRows.clear();
    EndDialog(IDCANCEL);
}

int CSatListDlg::FocusedSatellite() const
{
    const int row = m_gridSat->GetFocusCell().row;
    return row >= 0 && row < m_db.satelliteCount() ? row : -1;
}

int CSatListDlg::FocusedTransponder() const
{
    const int row = m_gridTp->GetFocusCell().row;
    return row >= 0 && row < static_cast<int>(m_tpRows.size()) ? m_tpRows[std::size_t(row)] : -1;
}

int CSatListDlg::ContextTransponder() const
{
    const int row = m_nContextRow;
    return row >= 0 && row < static_cast<int>(m_tpRows.size()) ? m_tpRows[std::size_t(row)] : -1;
}

int CSatListDlg::ContextChannel() const
{
    const int row = m_nContextRow;
    return row >= 0 && row < static_cast<int>(m_channelRows.size())
               ? m_channelRows[std::size_t(row)]
               : -1;
}

void CSatListDlg::EditSatellite(int row)
{
    if (row < 0 || row >= m_db.satelliteCount())
        return;
    CSatInfoDlg dialog(m_db, m_messages, this);
    dialog.m_satInfo = m_db.satellite(row);
    if (dialog.DoModal() != IDOK)
        return;
    m_db.setSatellite(row, dialog.m_satInfo);
    m_gridSat->SetItemText(row, 0, NameForDisplay(dialog.m_satInfo.name()));
}

void CSatListDlg::OnEditTransponder()
{
    const int index = ContextTransponder();
    if (index < 0)
        return;
    CTpInfoDlg dialog(m_db, m_tpRows, m_messages, this);
    dialog.m_tpInfo = m_db.transponder(index);
    dialog.m_nOwnIndex = index;
    if (dialog.DoModal() != IDOK)
        return;
    TpInfo tp = m_db.transponder(index);
    tp.setFrequency(dialog.m_tpInfo.frequency());
    tp.setSymbolRate(dialog.m_tpInfo.symbolRate());
    tp.setFec(dialog.m_tpInfo.fec());
    tp.setPolarization(dialog.m_tpInfo.polarization());
    tp.setPilot(dialog.m_tpInfo.pilot());
    m_db.setTransponder(index, tp);
    m_gridTp->SetItemText(m_nContextRow, 0, QString::fromStdString(TransponderRowText(tp)));
}

void CSatListDlg::OnAddTransponder()
{
    const int sat = FocusedSatellite();
    if (sat < 0)
        return;
    if (const auto refusal = TransponderLimitMessage(m_db, sat)) {
        m_messages.Show(*refusal, MessageService::Buttons::Ok);
        return;
    }
    CTpInfoDlg dialog(m_db, m_tpRows, m_messages, this);
    dialog.m_bAddMode = true;
    if (dialog.DoModal() == IDOK)
        AppendTransponder(dialog.m_tpInfo);
}

void CSatListDlg::AppendTransponder(const TpInfo& values)
{
    const int index = AddTransponder(m_db, FocusedSatellite(), values);
    if (index < 0)
        return;
    FillTransponderGrid();
    const int last = m_gridTp->GetRowCount() - 1;
    SelectRow(*m_gridTp, last);
    m_gridTp->SetScrollPos(m_gridTp->GetScrollLimit());
    FillChannelGrid();
    Tell(m_messages, MsgId::AddTransponder, TransponderRowText(m_db.transponder(index)));
}

void CSatListDlg::OnDeleteTransponder()
{
    const int index = ContextTransponder();
    if (index < 0)
        return;
    std::string question = GetMessageText(MsgId::DeleteTransponderAndChannels) + "\n\n" +
                           TransponderRowText(m_db.transponder(index)) + "\n";
    for (int r = 0; r < m_gridChannel->GetRowCount(); ++r)
        question += m_gridChannel->GetItemText(r, 0).toStdString() + "\n";
    if (Ask(m_messages, question))
        RemoveTransponder(m_nContextRow);
}

void CSatListDlg::RemoveTransponder(int row)
{
    if (row < 0 || row >= static_cast<int>(m_tpRows.size()))
        return;
    if (DeleteTransponder(m_db, FocusedSatellite(), m_tpRows[std::size_t(row)]) > 0)
        m_bChannelsChanged = true;
    FillTransponderGrid();
}

void CSatListDlg::OnEditChannel()
{
    const int index = ContextChannel();
    if (index < 0)
        return;
    ChannelInfo channel = m_db.channel(index);
    CChannelInfoDlg dialog(m_db, m_messages, this);
    dialog.m_values = ChannelValues::From(channel);
    dialog.m_nKey = channel.key();
    dialog.m_nSelector = channel.selector();
    dialog.m_strPin = m_strPin;
    if (dialog.DoModal() != IDOK)
        return;
    ApplyChannelEdit(channel, dialog.m_values);
    m_db.setChannel(index, channel);
    WriteChannelRow(m_nContextRow);
}

void CSatListDlg::OnAddChannel()
{
    const int sat = FocusedSatellite();
    const int tpIndex = FocusedTransponder();
    if (sat < 0 || tpIndex < 0)
        return;
    if (const auto refusal = ChannelLimitMessage(m_db)) {
        m_messages.Show(*refusal, MessageService::Buttons::Ok);
        return;
    }
    CChannelInfoDlg dialog(m_db, m_messages, this);
    dialog.m_bAddMode = true;
    dialog.m_nSelector = NewChannelSelector(m_db);
    dialog.m_strPin = m_strPin;
    if (dialog.DoModal() != IDOK)
        return;
    const std::uint16_t tpId = AssignTransponderId(m_db, m_tpRows, tpIndex);
    const int index = AddChannel(m_db, m_db.satellite(sat).id(), tpId, dialog.m_values);
    if (index < 0)
        return;
    m_bChannelsChanged = true;
    FillChannelGrid();
    SelectRow(*m_gridChannel, m_gridChannel->GetRowCount() - 1);
    m_gridChannel->SetScrollPos(m_gridChannel->GetScrollLimit());
    Tell(m_messages, MsgId::AddChannel, NameForDisplay(m_db.channel(index).name()).toStdString());
}

void CSatListDlg::OnDeleteChannel()
{
    const int index = ContextChannel();
    if (index < 0)
        return;
    const std::string row = m_gridChannel->GetItemText(m_nContextRow, 0).toStdString();
    if (!Ask(m_messages, GetMessageText(MsgId::DeleteChannel) + "\n\n" + row))
        return;
    if (CompactChannels(m_db, {index}) > 0)
        m_bChannelsChanged = true;
    FillChannelGrid();
}
