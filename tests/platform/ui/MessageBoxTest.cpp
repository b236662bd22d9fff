#include "platform/ui/QtMessageBoxes.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QTest>

#include <atomic>
#include <thread>

namespace {

QMessageBox* Box(QWidget* widget)
{
    return static_cast<QMessageBox*>(widget);
}

} // namespace

class MessageBoxTest final : public QObject {
    Q_OBJECT

private slots:
    void boxesHaveTheModelCaptionNoIconAndTheirButtons()
    {
        QtMessageBoxes boxes;
        ModalWatcher question(
            [](QWidget* w) {
                QCOMPARE(Box(w)->windowTitle(), QStringLiteral("pelon-i"));
                QCOMPARE(Box(w)->icon(), QMessageBox::NoIcon);
                QCOMPARE(Box(w)->text(), QStringLiteral("Exit <program>?"));
                QCOMPARE(Box(w)->textFormat(), Qt::PlainText);
                QCOMPARE(Box(w)->standardButtons(), QMessageBox::Yes | QMessageBox::No);
                Box(w)->button(QMessageBox::No)->click();
            },
            ModalWatcher::IsA<QMessageBox>());
        QCOMPARE(boxes.Show("Exit <program>?", MessageService::Buttons::YesNo),
                 MessageService::Answer::No);
        QVERIFY(question.ran());

        ModalWatcher ok(
            [](QWidget* w) {
                QCOMPARE(Box(w)->standardButtons(), QMessageBox::Ok);
                QTest::keyClick(w, Qt::Key_Escape);
            },
            ModalWatcher::IsA<QMessageBox>());
        QCOMPARE(boxes.Show("Data error!", MessageService::Buttons::Ok),
                 MessageService::Answer::Ok);
        QVERIFY(ok.ran());
    }

    void aWorkerWaitsForTheAnswer()
    {
        QtMessageBoxes boxes;
        std::atomic<bool> answered = false;
        MessageService::Answer answer = MessageService::Answer::No;
        bool blockedWhileShown = false;
        ModalWatcher watcher(
            [&](QWidget* w) {
                QTest::qWait(100);
                blockedWhileShown = !answered;
                Box(w)->button(QMessageBox::Yes)->click();
            },
            ModalWatcher::IsA<QMessageBox>());
        std::thread worker([&] {
            answer = boxes.Show("Cancel?", MessageService::Buttons::YesNo);
            answered = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(answered, 10000);
        worker.join();
        QVERIFY(watcher.ran());
        QVERIFY(blockedWhileShown);
        QCOMPARE(answer, MessageService::Answer::Yes);
    }

    void theBoxBelongsToTheModalDialogInFront()
    {
        QWidget owner;
        QtMessageBoxes boxes(&owner);
        QDialog dialog(&owner);
        QWidget* boxParent = nullptr;
        ModalWatcher inner(
            [&](QWidget* w) {
                boxParent = w->parentWidget();
                Box(w)->button(QMessageBox::Ok)->click();
            },
            ModalWatcher::IsA<QMessageBox>());
        ModalWatcher outer(
            [&](QWidget*) {
                boxes.Show("Disk full!", MessageService::Buttons::Ok);
                dialog.reject();
            },
            ModalWatcher::IsA<QDialog>());
        dialog.exec();
        QVERIFY(inner.ran());
        QCOMPARE(boxParent, &dialog);
    }
};

REGISTER_QTEST(MessageBoxTest);
#include "MessageBoxTest.moc"
