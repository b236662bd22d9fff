#include "tests/support/ui/ModalWatcher.h"

#include <QApplication>
#include <QDialog>

ModalWatcher::ModalWatcher(Action action, Match accepts, int timeoutMs)
    : action_(std::move(action)), accepts_(std::move(accepts)), timeoutMs_(timeoutMs),
      before_(QApplication::activeModalWidget())
{
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    clock_.start();
    timer_.start(5);
}

void ModalWatcher::Poll()
{
    QWidget* candidate = QApplication::activePopupWidget();
    if (!candidate)
        candidate = QApplication::activeModalWidget();
    if (candidate && candidate != before_ && candidate->isVisible() &&
        (!accepts_ || accepts_(candidate))) {
        timer_.stop();
        ran_ = true;
        action_(candidate);
    } else if (clock_.elapsed() > timeoutMs_) {
        timer_.stop();
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->done(-1);
        else if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }
}
