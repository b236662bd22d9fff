// Copying and deleting from the file browser against the simulated box, driven by clicks and
// keys: the busy and progress windows, the overwrite question, Cancel, the refreshes.
#include "filebrowser/ui/COverwriteDlg.h"
#include "filebrowser/ui/CProgressDlg.h"
#include "filebrowser/ui/CWaitDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/filebrowser/ui/BoxFixture.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/Screenshots.h"
#include "tests/support/ui/UiDriving.h"

#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

namespace fs = std::filesystem;

namespace {

using Answer = MessageService::Answer;

// Presses a button as the keyboard does: focus, then Space.
void Press(CDialog& dialog, int id)
{
    auto* button = dialog.DlgItem<QPushButton>(id);
    button->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button, Qt::Key_Space);
}

// Runs `action` on each modal window of type T that opens while it lives.
template <class T> class EachModal {
public:
    explicit EachModal(std::function<void(T&)> action) : action_(std::move(action))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* window = dynamic_cast<T*>(QApplication::activeModalWidget());
            if (window && window != last_ && window->isVisible()) {
                last_ = window;
                action_(*window);
            }
        });
        timer_.start(5);
    }

private:
    std::function<void(T&)> action_;
    QPointer<T> last_;
    QTimer timer_;
};

// Polls until `condition` holds, then runs `action` once; gives up when `owner` goes.
void When(QObject* owner, std::function<bool()> condition, std::function<void()> action)
{
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [=] {
        if (!condition())
            return;
        timer->stop();
        action();
    });
    timer->start(10);
}

// The progress window's percentages as it ended.
struct FinalProgress {
    QString file, total;
    int totalBar = -1, result = 0;
};

EachModal<CProgressDlg> WatchProgress(FinalProgress& final)
{
    return EachModal<CProgressDlg>([&final](CProgressDlg& d) {
        QObject::connect(&d, &QDialog::finished, [&final, &d](int result) {
            final = {QString::fromStdString(d.GetDlgItemText(IDC_STATIC_FILE_PERCENT)),
                     QString::fromStdString(d.GetDlgItemText(IDC_STATIC_TOTAL_PERCENT)),
                     d.DlgItem<QProgressBar>(IDC_PROGRESS_TOTAL)->value(), result};
        });
    });
}

} // namespace

class TransferDialogsTest final : public QObject {
    Q_OBJECT

private slots:
    // Nothing to copy is refused before any window opens. A folder tree down with "<<" and up
    // again with ">>": every byte arrives, 100 % shows, the target side is listed again, its
    // free space asked again; more than that is refused before any window opens.
    void foldersCopyBothWaysAndTheTargetIsListed()
    {
        BoxFixture f(203);
        fs::create_directories(f.dir / "pc");
        auto d = f.OpenBrowser(f.dir / "pc");
        const fs::path disk = f.box->PartitionFolder("/dev/sda1");
        FinalProgress final;
        auto watch = WatchProgress(final);
        int scans = 0;
        EachModal<CWaitDlg> waits([&](CWaitDlg&) { ++scans; });
        Press(*d, IDC_BUTTON_DOWNLOAD); // nothing selected
        SelectRows(d->pcGrid(), {".."});
        Press(*d, IDC_BUTTON_UPLOAD);

        SelectRows(d->stbGrid(), {"Movies", "readme.txt"});
        Press(*d, IDC_BUTTON_DOWNLOAD);
        QCOMPARE(scans, 1);
        QCOMPARE(final.result, 1);
        QCOMPARE(final.total, QStringLiteral("100 %"));
        QCOMPARE(final.totalBar, 100);
        QCOMPARE(ReadTree(f.dir / "pc" / "Movies"), ReadTree(disk / "Movies"));
        QCOMPARE(ReadWholeFile(f.dir / "pc" / "readme.txt"), ReadWholeFile(disk / "readme.txt"));
        QCOMPARE(Column(d->pcGrid(), 1), (QStringList{"File", " ..", " Movies", " readme.txt"}));

        DoubleClickRow(d->stbGrid(), RowOf(d->stbGrid(), "Empty folder"));
        f.box->SetFault(
            "SIG_COMMAND_START:df",
            Fault::Reply("/dev/sda1 100 100 0 100% /mnt/link_to_pc\nSIG_COMMAND_SUCCESS"));
        SelectRows(d->pcGrid(), {"Movies"});
        Press(*d, IDC_BUTTON_UPLOAD);
        QCOMPARE(scans, 2);
        QCOMPARE(std::exchange(final.result, 0), 1);
        QCOMPARE(final.total, QStringLiteral("100 %"));
        QCOMPARE(ReadTree(disk / "Empty folder" / "Movies"), ReadTree(f.dir / "pc" / "Movies"));
        QCOMPARE(Column(d->stbGrid(), 1), (QStringList{"File", " ..", " Movies"}));
        QCOMPARE(d->stbFreeBytes(), 0);
        SelectRows(d->pcGrid(), {"readme.txt"});
        Press(*d, IDC_BUTTON_UPLOAD);
        QCOMPARE(scans, 2);
        QCOMPARE(final.result, 0);
        QCOMPARE(f.messages.texts(), (Texts{"Select file!", "Select file!", "Disk full!"}));
    }

