#include "filebrowser/ui/CProgressDlg.h"

#include "filebrowser/DownloadWorker.h"
#include "filebrowser/UploadWorker.h"
#include "filebrowser/ui/COverwriteDlg.h"
#include "filebrowser/ui/DisplayName.h"
#include "filebrowser/ui/ElidedText.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <QLabel>
#include <QProgressBar>

namespace {

std::string PercentText(int percent)
{
    return std::to_string(percent) + " %";
}

} // namespace

CProgressDlg::CProgressDlg(BrowserServices services, QWidget* parent)
    : CWorkerDlg(GetDialogTemplate(IDD_PROGRESS), std::move(services), parent)
{
}

CProgressDlg::~CProgressDlg()
{
    StopWorker();
}

void CProgressDlg::OnInitDialog()
{
    CWorkerDlg::OnInitDialog();
    ArmStartTimer(m_nDirection == TransferDirection::Download ? 10 : 20);
}

WorkerResult CProgressDlg::RunWorker(MessageService& messages, std::atomic<bool>& cancelRequested,
                                     const LinkOptions& link)
{
    TransferJob job{m_strStbAddress, m_strChosenDevice, m_strPcPath, m_strStbPath, m_list};
    TransferHooks hooks{messages, *this,
                        [this](const std::string& path) { return AskOverwrite(path); },
                        cancelRequested};
    hooks.link = link;
    if (m_nDirection == TransferDirection::Download)
        return DownloadWorker(std::move(job), std::move(hooks)).Run();
    return UploadWorker(std::move(job), std::move(hooks)).Run();
}

void CProgressDlg::OnWorkerFinished()
{
    // The last values, 100 % after a success, are on screen before the window ends.
    ShowProgress();
}

std::optional<OverwriteMode> CProgressDlg::AskOverwrite(const std::string& path)
{
    std::optional<OverwriteMode> answer;
    RunWithUser([&] {
        COverwriteDlg question(this);
        question.m_strPath = path;
        if (question.DoModal() == IDOK)
            answer = question.m_nChoice;
    });
    return answer;
}

void CProgressDlg::FileStarted(int number, int count, std::string_view name, std::int64_t size)
{
    {
        const std::lock_guard lock(m_progressMutex);
        m_progress.fileLine = FileLineText(number, count, DisplayName(name).toStdString(), size);
        m_progress.filePercent = 0;
    }
    PostProgress();
}

void CProgressDlg::FilePercent(int percent)
{
    {
        const std::lock_guard lock(m_progressMutex);
        m_progress.filePercent = percent;
    }
    PostProgress();
}

void CProgressDlg::TotalPercent(int percent, std::int64_t)
{
    {
        const std::lock_guard lock(m_progressMutex);
        m_progress.totalPercent = percent;
    }
    PostProgress();
}

void CProgressDlg::PostProgress()
{
    // One showing on its way at a time: it takes whatever is latest when it runs.
    if (!m_showPending.exchange(true))
        QMetaObject::invokeMethod(
            this, [this] { ShowProgress(); }, Qt::QueuedConnection);
}

void CProgressDlg::ShowProgress()
{
    m_showPending = false;
    Progress now;
    {
        const std::lock_guard lock(m_progressMutex);
        now = m_progress;
    }
    if (now.fileLine != m_shown.fileLine)
        SetElidedText(*DlgItem<QLabel>(IDC_STATIC_FILE), QString::fromStdString(now.fileLine));
    if (now.filePercent != m_shown.filePercent) {
        DlgItem<QProgressBar>(IDC_PROGRESS_FILE)->setValue(now.filePercent);
        SetDlgItemText(IDC_STATIC_FILE_PERCENT, PercentText(now.filePercent));
    }
    if (now.totalPercent != m_shown.totalPercent) {
        DlgItem<QProgressBar>(IDC_PROGRESS_TOTAL)->setValue(now.totalPercent);
        SetDlgItemText(IDC_STATIC_TOTAL_PERCENT, PercentText(now.totalPercent));
    }
    m_shown = std::move(now);
}
