#pragma once

#include "app/CMainDlg.h"
#include "platform/PrivateFolder.h"
#include "stblink/PlayerLauncher.h"
#include "stbsim/StbSimulator.h"
#include "tests/app/RegistryScope.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ui/ScriptedFileDialogs.h"

#include <QStringList>

#include <filesystem>
#include <memory>

class CGridCtrl;

class CountingPlayer final : public PlayerLauncher {
public:
    bool Launch() override { return ++launches > 0; }
    int launches = 0;
};

// A main window over fake services, started in a scratch current folder with a private
// folder of its own, with a settings store of its own and, on request, a simulated box on its own loopback address.
class MainWindowHarness {
public:
    MainWindowHarness();
    ~MainWindowHarness();

    StbSimulator& StartBox(const std::string& address, DemoSize size = DemoSize::Small);
    // Shows a new window (closing an open one first); it starts players with `launcher`, else
    // with `player`.
    CMainDlg& Open(PlayerLauncher* launcher = nullptr);
    void Close();

    // "connect to STB" through the real connect dialog, typing `address`.
    bool ConnectThroughDialog(const std::string& address);
    // Any command that shows the connect dialog, typing `address` there.
    bool RunCommandTypingAddress(int command, const std::string& address);
    // Any command through the dialog that might ask for the address; nothing is typed.
    bool RunCommandAcceptingConnect(int command);

    CMainDlg& window() { return *window_; }
    StbSimulator& box() { return *box_; }
    const std::filesystem::path& work() const { return work_; } // the current folder
    const std::filesystem::path& privateDir() const { return privateFolder_.path(); }
    const TempDir& scratch() const { return registry_.dir(); }

    RecordingMessages messages;
    ScriptedFileDialogs files;
    CountingPlayer player;

private:
    RegistryScope registry_;
    std::filesystem::path work_;
    std::filesystem::path previousDir_;
    PrivateFolder privateFolder_;
    std::unique_ptr<StbSimulator> box_;
    std::unique_ptr<CMainDlg> window_;
};

QStringList Column(const CGridCtrl& grid, int column = 0);
// Clicks a grid row as the user would.
void ClickRow(CGridCtrl& grid, int row, Qt::MouseButton button = Qt::LeftButton);