    // Yes without a choice asks again, No skips one file, "All skip" and "All overwrite" settle
    // the rest of the run; the path shown is the box's, below its mount point.
    void theOverwriteQuestionDecidesFileByFile()
    {
        BoxFixture f(204);
        const fs::path disk = f.box->PartitionFolder("/dev/sda1");
        for (const char* name : {"f1.txt", "f2.txt", "f3.txt", "f4.txt"}) {
            WriteWholeFile(f.dir / "pc" / name, std::string(10, 'n'));
            WriteWholeFile(disk / "Empty folder" / name, std::string(5, 'o'));
        }
        auto d = f.OpenBrowser(f.dir / "pc");
        DoubleClickRow(d->stbGrid(), RowOf(d->stbGrid(), "Empty folder"));

        struct Reply {
            int radio; // 0: none
            bool yes;
        };
        const struct {
            std::vector<Reply> replies;
            std::string replaced; // per file: n new, o old
        } runs[] = {
            {{{0, true}, {0, false}, {IDC_RADIO_ALL_SKIP, true}}, "nooo"},
            {{{IDC_RADIO_ALL_OVERWRITE, true}}, "nnnn"},
        };
        for (const auto& run : runs) {
            std::size_t next = 0;
            QStringList paths;
            EachModal<COverwriteDlg> answer([&](COverwriteDlg& q) {
                paths << QString::fromStdString(q.GetDlgItemText(IDC_STATIC_FILE));
                if (paths.size() == 1)
                    ShootDialog(q, "overwrite-dialog");
                // A question too many is answered No and fails the count below.
                const Reply reply = next < run.replies.size() ? run.replies[next] : Reply{0, false};
                ++next;
                if (reply.radio)
                    ClickRadio(q.GetDlgItem(reply.radio));
                QTest::keyClick(&q, reply.yes ? Qt::Key_Return : Qt::Key_Escape);
            });
            SelectRows(d->pcGrid(), {"f1.txt", "f2.txt", "f3.txt", "f4.txt"});
            Press(*d, IDC_BUTTON_UPLOAD);
            QCOMPARE(next, run.replies.size());
            QCOMPARE(paths.first(), QStringLiteral("/Empty folder/f1.txt"));
            std::string replaced;
            for (const char* name : {"f1.txt", "f2.txt", "f3.txt", "f4.txt"})
                replaced += ReadWholeFile(disk / "Empty folder" / name).front();
            QCOMPARE(replaced, run.replaced);
        }
        QVERIFY(f.messages.texts().empty());
    }

    // The box stops answering in the middle of an upload: the window keeps painting, the worker
    // asked first is told No and goes on, the window itself then asks, and Yes ends the run.
    void cancelNoThenYesWhileTheBoxStalls()
    {
        BoxFixture f(205);
        WriteWholeFile(f.dir / "pc" / "Clips" / "a big.ts", std::string(600000, 'x'));
        WriteWholeFile(f.dir / "pc" / "Clips" / "b.ts", std::string(300000, 'x'));
        WriteWholeFile(f.dir / "pc" / "Clips" / "c.ts", std::string(100000, 'x'));
        auto d = f.OpenBrowser(f.dir / "pc");
        f.box->SetFault("SIG_SET_FILE_START", Fault::Stall().AfterData().Once());
        f.messages.QueueAnswer(Answer::No);
        bool stalled = false;
        FinalProgress final;
        auto watch = WatchProgress(final);
        EachModal<CProgressDlg> cancel([&](CProgressDlg& p) {
            // Before the worker starts: it finds the request at once and asks.
            p.DlgItem<QPushButton>(IDC_BUTTON_CANCEL)->click();
            // The first file's bytes are out and its confirmation never comes; the window
            // still shows what the worker sent.
            When(
                &p,
                [&] {
                    return f.messages.texts().size() == 1 &&
                           p.GetDlgItemText(IDC_STATIC_TOTAL_PERCENT) == "60 %";
                },
                [&] {
                    stalled = true;
                    ShootDialog(p, "progress-dialog");
                    QTest::mouseClick(p.DlgItem<QPushButton>(IDC_BUTTON_CANCEL), Qt::LeftButton);
                });
        });
        SelectRows(d->pcGrid(), {"Clips"});
        Press(*d, IDC_BUTTON_UPLOAD);
        QVERIFY(stalled);
        QCOMPARE(final.result, 2);
        QCOMPARE(final.file, QStringLiteral("100 %"));
        QCOMPARE(f.messages.texts(), (std::vector<std::string>{"Cancel?", "Cancel?"}));
        QCOMPARE(Column(d->stbGrid(), 1).count(QStringLiteral(" Clips")), 1);
    }

