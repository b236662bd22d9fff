#pragma once

#include "filebrowser/Overwrite.h"
#include "filebrowser/TransferList.h"
#include "filebrowser/TransferProgress.h"
#include "filebrowser/ui/CWorkerDlg.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

// Which way a transfer copies; the values are the progress window's directions.
enum class TransferDirection { Download = 0, Upload = 1 };

// The progress window of a transfer: the current file's line, its bar and percentage, the
// total's bar and percentage, and "Cancel". The download or upload worker runs behind it and
// asks about existing files with COverwriteDlg. DoModal returns 1 when the run succeeded, 2 when
// it failed or was cancelled; the caller refreshes the target side in either case.
//
// The worker hands its progress over as it goes; the window thread shows the latest state once
// per pass of its event loop, however fast the values come, so drawing never holds up the copy.
class CProgressDlg final : public CWorkerDlg, private TransferProgress {
    Q_OBJECT

public:
    explicit CProgressDlg(BrowserServices services, QWidget* parent = nullptr);
    ~CProgressDlg() override;

    // Set by the caller before DoModal.
    std::string m_strStbAddress;
    std::string m_strPcPath;
    std::string m_strStbPath;
    std::string m_strChosenDevice;
    TransferList m_list; // with its file count and total bytes
    TransferDirection m_nDirection = TransferDirection::Download;

protected:
    void OnInitDialog() override;
    WorkerResult RunWorker(MessageService& messages, std::atomic<bool>& cancelRequested,
                           const LinkOptions& link) override;
    void OnWorkerFinished() override;

private:
    // What the window is to show; written by the worker, shown by the window thread.
    struct Progress {
        std::string fileLine;
        int filePercent = 0;
        int totalPercent = 0;
    };

    void FileStarted(int number, int count, std::string_view name, std::int64_t size) override;
    void FilePercent(int percent) override;
    void TotalPercent(int percent, std::int64_t doneBytes) override;
    void PostProgress();
    void ShowProgress();
    std::optional<OverwriteMode> AskOverwrite(const std::string& path);

    std::mutex m_progressMutex;
    Progress m_progress;
    Progress m_shown;
    std::atomic<bool> m_showPending = false;
};
