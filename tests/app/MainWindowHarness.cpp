#include "tests/app/MainWindowHarness.h"

#include "app/CConnectDlg.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "res/ResourceIds.h"
#include "tests/support/ui/ModalWatcher.h"

#include <QTest>

MainWindowHarness::MainWindowHarness()
    : work_(registry_.dir() / "work"), previousDir_(std::filesystem::current_path())
{
    std::filesystem::create_directory(work_);
    std::filesystem::current_path(work_);
}

MainWindowHarness::~MainWindowHarness()
{
    Close();
    std::filesystem::current_path(previousDir_);
}

StbSimulator& MainWindowHarness::StartBox(const std::string& address, DemoSize size)
{
    StbSimulator::Options o;
    o.stateDir = registry_.dir() / ("box-" + address);
    o.address = address;
    o.log = nullptr;
    o.size = size;
    box_ = std::make_unique<StbSimulator>(o);
    if (!box_->Start())
        qFatal("the simulated box did not start: %s", box_->error().c_str());
    return *box_;
}

CMainDlg& MainWindowHarness::Open(PlayerLauncher* launcher)
{
    Close();
    window_ = std::make_unique<CMainDlg>(
        MainWindowServices{messages, files, launcher ? *launcher : player, {}, privateDir()});
    window_->show();
    return *window_;
}

void MainWindowHarness::Close()
{
    window_.reset();
}

bool MainWindowHarness::ConnectThroughDialog(const std::string& address)
{
    return RunCommandTypingAddress(ID_CONNECT_STB, address);
}

bool MainWindowHarness::RunCommandTypingAddress(int command, const std::string& address)
{
    ModalWatcher watcher(
        [&address](QWidget* w) {
            auto* dialog = static_cast<CConnectDlg*>(w);
            auto* ip = dialog->DlgItem<CIPAddressCtrl>(IDC_IPADDRESS);
            ip->clear();
            ip->setFieldFocus(0);
            for (char k : address)
                QTest::keyClick(dialog->focusWidget(), k);
            QTest::mouseClick(dialog->GetDlgItem(IDOK), Qt::LeftButton);
        },
        ModalWatcher::IsA<CConnectDlg>());
    window_->OnCommand(command);
    return watcher.ran();
}

bool MainWindowHarness::RunCommandAcceptingConnect(int command)
{
    ModalWatcher watcher(
        [](QWidget* w) {
            QTest::mouseClick(static_cast<CConnectDlg*>(w)->GetDlgItem(IDOK), Qt::LeftButton);
        },
        ModalWatcher::IsA<CConnectDlg>(), 3000);
    window_->OnCommand(command);
    return watcher.ran();
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
    grid.EnsureVisible(row, 0);
    QTest::mouseClick(grid.viewport(), button, Qt::NoModifier, grid.GetCellRect(row, 0).center());
}