    // A scan of the box that never ends: the hourglass turns, Cancel and Yes end it, nothing
    // is copied and nothing else is said.
    void aStalledScanIsCancelled()
    {
        BoxFixture f(206);
        fs::create_directories(f.dir / "pc");
        auto d = f.OpenBrowser(f.dir / "pc");
        f.box->SetFault("SIG_COMMAND_START:du", Fault::Stall());
        QSet<int> frames;
        int progress = 0;
        EachModal<CProgressDlg> none([&](CProgressDlg&) { ++progress; });
        EachModal<CWaitDlg> wait([&](CWaitDlg& w) {
            When(
                &w, [&] { return (frames << w.frame()).size() >= 4; },
                [&] {
                    ShootDialog(w, "wait-dialog");
                    QTest::keyClick(w.DlgItem<QPushButton>(IDC_BUTTON_CANCEL), Qt::Key_Space);
                });
        });
        SelectRows(d->stbGrid(), {"Movies"});
        Press(*d, IDC_BUTTON_DOWNLOAD);
        QCOMPARE(progress, 0);
        QCOMPARE(f.messages.texts(), std::vector<std::string>{"Cancel?"});
        QVERIFY(fs::is_empty(f.dir / "pc"));
    }

    // Both sides ask first; No keeps everything. A row the box refuses is named, the rest go.
    void deletionOnBothSidesAsksAndRefreshes()
    {
        BoxFixture f(208);
        WriteWholeFile(f.dir / "pc" / "Tree" / "sub" / "deep.txt", std::string(3, 'x'));
        WriteWholeFile(f.dir / "pc" / "loose.txt", std::string(4, 'x'));
        WriteWholeFile(f.dir / "pc" / "kept.txt", std::string(5, 'x'));
        auto d = f.OpenBrowser(f.dir / "pc");
        const fs::path disk = f.box->PartitionFolder("/dev/sda1");

        SelectRows(d->pcGrid(), {"Tree", "loose.txt"});
        f.messages.QueueAnswer(Answer::No);
        QTest::keyClick(&d->pcGrid(), Qt::Key_Delete);
        QVERIFY(fs::exists(f.dir / "pc" / "Tree"));
        QVERIFY(UseContextMenu([&] { QTest::keyClick(&d->pcGrid(), Qt::Key_Menu); }, ID_DELETE));
        QCOMPARE(Column(d->pcGrid(), 1), (QStringList{"File", " ..", " kept.txt"}));
        QVERIFY(!fs::exists(f.dir / "pc" / "Tree") && !fs::exists(f.dir / "pc" / "loose.txt"));

        int waits = 0;
        EachModal<CWaitDlg> wait([&](CWaitDlg&) { ++waits; });
        f.box->SetFault("SIG_COMMAND_START:rm", Fault::Reply("SIG_COMMAND_ERROR").Once());
        SelectRows(d->stbGrid(), {"Music", "Photos"});
        QVERIFY(RightClickCommand(d->stbGrid(), RowOf(d->stbGrid(), "Photos"), ID_DELETE));
        QCOMPARE(waits, 1);
        QCOMPARE(
            f.messages.texts(),
            (std::vector<std::string>{"Delete directory and files?", "Delete directory and files?",
                                      "Delete directory and files?",
                                      "Directory delete failed!\n\n/mnt/link_to_pc/Music"}));
        QVERIFY(fs::exists(disk / "Music") && !fs::exists(disk / "Photos"));
        QCOMPARE(RowOf(d->stbGrid(), "Photos"), -1);
        QVERIFY(RowOf(d->stbGrid(), "Music") > 0);
        QVERIFY(f.box->Requests().back().find("df /dev/sda1") != std::string::npos);
    }
};

REGISTER_QTEST(TransferDialogsTest);
#include "TransferDialogsTest.moc"
