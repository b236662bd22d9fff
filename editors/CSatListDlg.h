#pragma once

#include "chdb/ChannelDatabase.h"
#include "grid/CImageList.h"
#include "platform/ui/CDialog.h"

#include <cstdint>
#include <string>
#include <vector>

class CGridCtrl;
class MessageService;

// "edit sat lists": satellites, the transponders of the selected satellite and the channels of
// the selected transponder in three linked grids, with the commands that edit them. It works
// on a copy of the channel tables that it reads from the hand-over files in the working
// folder (deleting them) and writes back there when it closes.
class CSatListDlg final : public CDialog {
    Q_OBJECT

public:
    explicit CSatListDlg(MessageService& messages, QWidget* parent = nullptr);
    ~CSatListDlg() override;

    // Set by the main window before the run.
    std::string m_strWorkDir;
    std::string m_strPin;
    int m_nGridRows = 10;
    int m_nList = 0; // the main window's TV or radio list; kept, not used here
    // What to select at the start (0: none); each is used by the first fill of its grid.
    std::uint16_t m_wPreSatId = 0;
    std::uint16_t m_wPreTpId = 0;
    std::uint16_t m_wPreChannelKey = 0;

    // After the run: whether the editor read its hand-over files (if not, it said so and
    // closed at once), and whether it added or deleted channels.
    bool loaded() const { return m_bLoaded; }
    bool channelsChanged() const { return m_bChannelsChanged; }

    // What "Add Transponder" and "Delete Transponder" do once the dialog or the question was
    // answered: the new record appended and shown, or the transponder on grid row `row` deleted
    // with its channels.
    void AppendTransponder(const TpInfo& values);
    void RemoveTransponder(int row);

    // For tests and benchmarks.
    const ChannelDatabase& tables() const { return m_db; }
    CGridCtrl& satelliteGrid() { return *m_gridSat; }
    CGridCtrl& transponderGrid() { return *m_gridTp; }
    CGridCtrl& channelGrid() { return *m_gridChannel; }
    int contextRow() const { return m_nContextRow; }
    // Table indices behind the rows of the transponder and channel grids.
    const std::vector<int>& transponderRows() const { return m_tpRows; }
    const std::vector<int>& channelRows() const { return m_channelRows; }

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Grids (CSatListDlgGrids.cpp).
    void SetUpGrids();
    void FitColumns();
    void FillSatelliteGrid();
    void FillTransponderGrid();
    void FillChannelGrid();
    void WriteChannelRow(int row);
    void SelectRow(CGridCtrl& grid, int row);
    void ScrollIntoView(CGridCtrl& grid, int row);
    void OnSatelliteNotify(int code, int row);
    void OnTransponderNotify(int code, int row);
    void OnSatelliteRightClick(int row);
    void OnTransponderRightClick(int row, const QPoint& globalPos);
    void OnChannelRightClick(int row, const QPoint& globalPos);
    bool OpenMenuFromKeyboard(CGridCtrl& grid);

    // Commands.
    void EditSatellite(int row);
    void OnEditTransponder();
    void OnAddTransponder();
    void OnDeleteTransponder();
    void OnEditChannel();
    void OnAddChannel();
    void OnDeleteChannel();
    void Close();

    // The table indices behind the focused rows, or -1.
    int FocusedSatellite() const;
    int FocusedTransponder() const;
    int ContextTransponder() const;
    int ContextChannel() const;

    void RecordLayout();

    MessageService& m_messages;
    ChannelDatabase m_db; // the private copy
    bool m_bLoaded = false;
    bool m_bChannelsChanged = false;
    int m_nRowHeight = 24;
    std::vector<int> m_tpRows;      // transponder grid row -> transponder table index
    std::vector<int> m_channelRows; // channel grid row -> channel table index
    int m_nContextRow = -1;         // the row the last context menu was opened on
    CImageList m_imgMarks{24, 24};
    CGridCtrl* m_gridSat = nullptr;
    CGridCtrl* m_gridTp = nullptr;
    CGridCtrl* m_gridChannel = nullptr;
};
