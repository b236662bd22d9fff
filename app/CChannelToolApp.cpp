#include "app/CChannelToolApp.h"

#include "app/CMainDlg.h"
#include "platform/ui/QtFileDialogs.h"
#include "platform/ui/QtMessageBoxes.h"
#include "stblink/PlayerLauncher.h"

bool CChannelToolApp::InitInstance()
{
    QtMessageBoxes messages;
    QtFileDialogs files;
    VlcLauncher player;
    CMainDlg dialog({messages, files, player});
    messages.SetOwner(&dialog);
    files = QtFileDialogs(&dialog);
    dialog.DoModal();
    return false;
}
