#include "platform/ui/InputBlocker.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QWindow>

#include <algorithm>

namespace {

bool IsUserInput(const QObject& receiver, const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    case QEvent::Close:
        // The close box reaches the widget as a spontaneous close; the program's own closes
        // do not (they pass the window object marked spontaneous, though).
        return event.spontaneous() && receiver.isWidgetType();
    default:
        return false;
    }
}

// The window a widget belongs to; a popup (a menu, a combo box's list) belongs to the window
// it pops up from.
QWidget* OwningWindow(QWidget* widget)
{
    QWidget* window = widget->window();
    while (window->windowType() == Qt::Popup && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

QWidget* OwningWindow(QObject* receiver)
{
    for (QObject* o = receiver; o; o = o->parent()) {
        if (o->isWidgetType())
            return OwningWindow(static_cast<QWidget*>(o));
        if (auto* window = qobject_cast<QWindow*>(o)) {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->windowHandle() == window)
                    return OwningWindow(top);
            return nullptr;
        }
        if (auto* action = qobject_cast<QAction*>(o)) {
            for (QObject* user : action->associatedObjects())
                if (user->isWidgetType())
                    return OwningWindow(static_cast<QWidget*>(user));
        }
    }
    return nullptr;
}

} // namespace

InputBlocker::InputBlocker()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            blocked_.emplace_back(top);
    qApp->installEventFilter(this);
}

InputBlocker::~InputBlocker()
{
    qApp->removeEventFilter(this);
}

bool InputBlocker::IsBlocked(QObject* receiver) const
{
    QWidget* window = OwningWindow(receiver);
    return window && std::find(blocked_.begin(), blocked_.end(), window) != blocked_.end();
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event)
{
    if (!IsUserInput(*watched, *event) || !IsBlocked(watched))
        return false;
    // An accepted override keeps a blocked window's shortcuts from being looked up at all; an
    // ignored close tells the window system that the window stays.
    event->setAccepted(event->type() != QEvent::Close);
    return true;
}
