// The Qt message boxes and file dialogs behind the MessageService and FileDialogs services.
#include "platform/ui/FileFilter.h"
#include "platform/ui/QtFileDialogs.h"
#include "platform/ui/QtMessageBoxes.h"
#include "tests/support/TempDir.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>

#include <atomic>
#include <fstream>
#include <thread>

namespace {

QString Canonical(const std::filesystem::path& path)
{
    return QDir(QString::fromStdString(path.string())).canonicalPath();
}

} // namespace

class QtServicesTest final : public QObject {
    Q_OBJECT

private slots:
    // The model name as caption, no icon, the text never read as markup and the buttons asked
    // for; Escape answers No or OK.
    void boxesHaveTheModelCaptionNoIconAndTheirButtons()
    {
        QtMessageBoxes boxes;
        for (bool yesNo : {true, false}) {
            auto watcher = ModalWatcher::For<QMessageBox>([yesNo](QMessageBox* box) {
                QVERIFY(box->windowTitle() == "pelon-i" && box->icon() == QMessageBox::NoIcon);
                QVERIFY(box->text() == "Exit <program>?" && box->textFormat() == Qt::PlainText);
                QCOMPARE(box->standardButtons(), yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
                QTest::keyClick(box, Qt::Key_Escape);
            });
            using M = MessageService;
            QCOMPARE(boxes.Show("Exit <program>?", yesNo ? M::Buttons::YesNo : M::Buttons::Ok),
                     yesNo ? M::Answer::No : M::Answer::Ok);
            QVERIFY(watcher.ran());
        }
    }

    // Regression: the minimum width that widens a short question once cut longer texts off.
    void aLongMessageIsShownWhole()
    {
        QtMessageBoxes boxes;
        const std::string text = "channeltool cannot start: no temporary folder: No such file "
                                 "or directory\n\n/home/someone/a long folder/and a file.ech";
        QRect needed, shown;
        auto watcher = ModalWatcher::For<QMessageBox>([&](QMessageBox* box) {
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                shown = label->rect();
                needed = label->fontMetrics().boundingRect(QRect(0, 0, shown.width(), 100000),
                                                           Qt::TextWordWrap, label->text());
            }
            box->button(QMessageBox::Ok)->click();
        });
        boxes.Show(text, MessageService::Buttons::Ok);
        QVERIFY(watcher.ran());
        QVERIFY(!shown.isEmpty() && shown.united(needed) == shown);
    }

    // From a worker the box runs on the UI thread over the modal dialog in front, and the
    // worker waits until it is answered.
    void aWorkerWaitsForTheAnswerToABoxOverTheModalDialog()
    {
        QWidget owner;
        QtMessageBoxes boxes(&owner);
        QDialog dialog(&owner);
        std::thread worker;
        std::atomic<bool> answered = false;
        MessageService::Answer answer = MessageService::Answer::No;
        bool blockedWhileShown = false;
        QWidget* boxParent = nullptr;
        auto watcher = ModalWatcher::For<QMessageBox>([&](QMessageBox* box) {
            boxParent = box->parentWidget();
            QTest::qWait(100);
            blockedWhileShown = !answered;
            box->button(QMessageBox::Yes)->click();
        });
        auto front = ModalWatcher::For<QDialog>([&](QDialog*) {
            worker = std::thread([&] {
                answer = boxes.Show("Cancel?", MessageService::Buttons::YesNo);
                answered = true;
            });
            (void)QTest::qWaitFor([&] { return answered.load(); }, 10000);
            dialog.reject();
        });
        dialog.exec();
        worker.join();
        QVERIFY(blockedWhileShown && answer == MessageService::Answer::Yes && boxParent == &dialog);
    }

    void pipeFiltersBecomeQtNameFilters()
    {
        const std::pair<const char*, QStringList> cases[] = {
            {"Channel Backup File(*.ech)|*.ech|", {"Channel Backup File (*.ech)"}},
            {"Text files|*.txt; *.log|All files (*.*)|*.*|", {"Text files (*.txt *.log)", "All files (*.*)"}},
            {"Images|*.png|Broken", {"Images (*.png)"}}, {"|*.bin|", {"*.bin (*.bin)"}}, {"", {}}, {"Nothing||", {}}};
        for (const auto& [filter, expected] : cases)
            QCOMPARE(ToQtNameFilters(filter), expected);
    }

    // Starting from the last file chosen opens its folder, the default extension counts when
    // asking before overwriting (typing "old" overwrites old.ech), and cancel gives nothing.
    void fileDialogsStartInTheFolderAskBeforeOverwritingAndCancel()
    {
        TempDir dir;
        std::ofstream((dir / "old.ech").string()) << "x";
        QtFileDialogs dialogs(nullptr, false);
        auto overwrite = ModalWatcher::For<QMessageBox>(
            [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        auto choose = ModalWatcher::For<QFileDialog>([&](QFileDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Channel Backup File"));
            QCOMPARE(dialog->nameFilters(), QStringList{"Channel Backup File (*.ech)"});
            QCOMPARE(dialog->directory().canonicalPath(), Canonical(dir.path()));
            dialog->selectFile(QStringLiteral("old"));
            static_cast<QDialog*>(dialog)->accept();
        });
        const auto chosen = dialogs.SaveFile(
            {"Channel Backup File", "Channel Backup File(*.ech)|*.ech|", "ech", (dir / "old.ech").string()});
        QVERIFY(overwrite.ran() && chosen && Canonical(*chosen) == Canonical(dir / "old.ech"));

        QCOMPARE(StartFolder(dir.path().string()), dir.path().string());
        auto cancel = ModalWatcher::For<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QVERIFY(!dialogs.OpenFile({"Channel Backup File", "", "", dir.path().string()}) && cancel.ran());
    }
};

REGISTER_QTEST(QtServicesTest);
#include "QtServicesTest.moc"
