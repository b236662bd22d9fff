#pragma once

#include "filebrowser/FileEntry.h"
#include "filebrowser/StbDisks.h"
#include "filebrowser/ui/BrowserServices.h"
#include "grid/CImageList.h"
#include "platform/ui/CDialog.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CGridCtrl;
class StbStorage;
enum class TransferDirection;

// Which listing a command concerns; the values are those the context menu records.
enum class BrowserSide { None = -1, Pc = 1, Stb = 2 };

// "File Browser": a PC folder on the left, a folder of the box's chosen disk on the right. It
// lists the PC folder and mounts and lists the disk while it opens, navigates both sides by
// double-click (or Enter on the focused row), reports each side's free space and totals, and
// releases the disk when it closes. Enter and Escape never close it.
//
// Every exchange with the box runs through RunBusyCall; a cancelled one ends in the state its
// failure leaves, without a message. ">>" copies the selected PC rows into the box's folder,
// "<<" the selected box rows into the PC folder (folders expanded behind CWaitDlg, the copy
// behind CProgressDlg); "delete" in a grid's context menu (or the Delete key) deletes the
// selected rows of that side after a question. The changed side is listed again afterwards.
class CFileBrowserDlg final : public CDialog {
    Q_OBJECT

public:
    explicit CFileBrowserDlg(BrowserServices services, QWidget* parent = nullptr);
    ~CFileBrowserDlg() override;

    // Set by the opener before DoModal.
    std::string m_strStbAddress;
    std::string m_strPcPath;       // absolute, without a trailing "/" except at "/"
    std::string m_strChosenDevice; // sent with the mount request
    std::vector<StbDisk> m_disks;  // the disk combo's choices

    // The refreshes, also for the commands that copy and delete.
    // Lists the PC path into the PC grid with its path, free space and summary.
    void ScanPcFolder();
    // Mounts the chosen device (the box side empty at "/" first) and on success queries its
    // free space: 1, or -1 after a failure.
    int MountDisk();
    // Lists the box path into the box grid with its path and summary.
    void ListStbFolder();
    void ShowPcFreeSpace();
    void QueryStbFreeSpace();
    // Tells the box to release the disk, when it answers; nothing is shown.
    void UnmountDisk();

    // What the grids show: row r of a grid is entry r - 1 of its side ("..", where shown,
    // included).
    const std::string& pcPath() const { return m_strPcPath; }
    const std::string& stbPath() const { return m_strStbPath; }
    const std::vector<FileEntry>& pcEntries() const { return m_pcEntries; }
    const std::vector<FileEntry>& stbEntries() const { return m_stbEntries; }
    std::int64_t pcFreeBytes() const { return m_nPcFreeBytes; }
    std::int64_t stbFreeBytes() const { return m_nStbFreeBytes; }
    // The side the context menu was last opened on.
    BrowserSide popupSide() const { return m_nPopupSide; }
    // The entries of the side's selected rows, top to bottom, without "..".
    std::vector<FileEntry> SelectedEntries(BrowserSide side) const;
    CGridCtrl& pcGrid() { return *m_gridPc; }
    CGridCtrl& stbGrid() { return *m_gridStb; }
    const BrowserServices& services() const { return m_services; }

    // Runs `exchange` with the box as a busy call over this window (over the opener's while
    // this one is not shown yet): its messages go through the call, its link carries the
    // call's cancel. True when the user cancelled it.
    bool RunStbExchange(const std::function<void(StbStorage& box)>& exchange);

protected:
    void OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillDiskCombo();
    void OnDiskChange(int index);
    void OnPcButton();
    // A double-click, or Enter, on `row` of a side: into a folder, or up for "..".
    void OpenRow(BrowserSide side, int row);
    void OnRightClick(BrowserSide side, int row, const QPoint& globalPos);
    void OnTransfer(TransferDirection direction);
    // The context menu's "delete": the selected rows of the side the menu was opened on.
    void OnDelete();
    void DeletePcRows(const std::vector<FileEntry>& rows);
    void DeleteStbRows(const std::vector<FileEntry>& rows);
    void OpenMenuFromKeyboard(BrowserSide side);
    void ClearStbSide();
    BrowserSide SideOf(const QObject* grid) const;
    CGridCtrl& Grid(BrowserSide side) const;
    const std::vector<FileEntry>& Entries(BrowserSide side) const;

    BrowserServices m_services;
    std::string m_strStbPath = "/";
    CImageList m_imgFolder;
    BrowserSide m_nPopupSide = BrowserSide::None;
    std::vector<FileEntry> m_pcEntries;
    std::vector<FileEntry> m_stbEntries;
    std::int64_t m_nPcFreeBytes = 0;
    std::int64_t m_nStbFreeBytes = 0;
    CGridCtrl* m_gridPc = nullptr;
    CGridCtrl* m_gridStb = nullptr;
};
