#include "tests/filebrowser/ui/BoxFixture.h"

#include "filebrowser/StbStorage.h"
#include "grid/CGridCtrl.h"

#include <QTest>

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

QStringList Column(const CGridCtrl& grid, int column)
{
    QStringList texts;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        texts << grid.GetItemText(r, column);
    return texts;
}

int RowOf(const CGridCtrl& grid, const char* name)
{
    return static_cast<int>(Column(grid, 1).indexOf(QLatin1Char(' ') + QString::fromUtf8(name)));
}

void ClickRow(CGridCtrl& grid, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    grid.EnsureVisible(row, 1);
    QTest::mouseClick(grid.viewport(), button, modifiers, grid.GetCellRect(row, 1).center());
}

void DoubleClickRow(CGridCtrl& grid, int row)
{
    grid.EnsureVisible(row, 1);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.GetCellRect(row, 1).center());
}

void SelectRows(CGridCtrl& grid, std::initializer_list<const char*> names)
{
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    for (const char* name : names)
        ClickRow(grid, RowOf(grid, name), Qt::LeftButton,
                 std::exchange(modifiers, Qt::ControlModifier));
}
