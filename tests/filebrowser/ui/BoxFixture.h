#pragma once

#include "filebrowser/ui/CFileBrowserDlg.h"
#include "stbsim/StbSimulator.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"
#include "tests/support/ui/ScriptedFileDialogs.h"

#include <QStringList>

#include <memory>

class CGridCtrl;

// A demo box with a small database on its own address, and the services the dialogs get.
struct BoxFixture {
    explicit BoxFixture(std::string boxAddress);
    BrowserServices services();
    // A browser shown over the box's disk `device`, its PC side at `pcPath`.
    std::unique_ptr<CFileBrowserDlg> OpenBrowser(const std::filesystem::path& pcPath,
                                                 const std::string& device = "/dev/sda1");

    std::string address;
    TempDir dir;
    std::unique_ptr<StbSimulator> box;
    RecordingMessages messages;
    ScriptedFileDialogs files;
};

QStringList Column(const CGridCtrl& grid, int column);
void ClickRow(CGridCtrl& grid, int row, Qt::MouseButton button = Qt::LeftButton);
void DoubleClickRow(CGridCtrl& grid, int row);
