#include "tests/filebrowser/ui/BoxFixture.h"

#include "filebrowser/StbStorage.h"
#include "grid/CGridCtrl.h"
#include "tests/support/ui/GridDriving.h"
#include "tests/support/ui/UiDriving.h"

std::unique_ptr<CFileBrowserDlg> BoxFixture::OpenBrowser(const std::filesystem::path& pcPath,
                                                         const std::string& device)
{
    auto browser = std::make_unique<CFileBrowserDlg>(services());
    browser->m_strStbAddress = address;
    browser->m_strPcPath = pcPath.string();
    browser->m_strChosenDevice = device;
    RecordingMessages quiet;
    browser->m_disks = StbStorage(address, quiet, Reachable()).QueryDisks().value();
    browser->show();
    return browser;
}

int RowOf(const CGridCtrl& grid, const char* name)
{
    return static_cast<int>(Column(grid, 1).indexOf(QLatin1Char(' ') + QString::fromUtf8(name)));
}

void SelectRows(CGridCtrl& grid, std::initializer_list<const char*> names)
{
    std::vector<int> rows;
    for (const char* name : names)
        rows.push_back(RowOf(grid, name));
    PickRows(grid, rows);
}
