// A blocking operation run off the window thread: the window paints, takes no input, shows the
// indicator only after a while of waiting, and Cancel ends the operation's wait at once.
#include "platform/ui/BusyCall.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/QtMessageBoxes.h"
#include "platform/ui/UiThread.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ui/BusyIndicatorWatch.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

// A window with a button and an edit, counting its paints.
class Window final : public QWidget {
public:
    Window()
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(button = new QPushButton(QStringLiteral("Press")));
        layout->addWidget(edit = new QLineEdit);
        show();
    }
    QPushButton* button;
    QLineEdit* edit;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// Stands for a box that never answers: a receive on a connection registered with the call.
long ReceiveFromSilentPeer(BusyCall& call)
{
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0 || !call.cancel().Register(pair[0]))
        return -2;
    char byte;
    const long received = recv(pair[0], &byte, 1, 0);
    call.cancel().Unregister(pair[0]);
    close(pair[0]);
    close(pair[1]);
    return received;
}

} // namespace

class BusyCallTest final : public QObject {
    Q_OBJECT

private slots:
    void aStalledCallPaintsIgnoresTheWindowAndCancelsAtOnce()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        RecordingMessages messages;
        QSignalSpy pressed(window.button, &QPushButton::clicked);
        int paintsWhileBlocked = 0;
        QElapsedTimer cancelClock;
        BusyIndicatorWatch watch([&](BusyIndicator& indicator) {
            const int before = window.paints;
            window.update();
            QTest::qWait(100);
            paintsWhileBlocked = window.paints - before;
            QTest::mouseClick(window.button, Qt::LeftButton);
            QTest::keyClicks(window.edit, QStringLiteral("typed"));
            QTest::keyClick(window.edit, Qt::Key_Return);
            cancelClock.start();
            QTest::mouseClick(indicator.cancelButton(), Qt::LeftButton);
            QVERIFY(!indicator.cancelButton()->isEnabled());
        });
        long received = 1;
        const bool cancelled = RunBusyCall(&window, messages, [&](BusyCall& call) {
            received = ReceiveFromSilentPeer(call);
            ShowMessage(call.messages(), MsgId::RecvError); // dropped: the user cancelled
        });
        const qint64 cancelMs = cancelClock.elapsed();
        qInfo("indicator after %lld ms, cancel took %lld ms", watch.firstShownAfterMs(), cancelMs);

        QVERIFY(cancelled);
        QCOMPARE(received, 0L);
        QCOMPARE(watch.shown(), 1);
        QVERIFY(watch.firstShownAfterMs() >= 280);
        QVERIFY(cancelMs < 3000);
        QVERIFY(paintsWhileBlocked > 0);
        QCOMPARE(pressed.count(), 0);
        QCOMPARE(window.edit->text(), QString());
        QVERIFY(messages.texts().empty());
        QVERIFY(window.findChildren<BusyIndicator*>().isEmpty());

        // Afterwards the window takes input again.
        QTest::mouseClick(window.button, Qt::LeftButton);
        QCOMPARE(pressed.count(), 1);
    }

    // A question is answered on the window thread while the worker waits; the time it is open
    // does not count towards the indicator, and the box takes input while the window does not.
    void questionsRunOnTheWindowThreadAndStopTheClock()
    {
        Window window;
        QtMessageBoxes boxes(&window);
        QSignalSpy pressed(window.button, &QPushButton::clicked);
        BusyIndicatorWatch watch;
        auto answer = ModalWatcher::For<QMessageBox>([&](QMessageBox* box) {
            QTest::qWait(600);
            QTest::mouseClick(window.button, Qt::LeftButton);
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        });
        bool asked = false;
        bool onWindowThread = false;
        MessageService::Answer reply = MessageService::Answer::Yes;
        const bool cancelled = RunBusyCall(&window, boxes, [&](BusyCall& call) {
            asked = !IsUiThread();
            reply = call.messages().Show("Cancel?", MessageService::Buttons::YesNo);
            onWindowThread = call.OnUiThread([] { return IsUiThread(); });
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        });
        QVERIFY(!cancelled);
        QVERIFY(answer.ran());
        QVERIFY(asked);
        QVERIFY(onWindowThread);
        QCOMPARE(reply, MessageService::Answer::No);
        QCOMPARE(pressed.count(), 0);
        QCOMPARE(watch.shown(), 0);
    }
};

REGISTER_QTEST(BusyCallTest);
#include "BusyCallTest.moc"
