#include "tests/support/ui/BusyIndicatorWatch.h"

#include "platform/ui/BusyIndicator.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

BusyIndicatorWatch::BusyIndicatorWatch(std::function<void(BusyIndicator&)> onShown)
    : onShown_(std::move(onShown))
{
    clock_.start();
    qApp->installEventFilter(this);
}

BusyIndicatorWatch::~BusyIndicatorWatch()
{
    qApp->removeEventFilter(this);
}

void BusyIndicatorWatch::Restart()
{
    clock_.restart();
    firstShownMs_ = -1;
}

bool BusyIndicatorWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        if (auto* indicator = qobject_cast<BusyIndicator*>(watched)) {
            ++shown_;
            if (firstShownMs_ < 0)
                firstShownMs_ = clock_.elapsed();
            if (onShown_)
                QTimer::singleShot(0, this, [this, shownNow = QPointer<BusyIndicator>(indicator)] {
                    if (shownNow)
                        onShown_(*shownNow);
                });
        }
    }
    return false;
}
