// The file browser against the simulated box: both sides listed and navigated, free space and
// summaries, the failures, names the box should not send, Cancel, unmount on close.
#include "filebrowser/FolderSummary.h"
#include "filebrowser/ui/CFileBrowserDlg.h"
#include "filebrowser/ui/DisplayName.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/BusyIndicator.h"
#include "res/ResourceIds.h"
#include "tests/filebrowser/ui/BoxFixture.h"
#include "tests/support/ui/BusyIndicatorWatch.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/Screenshots.h"
#include "tests/support/ui/UiDriving.h"

#include <QComboBox>
#include <QPushButton>

namespace fs = std::filesystem;

namespace {

QString Text(CFileBrowserDlg& d, int id)
{
    return QString::fromStdString(d.GetDlgItemText(id));
}

// A subfolder with a file, three files (one named with a byte that is not UTF-8), a hidden one.
fs::path MakePcFolder(const TempDir& dir)
{
    const std::pair<const char*, int> files[] = {{"Sub folder/inner.txt", 5},
                                                 {"a.bin", 0},
                                                 {"b.txt", 3},
                                                 {"bad\xFF.txt", 5},
                                                 {".hidden", 6}};
    for (auto [name, size] : files)
        WriteWholeFile(dir / "pc" / name, std::string(size, 'x'));
    return dir / "pc";
}

// Runs `open`, which should bring up the context menu with its one item "delete", and closes
// it; false when no menu came up.
bool UseMenu(const std::function<void()>& open)
{
    std::map<int, bool> enabled;
    const bool shown = UseContextMenu(open, 0, &enabled);
    return shown && enabled == std::map<int, bool>{{ID_DELETE, true}};
}

} // namespace

class FileBrowserDialogTest final : public QObject {
    Q_OBJECT

private slots:
    // Valid text stays; stray and cut-off bytes, an overlong "/", a surrogate and control
    // characters are escaped.
    void displayNamesEscapeWhatIsNotText()
    {
        const std::pair<const char*, QString> cases[] = {
            {"<b>x</b> & \"$HOME\"", QStringLiteral("<b>x</b> & \"$HOME\"")},
            {"Caf\xC3\xA9 \xE6\x97\xA5 \xF0\x9F\x8E\xAC", QString::fromUtf8("Café 日 🎬")},
            {"a\xFF" "b\xE6\x97", QStringLiteral("a\\xFFb\\xE6\\x97")},
            {"\xC0\xAF\xED\xA0\x80", QStringLiteral("\\xC0\\xAF\\xED\\xA0\\x80")},
            {"\t\x1B" "\x7F\xC2\x85", QStringLiteral("\\x09\\x1B\\x7F\\xC2\\x85")},
        };
        for (const auto& [bytes, shown] : cases)
            QCOMPARE(DisplayName(bytes), shown);
    }

