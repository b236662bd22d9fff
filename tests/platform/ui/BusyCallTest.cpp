// What a busy call's operation asks runs on the window thread while the worker waits; the time
// a question is open does not count towards the indicator, and the question takes input while
// the window does not. (Stalls and Cancel are tested on the main window against a box.)
#include "platform/ui/BusyCall.h"
#include "platform/ui/QtMessageBoxes.h"
#include "platform/ui/UiThread.h"
#include "tests/support/ui/BusyIndicatorWatch.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>

#include <chrono>
#include <thread>

class BusyCallTest final : public QObject {
    Q_OBJECT

private slots:
    void questionsRunOnTheWindowThreadAndStopTheClock()
    {
        QPushButton window(QStringLiteral("Press"));
        window.show();
        QtMessageBoxes boxes(&window);
        QSignalSpy pressed(&window, &QPushButton::clicked);
        BusyIndicatorWatch watch;
        auto answer = ModalWatcher::For<QMessageBox>([&](QMessageBox* box) {
            QTest::qWait(600);
            QTest::mouseClick(&window, Qt::LeftButton);
            QTest::keyClick(&window, Qt::Key_Space);
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        });
        bool offWindowThread = false, onWindowThread = false;
        MessageService::Answer reply = MessageService::Answer::Yes;
        const bool cancelled = RunBusyCall(&window, boxes, [&](BusyCall& call) {
            offWindowThread = !IsUiThread();
            reply = call.messages().Show("Cancel?", MessageService::Buttons::YesNo);
            onWindowThread = call.OnUiThread([] { return IsUiThread(); });
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        });
        QVERIFY(!cancelled && answer.ran() && offWindowThread && onWindowThread);
        QCOMPARE(reply, MessageService::Answer::No);
        QVERIFY(pressed.count() == 0 && watch.shown() == 0);

        QTest::mouseClick(&window, Qt::LeftButton); // afterwards the window takes input again
        QCOMPARE(pressed.count(), 1);
    }
};

REGISTER_QTEST(BusyCallTest);
#include "BusyCallTest.moc"
