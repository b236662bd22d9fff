#pragma once

#include "app/MainWindowServices.h"
#include "chdb/ChannelView.h"
#include "chdb/DatabaseState.h"
#include "chdb/RowMoves.h"
#include "grid/CImageList.h"
#include "history/BackupHistory.h"
#include "platform/ui/CDialog.h"
#include "stblink/DatabaseTransfer.h"

#include <QRect>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class BusyCall;
class CGridCtrl;
class QKeyEvent;

// The main window: the TV/Radio switch and three linked grids (category, group, channels)
// over the database it owns for the whole run, and the menu of every command.
class CMainDlg final : public CDialog {
    Q_OBJECT

public:
    explicit CMainDlg(MainWindowServices services, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // The data and the grids, for the commands of other windows and for tests.
    DatabaseState& state() { return m_state; }
    const ChannelView& channelView() const { return m_view; }
    CGridCtrl& categoryGrid() { return *m_gridCategory; }
    CGridCtrl& groupGrid() { return *m_gridGroup; }
    CGridCtrl& channelGrid() { return *m_gridChannel; }
    int gridRows() const { return m_nGridRows; }
    const std::string& workDir() const { return m_strWorkDir; }
    const std::string& backupPath() const { return m_strBackupPath; }

    // Refills used after the data changed.
    void FillCategoryGrid();
    void FillGroupGrid(int selectRow);
    void RebuildChannelView();

protected:
    void OnInitDialog() override;
    void OnCancel() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Commands.
    void OnConnectStb();
    void OnUpdateStb();
    void OnExportData();
    void OnImportData();
    void OnExit();
    void OnChannelNumberDisplay();
    void OnListSwitch();
    void OnEditSatLists();
    // The connect dialog, the disk choice, then the browser; the address is remembered when
    // the browser closes.
    void OnFileBrowser();
    // The backups kept of each box (CMainDlgHistory.cpp).
    void MapHistoryCommands();
    void OnRestoreBackup();
    void OnApplyOrder();
    // After a successful download or applied update; a file that cannot be written is said
    // and does not fail the exchange.
    void KeepInHistory(BackupKind kind, MessageService& messages);
    // The open-file dialog of the backup commands; the choice becomes the backup path.
    std::optional<std::string> AskBackupFile();
    // Replaces the data with a backup file's, as "import data" does; nothing changes when the
    // file cannot be read.
    void ImportBackupFile(const std::filesystem::path& path);
    // What an exchange run through RunBusyCall needs: the connect dialog on the window thread
    // and the link options with the call's cancel.
    AskAddress AskAddressFor(BusyCall& call);
    LinkOptions LinkFor(BusyCall& call) const;

    // Grids.
    void SetUpGrids();
    void SetUpListGrid(CGridCtrl& grid, int columns, bool centred);
    void SetListRows(CGridCtrl& grid, const std::vector<std::string>& rows);
    void FillChannelGrid();
    void WriteChannelRow(int row);
    void FitChannelColumns();
    void OnCategoryNotify(int code, int row);
    void OnGroupNotify(int code, int row);
    void ShowNoData();
    void ShowListSelector();
    // What the channel grid shows selected, by channel key, to be found again after a refill.
    struct ChannelSelection {
        std::vector<std::uint16_t> selectedKeys;
        int focusKey = -1;
        int scrollPos = 0;
    };
    ChannelSelection SaveChannelSelection() const;
    void RestoreChannelSelection(const ChannelSelection& kept);

    // The channel grid's own commands: delete, move, lock, its context menu and streaming
    // (CMainDlgChannelOps.cpp); the user list editor (CMainDlgUserLists.cpp).
    void ConnectChannelOperations();
    bool HandleChannelKey(const QKeyEvent& key);
    bool ChannelOperationsAllowed() const;
    void OnDeleteChannels();
    void OnMoveChannels(MoveDirection direction);
    void OnLockUnlock();
    void OnChannelContextMenu(int row, const QPoint& globalPos);
    void OnStartStreaming();
    bool AskPin();
    void OnEditUserLists();

    // Layout.
    void RecordLayout();
    void Resize();
    // The window's frame on the screen, the caption counted also before it is shown.
    QRect FrameRect() const;

    MainWindowServices m_services;
    DatabaseState m_state; // address, list selector, modified flag, PIN and the data
    int m_nRowHeight = 24;
    CImageList m_imgMarks{24, 24};
    std::string m_strWorkDir;
    std::string m_strBackupPath;
    int m_nGridRows = 10;
    QSize m_layoutClient;
    QRect m_layoutFrame;
    QRect m_layoutGrids[3];
    CGridCtrl* m_gridCategory = nullptr;
    CGridCtrl* m_gridGroup = nullptr;
    CGridCtrl* m_gridChannel = nullptr;
    ChannelView m_view;
};