    void opensBothSidesAndNavigatesThem()
    {
        BoxFixture f(177);
        const fs::path pc = MakePcFolder(f.dir);
        auto d = f.OpenBrowser(pc);
        ShootDialog(*d, "file-browser");
        CGridCtrl& pcGrid = d->pcGrid();
        CGridCtrl& stbGrid = d->stbGrid();

        // "..", folders, files; no hidden file; names as they are, sizes right-aligned.
        QCOMPARE(Column(pcGrid, 1),
                 (QStringList{"File", " ..", " Sub folder", " a.bin", " b.txt", " bad\\xFF.txt"}));
        QCOMPARE(Column(pcGrid, 2), (QStringList{"Size", "", "", "0 Byte ", "3 Byte ", "5 Byte "}));
        QVERIFY(pcGrid.GetItemImage(2, 0) == 0 && pcGrid.GetItemImage(3, 0) == -1); // folder, file
        QVERIFY(pcGrid.GetItemFormat(3, 2) & DT_RIGHT);
        QCOMPARE(pcGrid.GetColumnWidth(0) + pcGrid.GetColumnWidth(1) + pcGrid.GetColumnWidth(2),
                 pcGrid.GetClientSize().width());
        QCOMPARE(Text(*d, IDC_EDIT_PC_PATH), QString::fromStdString(pc.string()));
        QCOMPARE(Text(*d, IDC_STATIC_PC_SUMMARY), QStringLiteral("1 Folder, 3 Files, 8.0 Byte"));
        QVERIFY(d->pcFreeBytes() > 0);

        // The chosen disk mounted, its root listed (no ".." there), its free space shown.
        QCOMPARE(f.box->MountedDevice(), std::optional<std::string>("/dev/sda1"));
        auto* combo = d->DlgItem<QComboBox>(IDC_COMBO_DISK);
        QVERIFY(combo->count() == 3 && combo->currentText().startsWith(QStringLiteral("Disk 1 (")));
        QCOMPARE(Text(*d, IDC_EDIT_STB_PATH), QStringLiteral("/"));
        QCOMPARE(stbGrid.GetItemText(1, 1), QStringLiteral(" Empty folder"));
        QCOMPARE(Text(*d, IDC_STATIC_STB_SUMMARY), QStringLiteral("6 Folder, 1 Files, 53.0 Byte"));
        QVERIFY(d->stbFreeBytes() > 0);
        QCOMPARE(Text(*d, IDC_STATIC_STB_FREE),
                 QString::fromStdString(FormatFreeSpace(d->stbFreeBytes())));

        // Down and up on the box: a double-click, then Enter on the focused "..". Files and
        // the header do not navigate.
        const int odd = RowOf(stbGrid, "Odd names");
        DoubleClickRow(stbGrid, odd);
        QCOMPARE(Text(*d, IDC_EDIT_STB_PATH), QStringLiteral("/Odd names"));
        QCOMPARE(stbGrid.GetItemText(1, 1), QStringLiteral(" .."));
        QCOMPARE(Text(*d, IDC_STATIC_STB_SUMMARY), QStringLiteral("2 Folder, 7 Files, 5.6 KB"));
        QVERIFY(RowOf(stbGrid, "\"quoted\" name.txt") > 0 && RowOf(stbGrid, "pipe | name.txt") > 0);
        DoubleClickRow(stbGrid, stbGrid.GetRowCount() - 1);
        DoubleClickRow(stbGrid, 0);
        QCOMPARE(d->stbPath(), std::string("/Odd names"));
        QTest::keyClick(&stbGrid, Qt::Key_Down);
        QTest::keyClick(&stbGrid, Qt::Key_Return);
        QCOMPARE(d->stbPath(), std::string("/"));

        // Down and up on the PC; the "PC" button lists the picked folder, a cancel nothing.
        DoubleClickRow(pcGrid, 2);
        QCOMPARE(Column(pcGrid, 1), (QStringList{"File", " ..", " inner.txt"}));
        DoubleClickRow(pcGrid, 1);
        QCOMPARE(d->pcPath(), pc.string());
        f.files.QueueAnswer((pc / "Sub folder").string());
        d->DlgItem<QPushButton>(IDC_BUTTON_PC)->click();
        d->DlgItem<QPushButton>(IDC_BUTTON_PC)->click();
        QCOMPARE(f.files.calls()[0].request.title, std::string("Select Folder"));
        QCOMPARE(f.files.calls()[0].request.start, pc.string());
        QCOMPARE(d->pcPath(), (pc / "Sub folder").string());

        // Another disk from the list: mounted and listed at "/", big sizes whole.
        DoubleClickRow(stbGrid, odd);
        QTest::keyClick(combo, Qt::Key_End);
        QCOMPARE(f.box->MountedDevice(), std::optional<std::string>("/dev/sdb2"));
        QCOMPARE(Column(stbGrid, 1), (QStringList{"File", " Timeshift", " data.bin"}));
        DoubleClickRow(stbGrid, 1);
        QCOMPARE(stbGrid.GetItemText(2, 2), QStringLiteral("5 GB "));
        QVERIFY2(f.messages.texts().empty(), f.messages.last().c_str());

        // Enter and Escape close nothing; the close box releases the disk.
        for (QWidget* control : {static_cast<QWidget*>(combo), static_cast<QWidget*>(&pcGrid)})
            QTest::keyClick(control, Qt::Key_Escape);
        QVERIFY(d->isVisible());
        d->close();
        QVERIFY(!d->isVisible());
        QTRY_COMPARE(f.box->MountedDevice(), std::nullopt);
        QCOMPARE(f.box->Requests().back(), std::string("SIG_MOUNT_END"));
    }

