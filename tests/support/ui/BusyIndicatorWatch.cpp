#include "tests/support/ui/BusyIndicatorWatch.h"

#include "platform/ui/BusyIndicator.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

BusyIndicatorWatch::BusyIndicatorWatch(std::function<void(BusyIndicator&)> onShown)
    : onShown_(std::move(onShown))
{
    qApp->installEventFilter(this);
}

BusyIndicatorWatch::~BusyIndicatorWatch()
{
    qApp->removeEventFilter(this);
}

bool BusyIndicatorWatch::eventFilter(QObject* watched, QEvent* event)
{
    auto* indicator = qobject_cast<BusyIndicator*>(watched);
    if (!indicator || event->type() != QEvent::Show)
        return false;
    ++shown_;
    if (onShown_)
        QTimer::singleShot(0, this, [this, up = QPointer<BusyIndicator>(indicator)] {
            if (up)
                onShown_(*up);
        });
    return false;
}
