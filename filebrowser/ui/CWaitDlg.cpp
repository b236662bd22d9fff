#include "filebrowser/ui/CWaitDlg.h"

#include "filebrowser/PcFolderExpansion.h"
#include "filebrowser/StbDeletionWorker.h"
#include "filebrowser/StbFolderExpansion.h"
#include "platform/ui/WaitAnimation.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <QLabel>

CWaitDlg::CWaitDlg(BrowserServices services, QWidget* parent)
    : CWorkerDlg(GetDialogTemplate(IDD_WAIT), std::move(services), parent)
{
    m_animation = new WaitAnimation(DlgItem<QLabel>(IDC_WAIT_PICTURE));
}

CWaitDlg::~CWaitDlg()
{
    StopWorker();
}

int CWaitDlg::frame() const
{
    return m_animation->frame();
}

void CWaitDlg::OnInitDialog()
{
    CWorkerDlg::OnInitDialog();
    // The turned glass stands still until the work starts.
    m_animation->ShowFrame(kWaitFrameCount - 1);
    switch (m_nMode) {
    case WaitMode::StbScan:
        ArmStartTimer(10);
        break;
    case WaitMode::PcScan:
        ArmStartTimer(20);
        break;
    case WaitMode::StbDelete:
        ArmStartTimer(50);
        break;
    }
}

void CWaitDlg::OnWorkerStarted()
{
    m_animation->Start();
}

void CWaitDlg::OnWorkerFinished()
{
    m_animation->Stop();
}

WorkerResult CWaitDlg::RunWorker(MessageService& messages, std::atomic<bool>& cancelRequested,
                                 const LinkOptions& link)
{
    switch (m_nMode) {
    case WaitMode::StbScan: {
        StbFolderExpansion scan(m_strStbAddress, m_strStbPath, m_folders, messages, cancelRequested,
                                link);
        const WorkerResult result = scan.Run();
        m_result = scan.result();
        return result;
    }
    case WaitMode::PcScan: {
        PcFolderExpansion scan(m_strPcPath, m_folders, messages, cancelRequested);
        const WorkerResult result = scan.Run();
        m_result = scan.result();
        return result;
    }
    case WaitMode::StbDelete:
        return StbDeletionWorker(m_strStbAddress, m_strStbPath, m_rows, messages, cancelRequested,
                                 link)
            .Run();
    }
    return WorkerResult::Failed;
}
