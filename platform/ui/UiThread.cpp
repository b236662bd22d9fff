#include "platform/ui/UiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

bool IsUiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

bool RunOnUiThread(QObject* context, const std::function<void()>& fn)
{
    if (!context)
        return false;
    if (QThread::currentThread() == context->thread()) {
        fn();
        return true;
    }
    // The queued call owns nothing but a flag on this stack; if the context dies first, Qt
    // discards the call and still releases the wait.
    bool ran = false;
    QMetaObject::invokeMethod(
        context,
        [&] {
            fn();
            ran = true;
        },
        Qt::BlockingQueuedConnection);
    return ran;
}

bool RunOnUiThread(const std::function<void()>& fn)
{
    return RunOnUiThread(QCoreApplication::instance(), fn);
}
