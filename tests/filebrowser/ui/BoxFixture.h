#pragma once

#include "filebrowser/ui/CFileBrowserDlg.h"
#include "tests/filebrowser/TransferFixtures.h"
#include "tests/support/ui/GridDriving.h"
#include "tests/support/ui/ScriptedFileDialogs.h"

#include <memory>

class CGridCtrl;

// A demo box with a small database on its own 127.0.0.N, and the services the dialogs get.
struct BoxFixture {
    explicit BoxFixture(int n) : box(n, DemoSize::Tiny), address(box.address()), dir(box.dir()) {}
    BrowserServices services() { return {messages, files, Reachable()}; }
    // A browser shown over the box's disk `device`, its PC side at `pcPath`.
    std::unique_ptr<CFileBrowserDlg> OpenBrowser(const std::filesystem::path& pcPath,
                                                 const std::string& device = "/dev/sda1");

    TestBox box;
    const std::string& address;
    const TempDir& dir;
    RecordingMessages messages;
    ScriptedFileDialogs files;
};

// The row that shows `name` in the name column, or -1.
int RowOf(const CGridCtrl& grid, const char* name);
// Selects the rows that show `names`: a click on the first, Ctrl+click on the others.
void SelectRows(CGridCtrl& grid, std::initializer_list<const char*> names);
