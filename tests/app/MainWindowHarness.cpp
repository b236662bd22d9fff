#include "tests/app/MainWindowHarness.h"

#include "app/CConnectDlg.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "res/ResourceIds.h"

#include <QTest>

MainWindowHarness::MainWindowHarness()
    : work_(registry_.dir() / "work"), previousDir_(std::filesystem::current_path())
{
    std::filesystem::create_directory(work_);
    std::filesystem::current_path(work_);
}

MainWindowHarness::~MainWindowHarness()
{
    window_.reset();
    std::filesystem::current_path(previousDir_);
}

StbSimulator& MainWindowHarness::StartBox(const std::string& address, DemoSize size)
{
    box_ = std::make_unique<StbSimulator>(StbSimulator::Options{
        .stateDir = registry_.dir() / ("box-" + address), .address = address, .log = nullptr, .size = size});
    if (!box_->Start())
        qFatal("the simulated box did not start: %s", box_->error().c_str());
    return *box_;
}

CMainDlg& MainWindowHarness::Open(PlayerLauncher* launcher)
{
    window_.reset();
    window_ = std::make_unique<CMainDlg>(
        MainWindowServices{messages, files, launcher ? *launcher : player, {}, privateDir()});
    window_->show();
    return *window_;
}

bool MainWindowHarness::OpenConnected(const std::string& address, DemoSize size,
                                      PlayerLauncher* launcher)
{
    StartBox(address, size);
    Open(launcher);
    return ConnectThroughDialog(address) && messages.texts().empty();
}

bool MainWindowHarness::RunCommandTypingAddress(int command, const std::string& address)
{
    return RunDialog<CConnectDlg>(command, [&address](CConnectDlg& d) { TypeAddressAndConnect(d, address); });
}

bool MainWindowHarness::RunCommandAcceptingConnect(int command)
{
    return RunDialog<CConnectDlg>(
        command, [](CConnectDlg& d) { QTest::mouseClick(d.GetDlgItem(IDOK), Qt::LeftButton); }, 3000);
}

void TypeAddressAndConnect(CDialog& connectDialog, const std::string& address)
{
    auto* ip = connectDialog.DlgItem<CIPAddressCtrl>(IDC_IPADDRESS);
    ip->clear();
    ip->setFieldFocus(0);
    for (char k : address)
        QTest::keyClick(connectDialog.focusWidget(), k);
    QTest::mouseClick(connectDialog.GetDlgItem(IDOK), Qt::LeftButton);
}
