// "Select Disk" against the simulated box: the choices, the automatic choice, the failures.
#include "filebrowser/ui/CSelectDiskDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "stbsim/DiskLayout.h"
#include "tests/filebrowser/ui/BoxFixture.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/Screenshots.h"
#include "util/FormatSize.h"

#include <QPushButton>

namespace {

// A disk report with the given disks.conf lines, as the box would send it.
Fault Report(const char* config)
{
    std::string error;
    return Fault::Reply(BuildDiskReport(*ParseDiskConfig(config, error)) + "SIG_DISK_INFO_END\n");
}

} // namespace

class SelectDiskDialogTest final : public QObject {
    Q_OBJECT

private slots:
    // The demo box: sda with one partition, sdb with two.
    void showsEveryChoiceAndTakesTheSelectedOne()
    {
        BoxFixture f(174);
        CSelectDiskDlg dialog(f.address, f.services());
        ShootDialog(dialog, "select-disk");
        CGridCtrl& grid = dialog.grid();
        QCOMPARE(Column(grid, 0), (QStringList{"Disk", "Disk 1", "Disk 2-1", "Disk 2-2"}));
        QCOMPARE(grid.GetItemText(3, 1),
                 QString::fromStdString(FormatSize(double(dialog.disks()[2].size), 0)));
        QCOMPARE(grid.GetSelectedRows(), std::vector<int>{1});
        QCOMPARE(grid.GetFocusCell(), CCellID(1, 0));
        QTest::keyClick(&grid, Qt::Key_Down);
        QTest::keyClick(&grid, Qt::Key_Return);
        QCOMPARE(dialog.result(), IDOK);
        QCOMPARE(dialog.chosenDevice(), std::string("/dev/sdb1"));

        CSelectDiskDlg again(f.address, f.services());
        again.show();
        DoubleClickRow(again.grid(), 3);
        QCOMPARE(again.chosenDevice(), std::string("/dev/sdb2"));

        // Without a selection "Select" does nothing; "Exit" cancels.
        CSelectDiskDlg third(f.address, f.services());
        third.show();
        third.grid().ResetSelectedRange();
        for (int button : {IDOK, IDCANCEL})
            third.DlgItem<QPushButton>(button)->click();
        QCOMPARE(third.result(), IDCANCEL);
        QVERIFY(f.messages.texts().empty());
        QCOMPARE(f.box->MountedDevice(), std::nullopt);
    }

    // The only choice is taken and a failure shows its message, both without the dialog shown.
    // (The query's other failures: StbStorageTest.)
    void endsWhileOpeningWithOneChoiceOrAFailure()
    {
        BoxFixture f(176);
        const struct {
            std::string address;
            Fault fault;
            const char* message; // none: the only choice, /dev/sdc1, is taken
        } rows[] = {
            {f.address, Report("disk /dev/sdc 100\npart /dev/sdc1 1 100 b boot\n"), nullptr},
            {f.address, Report("disk /dev/sdc 100\n"), "No usb memory connected!"},
            {"127.0.0.183", Fault::Close(), "Connection failed!"}, // nothing listens there
        };
        for (const auto& row : rows) {
            f.messages.clear();
            f.box->SetFault("SIG_GET_DISK_INFO", row.fault);
            CSelectDiskDlg dialog(row.address, f.services());
            QCOMPARE(dialog.DoModal(), row.message ? IDCANCEL : IDOK);
            QCOMPARE(f.messages.texts(), row.message ? std::vector<std::string>{row.message}
                                                     : std::vector<std::string>{});
            QCOMPARE(dialog.chosenDevice(), std::string(row.message ? "" : "/dev/sdc1"));
        }
    }
};

REGISTER_QTEST(SelectDiskDialogTest);
#include "SelectDiskDialogTest.moc"
