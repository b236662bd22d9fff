// Lays out the dialogs with the real font and checks that every text fits its control. With
// CHANNELTOOL_SCREENSHOTS=DIR it also saves PNG pictures of the dialogs, a message box and the
// artwork there, for looking at them.
#include "app/CBackupListDlg.h"
#include "app/CChNumDisplayDlg.h"
#include "app/CConnectDlg.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/QtMessageBoxes.h"
#include "res/Artwork.h"
#include "res/ResourceIds.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/Screenshots.h"

#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

namespace {

// Each mark at 1x magnified 4x, to see the pixels, and drawn at 2x; below them the program
// icon in every shipped size, then the busy animation's frames at 1x magnified 2x and at 2x.
QImage ContactSheet()
{
    QImage sheet(QSize(1000, 610), QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int x = 0;
    for (int id : {IDB_HD, IDB_SCRAMBLED, IDB_LOCK, IDB_TV, IDB_RADIO, IDB_FOLDER}) {
        const QImage one = RenderBitmap(id);
        p.drawImage(QRect(QPoint(x, 0), one.size() * 4), one);
        p.drawImage(QRect(QPoint(x + 100, 0), one.size() * 2), RenderBitmap(id, 2.0));
        x += 160;
    }
    x = 0;
    for (int size : kProgramIconSizes) {
        p.drawImage(QPoint(x, 100), RenderProgramIcon(size));
        x += size + 8;
    }
    for (int i = 0; i < kWaitFrameCount; ++i) {
        const QRect place(QPoint(i * 90, 370), BitmapSize(IDB_WAIT_FIRST) * 2);
        p.drawImage(place, RenderBitmap(IDB_WAIT_FIRST + i));
        p.drawImage(place.translated(0, 120), RenderBitmap(IDB_WAIT_FIRST + i, 2.0));
    }
    return sheet;
}

} // namespace

class ScreenshotTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Screenshots of the real thing: the font must be a real one, not a fallback.
        QCOMPARE(QFontInfo(qApp->font()).family(), QStringLiteral("DejaVu Sans"));
    }

    void dialogs()
    {
        CConnectDlg connect;
        connect.m_strAddress = "127.0.0.1";
        ShootDialog(connect, "connect-dialog");
        RecordingMessages messages;
        CChNumDisplayDlg gridHeight(messages);
        gridHeight.m_nRows = 10;
        ShootDialog(gridHeight, "grid-height-dialog"); // (the main window's are its own test's)
    }

    // Every text of the backup list fits its column.
    void backupList()
    {
        const std::vector<KeptBackup> kept = {
            {"192.168.100.200", "2024-05-01", "21:14:03", BackupKind::Uploaded, 9999, "/a.ech", 2},
            {"192.168.100.200", "2024-05-01", "21:14:03", BackupKind::Downloaded, 1873, "/b.ech", 1},
            {"10.0.0.7", "2023-12-24", "08:00:59", BackupKind::Downloaded, 0, "/c.ech", 1},
        };
        for (auto purpose : {CBackupListDlg::Purpose::Restore, CBackupListDlg::Purpose::ApplyOrder}) {
            CBackupListDlg dialog(kept, purpose);
            const bool restore = purpose == CBackupListDlg::Purpose::Restore;
            ShootDialog(dialog, restore ? "restore-backup-dialog" : "apply-order-dialog");
            const CGridCtrl& grid = dialog.grid();
            for (int r = 0; r < grid.GetRowCount(); ++r)
                for (int c = 0; c < grid.GetColumnCount(); ++c)
                    QVERIFY2(grid.fontMetrics().horizontalAdvance(grid.GetItemText(r, c)) <
                                 grid.GetColumnWidth(c),
                             qPrintable(grid.GetItemText(r, c)));
            QVERIFY(grid.GetCellRect(grid.GetRowCount() - 1, 0).bottom() < grid.height());
        }
    }

    void messageBoxArtworkAndBusyIndicator()
    {
        QtMessageBoxes boxes;
        auto watcher = ModalWatcher::For<QMessageBox>([](QMessageBox* box) {
            QTest::qWait(50);
            SaveScreenshot(box->grab().toImage(), "message-box");
            box->button(QMessageBox::Yes)->click();
        });
        boxes.Show("Exit program?", MessageService::Buttons::YesNo);
        QVERIFY(watcher.ran());
        SaveScreenshot(ContactSheet(), "artwork");
        BusyIndicator indicator(nullptr);
        indicator.Popup();
        QVERIFY(QTest::qWaitForWindowExposed(&indicator));
        QVERIFY(indicator.cancelButton()->hasFocus() || !indicator.isActiveWindow());
        SaveScreenshot(indicator.grab().toImage(), "busy-indicator");
    }
};

REGISTER_QTEST(ScreenshotTest);
#include "ScreenshotTest.moc"
