#include "app/CChannelToolApp.h"

#include "app/CMainDlg.h"
#include "platform/PrivateFolder.h"
#include "platform/ui/QtFileDialogs.h"
#include "platform/ui/QtMessageBoxes.h"
#include "platform/ui/QuitOnSignals.h"
#include "stblink/PlayerLauncher.h"

#include <cstdio>

bool CChannelToolApp::InitInstance()
{
    // Downloaded files, the report and the editors' hand-over live here for the whole run.
    PrivateFolder workDir;
    QtMessageBoxes messages;
    if (workDir.path().empty()) {
        // Never the current folder instead: files of the user's there could bear the same
        // names as the downloaded ones.
        const std::string text = "channeltool cannot start: " + workDir.error();
        std::fprintf(stderr, "%s\n", text.c_str());
        messages.Show(text, MessageService::Buttons::Ok);
        m_nExitCode = 1;
        return false;
    }
    // A kill or Ctrl+C unwinds like "exit", so that the private folder is removed.
    const QuitOnSignals quitOnSignals;
    QtFileDialogs files;
    VlcLauncher player;
    CMainDlg dialog({messages, files, player, {}, workDir.path()});
    messages.SetOwner(&dialog);
    files = QtFileDialogs(&dialog);
    dialog.DoModal();
    if (quitOnSignals.received() != 0)
        m_nExitCode = 128 + quitOnSignals.received();
    return false;
}
