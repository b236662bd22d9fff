// The main window with the real connect dialog against a simulated box.
#include "app/CChNumDisplayDlg.h"
#include "chdb/BackupFile.h"
#include "chdb/ChannelView.h"
#include "chdb/DvbText.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/BusyIndicator.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/BusyIndicatorWatch.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/Screenshots.h"
#include "util/Settings.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <fstream>

namespace {

using Texts = std::vector<std::string>;

QRadioButton* Radio(CMainDlg& window, int id) { return window.DlgItem<QRadioButton>(id); }

// Counts the paint events a widget gets.
struct PaintCounter final : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// Share of a cell's pixels, drawn at the window's pixel ratio, that differ from its corner: a
// mark covers a good part of its cell, an empty cell nothing.
double InkIn(CGridCtrl& grid, int row, int column)
{
    grid.EnsureVisible(row, column);
    const qreal ratio = grid.devicePixelRatioF();
    QImage shot(grid.viewport()->size() * ratio, QImage::Format_ARGB32);
    shot.setDevicePixelRatio(ratio);
    grid.viewport()->render(&shot);
    // Inside the grid lines, a device pixel off the edges.
    const QRect cell = QTransform::fromScale(ratio, ratio)
                           .mapRect(grid.GetCellRect(row, column).adjusted(0, 0, -1, -1))
                           .adjusted(1, 1, -1, -1);
    const QRgb corner = shot.pixel(cell.topLeft());
    int ink = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            ink += shot.pixel(x, y) != corner;
    return double(ink) / (cell.width() * cell.height());
}

QStringList Decoded(const std::vector<std::string>& bytes)
{
    QStringList texts;
    for (const std::string& b : bytes)
        texts << QString::fromStdString(DecodeDvbText(b));
    return texts;
}

// Types `rows` into the grid height dialog and presses Enter.
bool SetGridRows(MainWindowHarness& h, const char* rows)
{
    return h.RunDialog<CChNumDisplayDlg>(ID_CHANNEL_NUMBER_DISPLAY, [rows](CChNumDisplayDlg& d) {
        TypeInto(d.GetDlgItem(IDC_EDIT_ROW_COUNT), QString::fromLatin1(rows));
        PressEnter(d);
    });
}

} // namespace

class MainWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void startsWithNoDataAndTheDataCommandsDisabled()
    {
        MainWindowHarness h;
        CMainDlg& w = h.Open();
        QCOMPARE(w.windowTitle(), QStringLiteral("pelon-i"));
        QVERIFY(w.categoryGrid().GetRowCount() == 0 && w.channelGrid().GetColumnCount() == 4);
        // The editors and the backup commands (the first six) need data, "file browser" does not.
        const int commands[] = {ID_UPDATE_STB,     ID_EXPORT_DATA, ID_EDIT_SAT_LISTS, ID_EDIT_USER_LISTS,
                                ID_RESTORE_BACKUP, ID_APPLY_ORDER, ID_CONNECT_STB,    ID_IMPORT_DATA,
                                ID_CHANNEL_NUMBER_DISPLAY, ID_FILE_BROWSER};
        for (int i = 0; i < 10; ++i)
            QVERIFY2(h.Enabled(commands[i]) == (i >= 6), qPrintable(QString::number(commands[i])));
        QVERIFY(w.workDir() == h.privateDir().string() && w.backupPath() == h.work().string());
        ShootDialog(w, "main-window-empty"); // every text fits

        // With no data a click on a list button shows neither.
        QTest::mouseClick(Radio(w, IDC_RADIO_RADIO), Qt::LeftButton);
        QVERIFY(!Radio(w, IDC_RADIO_TV)->isChecked() && !Radio(w, IDC_RADIO_RADIO)->isChecked());

        // Enter and Escape never close the window; without data the close box just closes.
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
            QTest::keyClick(&w.channelGrid(), key);
        QVERIFY(w.isVisible());
        w.OnCommand(ID_EXIT);
        QVERIFY(!w.isVisible() && h.messages.texts().empty());
    }

    void downloadFillsTheLinkedGridsAndExitAsks()
    {
        MainWindowHarness h;
        QVERIFY2(h.OpenConnected("127.0.0.160"), h.messages.last().c_str());
        CMainDlg& w = h.window();
        const DatabaseState& s = w.state();
        QVERIFY(s.db == h.box().Database() && s.stbAddress == "127.0.0.160" && ReadLastConnectIp() == "127.0.0.160");
        QVERIFY(Radio(w, IDC_RADIO_TV)->isChecked() && h.Enabled(ID_UPDATE_STB));
        QCOMPARE(Column(w.categoryGrid()), (QStringList{"SAT", "User", "A-Z", "FTA/CAS", "SD/HD"}));
        QCOMPARE(w.categoryGrid().GetFocusCell().row, 0);

        // SAT / All: every TV channel in table order, numbered, with its marks.
        const ChannelView all = BuildChannelView(s, 0, 0);
        QVERIFY(all.size() > 0 && w.channelGrid().GetRowCount() == all.size());
        for (int r : {0, all.size() - 1}) {
            const ChannelInfo& c = all.records[static_cast<std::size_t>(r)];
            QCOMPARE(w.channelGrid().GetItemText(r, 0),
                     QString::asprintf("  %4d    ", r + 1) + QString::fromStdString(DecodeDvbText(c.name())));
            QCOMPARE((std::vector{w.channelGrid().GetItemImage(r, 1), w.channelGrid().GetItemImage(r, 2),
                                  w.channelGrid().GetItemImage(r, 3)}),
                     (std::vector{c.isHd() ? 0 : -1, c.casMask() ? 1 : -1, c.lock() == 1 ? 2 : -1}));
        }

        // The marks show at any screen scale (the suite runs at 1, 1.5 and 2 too).
        for (int column = 1; column <= 3; ++column) {
            int marked = -1, plain = -1;
            for (int r = 1; r < all.size() && (marked < 0 || plain < 0); ++r)
                (w.channelGrid().GetItemImage(r, column) >= 0 ? marked : plain) = r;
            QVERIFY(marked > 0 && plain > 0);
            QVERIFY2(InkIn(w.channelGrid(), marked, column) > 0.05, "no mark drawn");
            QCOMPARE(InkIn(w.channelGrid(), plain, column), 0.0);
        }

        ShootWindow(w, "main-window-tv");
        // Every category and group shows the view the model builds, selected by clicks.
        for (int category = 0; category < 5; ++category) {
            ClickRow(w.categoryGrid(), category);
            QCOMPARE(w.groupGrid().GetFocusCell().row, 0);
            QCOMPARE(Column(w.groupGrid()), Decoded(GroupRows(s, static_cast<Category>(category))));
            for (int group = 0; group < w.groupGrid().GetRowCount(); group += 3) {
                ClickRow(w.groupGrid(), group);
                QCOMPARE(w.channelView().tableIndices, BuildChannelView(s, category, group).tableIndices);
                QCOMPARE(w.channelGrid().GetRowCount(), w.channelView().size());
            }
        }

        // The keyboard moves through the groups too.
        ClickRow(w.categoryGrid(), 2);
        w.groupGrid().setFocus();
        QTest::keyClick(&w.groupGrid(), Qt::Key_Down);
        QCOMPARE(w.groupGrid().GetFocusCell().row, 1);
        QCOMPARE(w.channelView().tableIndices, BuildChannelView(s, 2, 1).tableIndices);

        // Only "SAT" lets several channels be selected.
        QVERIFY(w.channelGrid().GetSingleRowSelection());
        ClickRow(w.categoryGrid(), 0);
        QVERIFY(!w.channelGrid().GetSingleRowSelection());

        // The radio switch refills the categories, without "SD/HD".
        ClickRow(w.categoryGrid(), 4);
        QTest::mouseClick(Radio(w, IDC_RADIO_RADIO), Qt::LeftButton);
        QVERIFY(s.list == 1 && w.categoryGrid().GetFocusCell().row == 0);
        QCOMPARE(Column(w.categoryGrid()), (QStringList{"SAT", "User", "A-Z", "FTA/CAS"}));
        QVERIFY(w.channelView().size() > 0 && std::ranges::all_of(w.channelView().records, &ChannelInfo::isRadio));
        ShootWindow(w, "main-window-radio");
        QTest::mouseClick(Radio(w, IDC_RADIO_TV), Qt::LeftButton);
        QCOMPARE(w.categoryGrid().GetRowCount(), 5);

        // With data shown the close box asks first; "No" keeps the window.
        h.messages.QueueAnswer(MessageService::Answer::No);
        w.close();
        QVERIFY(w.isVisible() && h.messages.texts() == Texts{"Exit program?"});
        w.OnCommand(ID_EXIT); // answered Yes
        QVERIFY(!w.isVisible());
    }

    // The working files go to the private folder, so a current folder that cannot take them
    // (read-only, or removed: root writes anywhere) does not matter, and neither keeps a file.
    void downloadWorksFromACurrentFolderItCannotWrite()
    {
        namespace fs = std::filesystem;
        MainWindowHarness h;
        h.StartBox("127.0.0.116", DemoSize::Tiny);
        CMainDlg& w = h.Open();
        fs::permissions(h.work(), fs::perms::owner_read | fs::perms::owner_exec);
        for (const char* folder : {"read-only", "removed"}) {
            if (folder == std::string("removed"))
                fs::remove(h.work());
            QVERIFY2(h.ConnectThroughDialog("127.0.0.116"), folder);
            QVERIFY2(h.messages.texts().empty(), h.messages.last().c_str());
            QVERIFY(w.state().hasData() && !h.PrivateFilesLeft() && (!fs::exists(h.work()) || fs::is_empty(h.work())));
        }
    }

    // (The refused row counts are the dialog's own test.)
    void gridHeightSettingResizesAndIsStored()
    {
        MainWindowHarness h;
        CMainDlg& w = h.Open();
        const int height = w.height();
        const int gridHeight = w.channelGrid().height();
        QCOMPARE(gridHeight, 10 * 24 + 2 * w.channelGrid().frameWidth()); // ten rows exactly
        QVERIFY(SetGridRows(h, "20"));
        QVERIFY(w.gridRows() == 20 && ReadGridRowCount() == 20);
        QVERIFY(w.height() == height + 240 && w.channelGrid().height() == gridHeight + 240);
        QCOMPARE(w.groupGrid().height(), gridHeight + 240);
        CMainDlg& again = h.Open(); // the next start opens at the stored height
        QCOMPARE(again.height(), height + 240);

        // Thirty rows are too many for the test screen: the window shows as many whole rows as
        // fit and stays within the screen's available area, now and at the next start; the
        // setting is kept.
        QCOMPARE(again.screen()->geometry().size(), QSize(1280, 800));
        const QRect available = again.screen()->availableGeometry();
        QVERIFY(SetGridRows(h, "30") && ReadGridRowCount() == 30);
        QVERIFY(available.contains(again.frameGeometry()) && again.frameGeometry().height() + 24 > available.height());
        QCOMPARE((again.channelGrid().height() - gridHeight) % 24, 0);
        CMainDlg& third = h.Open();
        QVERIFY(available.contains(third.frameGeometry()) && third.height() > height + 240);
    }

    void exportAndImportABackup()
    {
        MainWindowHarness h;
        QVERIFY2(h.OpenConnected("127.0.0.162"), h.messages.last().c_str());
        CMainDlg& w = h.window();
        const ChannelDatabase downloaded = w.state().db;

        const std::string path = (h.work() / "saved.ech").string(), broken = (h.work() / "broken.ech").string();
        h.files.QueueAnswer(path);
        w.OnCommand(ID_EXPORT_DATA);
        const FileDialogRequest& save = h.files.calls().back().request;
        QCOMPARE((std::vector{save.title, save.filter, save.defaultExtension, save.start}),
                 (std::vector<std::string>{"Channel Backup File", "Channel Backup File(*.ech)|*.ech|", "ech", h.work().string()}));
        QCOMPARE(h.messages.last(), "Data exported!\n\n" + path);
        QCOMPARE(std::filesystem::file_size(path), std::uintmax_t{kBackupFileSize});

        // A broken file changes nothing shown.
        std::ofstream(broken) << "not a backup";
        ClickRow(w.categoryGrid(), 2);
        h.files.QueueAnswer(broken);
        w.OnCommand(ID_IMPORT_DATA);
        QCOMPARE(h.messages.last(), std::string("Version not matching!"));
        QVERIFY(w.categoryGrid().GetFocusCell().row == 2 && w.state().stbAddress == "127.0.0.162");
        QCOMPARE(w.backupPath(), broken);

        h.files.QueueAnswer(path);
        w.OnCommand(ID_IMPORT_DATA);
        const FileDialogRequest& open = h.files.calls().back().request;
        QVERIFY(open.defaultExtension.empty() && open.start == broken);
        const DatabaseState& s = w.state();
        QVERIFY(s.db == downloaded && s.modified && s.stbAddress.empty() && s.casList.size() == 30);
        QVERIFY(w.categoryGrid().GetFocusCell().row == 0 && Radio(w, IDC_RADIO_TV)->isChecked());
        QCOMPARE(w.channelGrid().GetRowCount(), BuildChannelView(s, 0, 0).size());

        // After an import the update asks for the address, then sends the data.
        ChannelDatabase other = h.box().Database();
        other.setChannelCount(1);
        QVERIFY(h.box().SetDatabase(other));
        h.messages.clear();
        QVERIFY(h.RunCommandAcceptingConnect(ID_UPDATE_STB)); // pre-filled with LastConnectIP
        QCOMPARE(h.messages.texts(), (Texts{"Update STB?", "Update STB"}));
        QVERIFY(!w.state().modified && h.box().Database() == downloaded && w.state().stbAddress == "127.0.0.162");
    }

    // A failed download keeps the data shown, a failed update the data and its modified flag.
    // (Each failure's message and what is sent are the link's own tests.)
    void exchangeFailuresKeepTheShownData()
    {
        MainWindowHarness h;
        QVERIFY2(h.OpenConnected("127.0.0.163"), h.messages.last().c_str());
        CMainDlg& w = h.window();
        StbSimulator& box = h.box();
        const int rows = w.channelGrid().GetRowCount();
        const struct {
            int command;
            const char* keyword;
            Fault fault;
            const char* message;
        } cases[] = {
            {ID_CONNECT_STB, "SIG_BACKUP_DATA_CHECK", Fault::Reply("SIG_BACKUP_DATA_ERROR"), "Version not matching!"},
            {ID_UPDATE_STB, "SIG_SET_CHDATA", Fault::Reply("SIG_UPDATE_ERROR"), "Send error!"},
            {ID_UPDATE_STB, "SIG_UPDATE_CHANNEL", Fault::Reply("SIG_UPDATE_ERROR"), "Update error!"},
        };
        for (const auto& c : cases) {
            w.state().modified = true;
            h.messages.clear();
            box.ClearFaults();
            box.SetFault(c.keyword, c.fault);
            if (c.command == ID_CONNECT_STB)
                QVERIFY(h.ConnectThroughDialog("127.0.0.163"));
            else
                w.OnCommand(c.command);
            QCOMPARE(h.messages.last(), std::string(c.message));
            QCOMPARE(h.messages.texts().size(), std::size_t(c.command == ID_UPDATE_STB ? 2 : 1)); // "Update STB?"
            QVERIFY(w.channelGrid().GetRowCount() == rows && Radio(w, IDC_RADIO_TV)->isChecked() && w.state().modified);
        }
        // A report without its end line clears the data.
        box.ClearFaults();
        box.SetFault("SIG_CHN_START", Fault::Reply("SIG_SAT_LIST_START|0\nxSIG_CHN_END\n"));
        h.messages.clear();
        QVERIFY(h.ConnectThroughDialog("127.0.0.163") && h.messages.texts() == Texts{"Data error!"});
        QCOMPARE(w.categoryGrid().GetRowCount() + w.channelGrid().GetRowCount(), 0);
        QVERIFY(!Radio(w, IDC_RADIO_TV)->isChecked() && !h.Enabled(ID_UPDATE_STB));
    }

    // A box that stops answering: the window keeps painting and ignores the user, the indicator
    // comes up, and Cancel ends the exchange at once as a silent failure that sends nothing
    // more. With the box answering, no indicator shows.
    void stalledExchangesCancelWithTheOldStateKept()
    {
        MainWindowHarness h;
        StbSimulator& box = h.StartBox("127.0.0.122", DemoSize::Tiny);
        CMainDlg& w = h.Open();
        PaintCounter counter;
        w.installEventFilter(&counter);
        QElapsedTimer clock;
        qint64 shownMs = 0;
        std::size_t requestsAtCancel = 0;
        bool byKeyboard = false;
        BusyIndicatorWatch watch([&](BusyIndicator& indicator) {
            shownMs = clock.elapsed();
            const int before = counter.paints;
            w.update();
            QTest::qWait(100);
            QVERIFY(counter.paints > before);
            QTest::mouseClick(Radio(w, IDC_RADIO_RADIO), Qt::LeftButton);
            QTest::keyClick(&w.groupGrid(), Qt::Key_Down);
            QCloseEvent closeBox;
            QSpontaneKeyEvent::setSpontaneous(&closeBox);
            qApp->notify(&w, &closeBox); // as the window system delivers it
            ShootWindow(w, "main-window-busy", &indicator);
            requestsAtCancel = box.Requests().size();
            clock.restart();
            const bool focused = QApplication::focusWidget() == indicator.cancelButton();
            if (byKeyboard && focused)
                QTest::keyClick(indicator.cancelButton(), Qt::Key_Space);
            else
                QTest::mouseClick(indicator.cancelButton(), Qt::LeftButton);
            QVERIFY(focused); // so that Space presses it
        });
        QVERIFY(h.ConnectThroughDialog("127.0.0.122"));
        QCOMPARE(watch.shown(), 0); // a box that answers takes about 100 ms here
        const int rows = w.channelGrid().GetRowCount();
        const int group = w.groupGrid().GetFocusCell().row;

        for (const auto& [command, keyword] : {std::pair{ID_CONNECT_STB, "SIG_GET_CHDATA"},
                                               std::pair{ID_UPDATE_STB, "SIG_SET_CHINDEX"}}) {
            box.SetFault(keyword, Fault::Stall());
            w.state().modified = true;
            h.messages.clear();
            clock.start();
            byKeyboard = command == ID_UPDATE_STB;
            if (command == ID_CONNECT_STB)
                QVERIFY(h.ConnectThroughDialog("127.0.0.122"));
            else
                w.OnCommand(command);
            QVERIFY(shownMs >= 280 && clock.elapsed() < 3000); // the latter from the cancel
            QCOMPARE(h.messages.texts(), byKeyboard ? Texts{"Update STB?"} : Texts{});
            QVERIFY(box.Requests().size() == requestsAtCancel && box.Requests().back().starts_with(keyword));
            // The old data stays shown, untouched by the clicks and keys.
            QVERIFY(w.channelGrid().GetRowCount() == rows && w.groupGrid().GetFocusCell().row == group);
            QVERIFY(Radio(w, IDC_RADIO_TV)->isChecked() && w.state().list == 0 && w.state().modified && w.isVisible());
            box.ClearFaults();
        }
        QTest::qWait(200);
        QCOMPARE(box.Requests().size(), requestsAtCancel);

        // The next exchange runs as ever.
        h.messages.clear();
        QVERIFY(h.ConnectThroughDialog("127.0.0.122"));
        QVERIFY2(h.messages.texts().empty() && !w.state().modified, h.messages.last().c_str());
    }
};

REGISTER_QTEST(MainWindowTest);

#include "MainWindowTest.moc"
