#include "tests/filebrowser/ui/BoxFixture.h"

#include "filebrowser/StbStorage.h"
#include "grid/CGridCtrl.h"

#include <QTest>

BoxFixture::BoxFixture(std::string boxAddress) : address(std::move(boxAddress))
{
    StbSimulator::Options o;
    o.stateDir = dir / "box";
    o.address = address;
    o.log = nullptr;
    o.size = DemoSize::Tiny;
    box = std::make_unique<StbSimulator>(o);
    if (!box->Start())
        qFatal("the simulated box did not start: %s", box->error().c_str());
}

BrowserServices BoxFixture::services()
{
    LinkOptions link;
    // Loopback always answers; the echo needs rights not every test machine grants.
    link.isReachable = [](const std::string&) { return true; };
    link.receiveTimeout = std::chrono::seconds(5);
    return {messages, files, link};
}

std::unique_ptr<CFileBrowserDlg> BoxFixture::OpenBrowser(const std::filesystem::path& pcPath,
                                                         const std::string& device)
{
    auto browser = std::make_unique<CFileBrowserDlg>(services());
    browser->m_strStbAddress = address;
    browser->m_strPcPath = pcPath.string();
    browser->m_strChosenDevice = device;
    RecordingMessages quiet;
    browser->m_disks = StbStorage(address, quiet, services().link).QueryDisks().value();
    browser->show();
    return browser;
}

QStringList Column(const CGridCtrl& grid, int column)
{
    QStringList texts;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        texts << grid.GetItemText(r, column);
    return texts;
}

void ClickRow(CGridCtrl& grid, int row, Qt::MouseButton button)
{
    grid.EnsureVisible(row, 1);
    QTest::mouseClick(grid.viewport(), button, {}, grid.GetCellRect(row, 1).center());
}

void DoubleClickRow(CGridCtrl& grid, int row)
{
    grid.EnsureVisible(row, 1);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.GetCellRect(row, 1).center());
}
