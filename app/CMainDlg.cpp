#include "app/CMainDlg.h"

#include "app/CChNumDisplayDlg.h"
#include "app/ConnectAddress.h"
#include "chdb/BackupFile.h"
#include "filebrowser/ui/CFileBrowserDlg.h"
#include "filebrowser/ui/CSelectDiskDlg.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/BusyCall.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/ScreenFit.h"
#include "res/Artwork.h"
#include "res/DialogTemplates.h"
#include "res/MenuTemplates.h"
#include "res/ResourceIds.h"
#include "stblink/DatabaseTransfer.h"
#include "util/MessageService.h"
#include "util/Settings.h"

#include <QScreen>
#include <QStyle>

#include <filesystem>

namespace {

constexpr const char* kBackupTitle = "Channel Backup File";
constexpr const char* kBackupFilter = "Channel Backup File(*.ech)|*.ech|";
constexpr int kGridIds[3] = {IDC_GRID_CATEGORY, IDC_GRID_GROUP, IDC_GRID_CHANNEL};

} // namespace

CMainDlg::CMainDlg(MainWindowServices services, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_MAIN), parent), m_services(services)
{
    CGridCtrl** grids[3] = {&m_gridCategory, &m_gridGroup, &m_gridChannel};
    for (int i = 0; i < 3; ++i) {
        *grids[i] = new CGridCtrl;
        InstallControl(kGridIds[i], *grids[i]);
    }
    connect(m_gridCategory, &CGridCtrl::gridNotify, this,
            [this](int code, int row, int) { OnCategoryNotify(code, row); });
    connect(m_gridGroup, &CGridCtrl::gridNotify, this,
            [this](int code, int row, int) { OnGroupNotify(code, row); });

    MapCommand(ID_CONNECT_STB, [this] { OnConnectStb(); });
    MapCommand(ID_UPDATE_STB, [this] { OnUpdateStb(); });
    MapCommand(ID_EXPORT_DATA, [this] { OnExportData(); });
    MapCommand(ID_IMPORT_DATA, [this] { OnImportData(); });
    MapCommand(ID_EXIT, [this] { OnExit(); });
    MapCommand(ID_CHANNEL_NUMBER_DISPLAY, [this] { OnChannelNumberDisplay(); });
    MapCommand(IDC_RADIO_TV, [this] { OnListSwitch(); });
    MapCommand(IDC_RADIO_RADIO, [this] { OnListSwitch(); });

    auto whileDataShown = [this](CCmdUI& cmd) { cmd.Enable(m_state.hasData()); };
    MapUpdateCommand(ID_UPDATE_STB, whileDataShown);
    MapUpdateCommand(ID_EXPORT_DATA, whileDataShown);
    MapCommand(ID_EDIT_SAT_LISTS, [this] { OnEditSatLists(); });
    MapUpdateCommand(ID_EDIT_SAT_LISTS, whileDataShown);
    MapCommand(ID_FILE_BROWSER, [this] { OnFileBrowser(); });
    MapHistoryCommands();
    ConnectChannelOperations();
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::OnInitDialog()
{
    setWindowIcon(ProgramIcon());
    setWindowTitle(QString::fromStdString(GetMessageText(MsgId::ModelName)));
    // The menu bar first: the window's size and place on the screen count it.
    SetMenu(GetMenuTemplate(IDR_MAIN_MENU));

    RecordLayout();
    m_nGridRows = ReadGridRowCount();
    if (m_nGridRows != kGridRowsDefault)
        Resize();
    if (QScreen* area = screen()) {
        QRect frame = FrameRect();
        frame.moveCenter(area->availableGeometry().center());
        move(frame.left(), TopOnScreen(frame.top(), frame.height(), area->availableGeometry()));
    }

    std::error_code ec;
    m_strBackupPath = std::filesystem::current_path(ec).string();
    m_strWorkDir = m_services.workDir.empty() ? m_strBackupPath : m_services.workDir.string();

    for (int id : {IDB_HD, IDB_SCRAMBLED, IDB_LOCK})
        m_imgMarks.Add(RenderBitmap(id, devicePixelRatioF()));
    m_gridChannel->SetImageList(&m_imgMarks);

    SetUpGrids();
    ShowListSelector();
    SetSwallowEnterEscape(true);
}

void CMainDlg::OnCancel()
{
    OnExit();
}

void CMainDlg::OnExit()
{
    if (m_state.hasData() && !AskYesNo(m_services.messages, MsgId::ExitProgram))
        return;
    EndDialog(IDCANCEL);
}

void CMainDlg::OnConnectStb()
{
    DownloadResult result;
    RunBusyCall(this, m_services.messages, [&](BusyCall& call) {
        result = DownloadDatabase(m_state, m_strWorkDir, call.messages(), AskAddressFor(call),
                                  LinkFor(call));
        if (result.status == DownloadStatus::Success)
            KeepInHistory(BackupKind::Downloaded, call.messages());
    });
    switch (result.status) {
    case DownloadStatus::Cancelled:
    case DownloadStatus::FailedDataKept:
        break;
    case DownloadStatus::FailedNoData:
        ShowNoData();
        break;
    case DownloadStatus::Success:
        ShowListSelector();
        FillCategoryGrid();
        break;
    }
}

void CMainDlg::OnUpdateStb()
{
    RunBusyCall(this, m_services.messages, [&](BusyCall& call) {
        if (UpdateDatabase(m_state, m_strWorkDir, call.messages(), AskAddressFor(call),
                           LinkFor(call)) == UpdateStatus::Success)
            KeepInHistory(BackupKind::Uploaded, call.messages());
    });
}

void CMainDlg::OnFileBrowser()
{
    const std::optional<std::string> address = AskConnectAddress(m_state.stbAddress, this);
    if (!address)
        return;
    const BrowserServices services{m_services.messages, m_services.files, m_services.link};
    CSelectDiskDlg select(*address, services, this);
    if (select.DoModal() != IDOK)
        return;
    CFileBrowserDlg browser(services, this);
    browser.m_strStbAddress = *address;
    // The PC side starts where the user started the program, not in its private folder.
    std::error_code ec;
    browser.m_strPcPath = std::filesystem::current_path(ec).string();
    if (ec)
        browser.m_strPcPath = "/";
    browser.m_strChosenDevice = select.chosenDevice();
    browser.m_disks = select.disks();
    browser.DoModal();
    RememberAddress(m_state.stbAddress, *address);
}

AskAddress CMainDlg::AskAddressFor(BusyCall& call)
{
    return [this, &call](const std::string& prefill) {
        return call.OnUiThread([&] { return AskConnectAddress(prefill, this); });
    };
}

LinkOptions CMainDlg::LinkFor(BusyCall& call) const
{
    LinkOptions link = m_services.link;
    link.cancel = &call.cancel();
    return link;
}

void CMainDlg::OnExportData()
{
    const auto path = m_services.files.SaveFile({kBackupTitle, kBackupFilter, "ech", m_strBackupPath});
    if (!path)
        return;
    m_strBackupPath = *path;
    if (ExportBackup(m_state.db, *path, m_services.messages))
        ShowMessage(m_services.messages, MsgId::DataExported, *path);
}

void CMainDlg::OnImportData()
{
    if (const std::optional<std::string> path = AskBackupFile())
        ImportBackupFile(*path);
}

std::optional<std::string> CMainDlg::AskBackupFile()
{
    auto path = m_services.files.OpenFile({kBackupTitle, kBackupFilter, "", m_strBackupPath});
    if (path)
        m_strBackupPath = *path;
    return path;
}

void CMainDlg::ImportBackupFile(const std::filesystem::path& path)
{
    auto imported = ReadBackup(path, m_services.messages);
    if (!imported)
        return; // nothing of the shown data has changed
    ShowNoData();
    m_state.ApplyImport(std::move(*imported));
    ShowListSelector();
    FillCategoryGrid();
}

void CMainDlg::OnChannelNumberDisplay()
{
    CChNumDisplayDlg dialog(m_services.messages, this);
    dialog.m_nRows = m_nGridRows;
    if (dialog.DoModal() != IDOK || dialog.m_nRows == m_nGridRows)
        return;
    m_nGridRows = dialog.m_nRows;
    Resize();
    WriteGridRowCount(m_nGridRows);
}

void CMainDlg::OnListSwitch()
{
    if (!m_state.hasData()) {
        CheckRadioButton(IDC_RADIO_TV, IDC_RADIO_RADIO, 0); // a click on no data shows neither
        return;
    }
    const int list = GetCheckedRadioButton(IDC_RADIO_TV, IDC_RADIO_RADIO) == IDC_RADIO_RADIO ? 1 : 0;
    if (list == m_state.list)
        return;
    m_state.list = list;
    FillCategoryGrid();
}

void CMainDlg::ShowListSelector()
{
    const int check = !m_state.hasData() ? 0 : (m_state.list == 1 ? IDC_RADIO_RADIO : IDC_RADIO_TV);
    CheckRadioButton(IDC_RADIO_TV, IDC_RADIO_RADIO, check);
}

void CMainDlg::RecordLayout()
{
    // The resource places the grids in dialog units of our font; their height is made exactly
    // ten rows so that the row setting means what it says, and the window follows.
    const int frameWidth = m_gridChannel->frameWidth();
    const int tenRows = kGridRowsDefault * m_nRowHeight + 2 * frameWidth;
    const int delta = tenRows - m_gridChannel->height();
    QWidget* frame = GetDlgItem(IDC_FRAME_MAIN);
    frame->resize(frame->width(), frame->height() + delta);
    CGridCtrl* grids[3] = {m_gridCategory, m_gridGroup, m_gridChannel};
    for (int i = 0; i < 3; ++i) {
        grids[i]->resize(grids[i]->width(), tenRows);
        m_layoutGrids[i] = grids[i]->geometry();
    }
    const QSize client = ClientSize();
    SetClientSize({client.width(), client.height() + delta});
    m_layoutClient = ClientSize();
    m_layoutFrame = frame->geometry();
}

void CMainDlg::Resize()
{
    // The window shows no more rows than its screen has room for; the setting stays as chosen.
    int rows = m_nGridRows;
    const QScreen* area = screen();
    if (area) {
        const int chrome = FrameRect().height() - ClientSize().height();
        rows = RowsThatFit(m_nGridRows, kGridRowsDefault, m_nRowHeight,
                           m_layoutClient.height() + chrome, area->availableGeometry().height());
    }
    const int d = (rows - kGridRowsDefault) * m_nRowHeight;
    const int oldHeight = frameGeometry().height();
    SetClientSize({m_layoutClient.width(), m_layoutClient.height() + d});
    GetDlgItem(IDC_FRAME_MAIN)->setGeometry(m_layoutFrame.adjusted(0, 0, 0, d));
    CGridCtrl* grids[3] = {m_gridCategory, m_gridGroup, m_gridChannel};
    for (int i = 0; i < 3; ++i)
        grids[i]->setGeometry(m_layoutGrids[i].adjusted(0, 0, 0, d));
    // The window grows around its middle: the top moves up by half of what it gains, but not
    // off the screen.
    if (isVisible()) {
        const int top = y() - (frameGeometry().height() - oldHeight) / 2;
        move(x(), area ? TopOnScreen(top, FrameRect().height(), area->availableGeometry()) : top);
    }
    FitChannelColumns();
}

QRect CMainDlg::FrameRect() const
{
    // Before the window system has framed the window (at start), the frame is the window
    // alone; the caption it will get is counted as one of the style's height. The frame will
    // begin where the window's top is now.
    QRect frame = frameGeometry();
    if (frame.height() == height())
        frame.setHeight(frame.height() +
                        style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    return frame;
}
