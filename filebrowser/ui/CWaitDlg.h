#pragma once

#include "filebrowser/FileEntry.h"
#include "filebrowser/TransferList.h"
#include "filebrowser/ui/CWorkerDlg.h"

#include <string>
#include <vector>

class WaitAnimation;

// What the busy window runs; the values are its modes.
enum class WaitMode { StbScan = 0, PcScan = 1, StbDelete = 2 };

// The busy window: the hourglass animation above "Cancel" while a worker expands the selected
// folders of the box (mode 0) or of the PC (mode 1) into a transfer list, or deletes the
// selected rows on the box (mode 2). DoModal returns 1 when the worker succeeded, 2 when it
// failed or was cancelled.
class CWaitDlg final : public CWorkerDlg {
    Q_OBJECT

public:
    explicit CWaitDlg(BrowserServices services, QWidget* parent = nullptr);
    ~CWaitDlg() override;

    // Set by the caller before DoModal.
    WaitMode m_nMode = WaitMode::StbScan;
    std::string m_strStbAddress;
    std::string m_strPcPath;
    std::string m_strStbPath;
    std::vector<std::string> m_folders; // the folders to expand (modes 0 and 1)
    std::vector<FileEntry> m_rows;      // the rows to delete (mode 2)

    // The expanded list, with its file count and bytes: read after DoModal returned 1.
    TransferList m_result;

    // The animation frame shown (0 to 7).
    int frame() const;

protected:
    void OnInitDialog() override;
    WorkerResult RunWorker(MessageService& messages, std::atomic<bool>& cancelRequested,
                           const LinkOptions& link) override;
    void OnWorkerStarted() override;
    void OnWorkerFinished() override;

private:
    WaitAnimation* m_animation;
};
