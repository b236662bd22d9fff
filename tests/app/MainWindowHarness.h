#pragma once

#include "app/CMainDlg.h"
#include "platform/PrivateFolder.h"
#include "res/ResourceIds.h"
#include "stblink/PlayerLauncher.h"
#include "stbsim/StbSimulator.h"
#include "tests/app/RegistryScope.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/ScriptedFileDialogs.h"
#include "tests/support/ui/GridDriving.h"
#include "tests/support/ui/UiDriving.h"

#include <filesystem>
#include <functional>
#include <memory>

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
    // A box on `address`, the window, and a download through the connect dialog that says
    // nothing; false (with the messages at hand) when any of it failed.
    bool OpenConnected(const std::string& address, DemoSize size = DemoSize::Small,
                       PlayerLauncher* launcher = nullptr);

    // "connect to STB" through the real connect dialog, typing `address`.
    bool ConnectThroughDialog(const std::string& address) { return RunCommandTypingAddress(ID_CONNECT_STB, address); }
    // Any command that shows the connect dialog, typing `address` there.
    bool RunCommandTypingAddress(int command, const std::string& address);
    // Any command through the dialog that might ask for the address; nothing is typed.
    bool RunCommandAcceptingConnect(int command);
    // Runs `command` and `inside` on the modal Dialog it opens, then closes that dialog with
    // its close box if it is still open; false when none opened within `timeoutMs`.
    template <class Dialog>
    bool RunDialog(int command, const std::function<void(Dialog&)>& inside, int timeoutMs = 10000)
    {
        auto watcher = ModalWatcher::For<Dialog>(
            [&inside](Dialog* d) {
                inside(*d);
                if (d->isVisible())
                    d->close();
            },
            timeoutMs);
        window_->OnCommand(command);
        return watcher.ran();
    }
    bool Enabled(int command) { return CommandEnabled(*window_, command); }
    // Whether the editors' hand-over files (or anything else) are left in the private folder.
    bool PrivateFilesLeft() const { return !std::filesystem::is_empty(privateDir()); }

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

// Types `address` into the connect dialog's address control and presses its OK button.
void TypeAddressAndConnect(CDialog& connectDialog, const std::string& address);
