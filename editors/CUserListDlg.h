#pragma once

#include "chdb/ChannelDatabase.h"
#include "chdb/ChannelReport.h"
#include "chdb/RowMoves.h"
#include "grid/CImageList.h"
#include "platform/ui/CDialog.h"

#include <string>
#include <vector>

class CGridCtrl;
class MessageService;
class QComboBox;

// "edit user lists": the chosen user list of the main window's kind (TV or radio) on the left,
// the channels of that kind on the right, filtered and ordered by a choice. Channels are copied
// into the list with "<<" (or Enter, or a double click, in the right grid), removed with "X"
// (or Delete in the left grid), moved with Ctrl+Up and Ctrl+Down, and lists are renamed with
// "Rename" (or F2). It works on a copy of the database that it reads from the hand-over files
// in the working folder (deleting them) and hands chidx.dat and menudata.dat back there when
// it closes; there is no way to leave without keeping the changes.
class CUserListDlg final : public CDialog {
    Q_OBJECT

public:
    explicit CUserListDlg(MessageService& messages, QWidget* parent = nullptr);
    ~CUserListDlg() override;

    // Set by the main window before the run.
    std::string m_strWorkDir;
    int m_nList = 0;      // 0 TV, 1 radio: the kind shown and edited
    int m_nFirstList = 0; // the list to show first, 0..9
    int m_nGridRows = 10;
    std::vector<SatListEntry> m_satList;
    std::vector<CasEntry> m_casList; // handed over with the satellites; not used here

    // After the run: whether the editor read its hand-over files (if not, it said so and
    // closed at once).
    bool loaded() const { return m_bLoaded; }

    // The commands, as their buttons and keys run them.
    void AddSelected();
    void RemoveSelected();
    void MoveSelected(MoveDirection direction);
    void RenameList();

    // For tests and benchmarks.
    const ChannelDatabase& tables() const { return m_db; }
    CGridCtrl& listGrid() { return *m_gridList; }
    CGridCtrl& channelGrid() { return *m_gridChannel; }
    QComboBox& listCombo() const;
    QComboBox& filterCombo() const;
    int currentList() const;
    // The table index behind each row of the right grid.
    const std::vector<int>& channelRows() const { return m_channelRows; }

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Grids (CUserListDlgGrids.cpp).
    void SetUpGrids();
    void FitColumns();
    void FillListGrid();
    void FillChannelGrid();
    void WriteRow(CGridCtrl& grid, int row, std::int32_t tableIndex);
    bool HandleListKey(int key);
    bool HandleChannelKey(int key);

    void RecordLayout();
    void FillListCombo();
    void FillFilterCombo();
    void Close();
    ListKind kind() const { return m_nList == 1 ? ListKind::Radio : ListKind::Tv; }

    MessageService& m_messages;
    ChannelDatabase m_db; // the private copy
    bool m_bLoaded = false;
    int m_nRowHeight = 24;
    int m_nVisibleRows = 10;        // the rows the grids show, as many as the screen has room for
    std::vector<int> m_channelRows; // right grid row -> channel table index
    CImageList m_imgMarks{24, 24};
    CGridCtrl* m_gridList = nullptr;
    CGridCtrl* m_gridChannel = nullptr;
};