    // A failed mount, listing or free-space query shows its message and leaves the box side as
    // far as it got; the PC side stays. (Each exchange's other failures: StbStorageTest.)
    void failuresLeaveTheBoxSideEmpty()
    {
        BoxFixture f(178);
        const fs::path pc = MakePcFolder(f.dir);
        const struct {
            const char* key;
            Fault fault;
            const char* message;
            bool mounted;
        } rows[] = {
            // clang-format off
            {"SIG_MOUNT_START", Fault::Reply("SIG_MOUNT_ERROR"), "USB memory connect error!", false},
            {"SIG_GET_DISK_FILE_INFO", Fault::Reply("SIG_DISK_FILE_INFO_ERROR"), "USB memory info error!", true},
            {"SIG_COMMAND_START:df", Fault::Reply("SIG_COMMAND_ERROR"), "USB memory free space error!", true},
            // clang-format on
        };
        for (const auto& row : rows) {
            f.messages.clear();
            f.box->ClearFaults();
            f.box->SetFault(row.key, row.fault);
            auto d = f.OpenBrowser(pc, row.mounted ? "/dev/sda1" : "/dev/sdb1");
            QCOMPARE(f.messages.texts(), std::vector<std::string>{row.message});
            const bool listed = row.key == std::string("SIG_COMMAND_START:df");
            QCOMPARE(d->stbGrid().GetRowCount() > 1, listed);
            QCOMPARE(d->stbFreeBytes() > 0, row.mounted && !listed);
            QCOMPARE(Text(*d, IDC_EDIT_STB_PATH), QStringLiteral("/"));
            QCOMPARE(d->pcGrid().GetRowCount(), 6);
            if (!row.mounted)
                ShootDialog(*d, "file-browser-mount-failed");
        }
        // A subfolder that cannot be listed keeps the way back up.
        f.messages.clear();
        f.box->ClearFaults();
        auto d = f.OpenBrowser(pc);
        f.box->SetFault("SIG_GET_DISK_FILE_INFO", Fault::Reply("SIG_DISK_FILE_INFO_ERROR").Once());
        DoubleClickRow(d->stbGrid(), RowOf(d->stbGrid(), "Movies"));
        QCOMPARE(f.messages.texts(), std::vector<std::string>{"USB memory info error!"});
        QCOMPARE(Column(d->stbGrid(), 1), (QStringList{"File", " .."}));
        DoubleClickRow(d->stbGrid(), 1);
        QCOMPARE(d->stbPath(), std::string("/"));
        QVERIFY(RowOf(d->stbGrid(), "Movies") > 0);
    }

    // Names that would lead out of the folder or across a line are shown nowhere, the rest
    // literally; the context menu; a stalled listing cancelled without a message.
    void hostileNamesContextMenuAndCancel()
    {
        BoxFixture f(179);
        auto d = f.OpenBrowser(MakePcFolder(f.dir));
        CGridCtrl& stbGrid = d->stbGrid();
        f.box->SetFault("SIG_GET_DISK_FILE_INFO", Fault::HostileNames().Once());
        DoubleClickRow(stbGrid, RowOf(stbGrid, "Movies"));
        QCOMPARE(Column(stbGrid, 1),
                 (QStringList{"File", " ..", " a|b", " new", " 0|..|0", " plain.txt"}));
        DoubleClickRow(stbGrid, 4); // a file named like a parent row
        QCOMPARE(d->stbPath(), std::string("/Movies"));
        QVERIFY(f.messages.texts().empty());

        // Over a selected row, by mouse, the menu key or Shift+F10; never over the header.
        ClickRow(stbGrid, 2);
        QVERIFY(UseMenu([&] { ClickRow(stbGrid, 3, Qt::RightButton); }));
        QCOMPARE(d->popupSide(), BrowserSide::Stb);
        QCOMPARE(d->SelectedEntries(BrowserSide::Stb),
                 std::vector<FileEntry>{FileEntry::Folder("a|b", 4096)});
        QVERIFY(!UseMenu([&] { ClickRow(stbGrid, 0, Qt::RightButton); }));
        ClickRow(d->pcGrid(), 1);
        QTest::keyClick(&d->pcGrid(), Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(UseMenu([&] { QTest::keyClick(&d->pcGrid(), Qt::Key_Menu); }));
        QCOMPARE(d->popupSide(), BrowserSide::Pc);
        QCOMPARE(d->SelectedEntries(BrowserSide::Pc),
                 std::vector<FileEntry>{FileEntry::Folder("Sub folder")});
        QVERIFY(UseMenu([&] { QTest::keyClick(&stbGrid, Qt::Key_F10, Qt::ShiftModifier); }));
        QCOMPARE(d->popupSide(), BrowserSide::Stb);

        // A listing that never comes: Cancel leaves the box side empty at the new folder.
        f.box->SetFault("SIG_GET_DISK_FILE_INFO", Fault::Stall());
        BusyIndicatorWatch watch(
            [](BusyIndicator& indicator) { indicator.cancelButton()->click(); });
        DoubleClickRow(stbGrid, 1);
        QCOMPARE(watch.shown(), 1);
        QVERIFY(f.messages.texts().empty());
        QCOMPARE(d->stbPath(), std::string("/"));
        QCOMPARE(stbGrid.GetRowCount(), 1);
        QCOMPARE(Text(*d, IDC_STATIC_STB_SUMMARY), QString());
    }
};

REGISTER_QTEST(FileBrowserDialogTest);
#include "FileBrowserDialogTest.moc"
