#pragma once

#include "filebrowser/StbDisks.h"
#include "filebrowser/ui/BrowserServices.h"
#include "platform/ui/CDialog.h"

#include <string>
#include <vector>

class CGridCtrl;

// "Select Disk": asks the box for its disks and partitions while it opens and lets the user
// choose one. With exactly one choice it takes it and ends with IDOK without being shown;
// after a failure (its message shown) it ends with IDCANCEL the same way.
class CSelectDiskDlg final : public CDialog {
    Q_OBJECT

public:
    CSelectDiskDlg(std::string address, BrowserServices services, QWidget* parent = nullptr);
    ~CSelectDiskDlg() override;

    // Every choice the box reported, in report order; filled while the dialog opens.
    const std::vector<StbDisk>& disks() const { return m_disks; }
    // The device chosen (such as "/dev/sda1"); empty until a choice is made.
    const std::string& chosenDevice() const { return m_strChosenDevice; }
    CGridCtrl& grid() { return *m_grid; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    // -1 on failure, 0 when the only choice was taken, 1 when the grid shows the choices.
    int QueryDiskInfo();
    void FillGrid();
    void ChooseRow(int row);

    std::string m_strAddress;
    BrowserServices m_services;
    std::vector<StbDisk> m_disks;
    std::string m_strChosenDevice;
    CGridCtrl* m_grid = nullptr;
};
