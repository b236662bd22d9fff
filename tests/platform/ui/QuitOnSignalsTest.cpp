// A kill ends every event loop as the program's own exit would: nested dialogs return, later
// ones return at once, a busy call still serves its worker, and the old handling is back.
#include "platform/ui/BusyCall.h"
#include "platform/ui/QuitOnSignals.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ui/QtTestMain.h"

#include <QDialog>
#include <QTimer>

#include <chrono>
#include <thread>
#include <vector>

namespace {

using Handler = void (*)(int);

// The handlers now in place for the signals that quit.
std::vector<Handler> Handlers()
{
    std::vector<Handler> handlers;
    for (const int signal : QuitOnSignals::kSignals) {
        struct sigaction now {};
        sigaction(signal, nullptr, &now);
        handlers.push_back(now.sa_handler);
    }
    return handlers;
}

// Opens `dialog` modally; true when it returned before a generous guard closed it.
bool ReturnsByItself(QDialog& dialog)
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &dialog, &QDialog::reject);
    guard.start(10000);
    dialog.exec();
    return guard.isActive();
}

} // namespace

class QuitOnSignalsTest final : public QObject {
    Q_OBJECT

private slots:
    void aSignalEndsEveryLoopAndRestoresTheHandlers()
    {
        // SIGHUP ignored as under nohup: that stays.
        const Handler hangUp = std::signal(SIGHUP, SIG_IGN);
        const std::vector<Handler> before = Handlers();
        RecordingMessages messages;
        QDialog outer;
        bool innerReturned = false, laterReturned = false, busyCancelled = false, served = false;
        {
            const QuitOnSignals quit;
            QVERIFY(Handlers() != before && Handlers().back() == SIG_IGN);
            QTimer::singleShot(0, &outer, [&] {
                QDialog inner(&outer);
                // The signal comes on the worker, which then asks the window thread for more.
                QTimer::singleShot(0, &inner, [&] {
                    busyCancelled = RunBusyCall(&inner, messages, [&](BusyCall& call) {
                        std::raise(SIGTERM);
                        for (int i = 0; i < 10000 && !call.cancel().cancelled(); ++i)
                            std::this_thread::sleep_for(std::chrono::milliseconds(1));
                        served = call.OnUiThread([] { return true; });
                    });
                });
                innerReturned = ReturnsByItself(inner);
                QDialog later(&outer);
                laterReturned = ReturnsByItself(later);
            });
            QVERIFY(ReturnsByItself(outer));
            QCOMPARE(quit.received(), SIGTERM);
            QVERIFY(Handlers() == before); // a second signal ends the program
        }
        QVERIFY(innerReturned && laterReturned && busyCancelled && served);
        QVERIFY(Handlers() == before);
        std::signal(SIGHUP, hangUp);
        QVERIFY(messages.texts().empty());

        // The loops of the tests that follow run again.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }
};

REGISTER_QTEST(QuitOnSignalsTest);
#include "QuitOnSignalsTest.moc"
