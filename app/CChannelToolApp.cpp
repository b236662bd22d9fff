#include "app/CChannelToolApp.h"

#include "app/CMainDlg.h"
#include "platform/PrivateFolder.h"
#include "platform/ui/QtFileDialogs.h"
#include "platform/ui/QtMessageBoxes.h"
#include "stblink/PlayerLauncher.h"

#include <cstdio>

bool CChannelToolApp::InitInstance()
{
    // Downloaded files, the report and the editors' hand-over live here for the whole run.
    PrivateFolder workDir;
    if (workDir.path().empty())
        std::fprintf(stderr, "channeltool: %s; the working files go to the current folder\n",
                     workDir.error().c_str());
    QtMessageBoxes messages;
    QtFileDialogs files;
    VlcLauncher player;
    CMainDlg dialog({messages, files, player, {}, workDir.path()});
    messages.SetOwner(&dialog);
    files = QtFileDialogs(&dialog);
    dialog.DoModal();
    return false;
}
