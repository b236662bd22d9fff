#include "platform/ui/BusyIndicator.h"

#include "platform/ui/WaitAnimation.h"
#include "res/Artwork.h"
#include "res/ResourceIds.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

BusyIndicator::BusyIndicator(QWidget* owner)
    : QFrame(owner ? owner->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    auto* picture = new QLabel(this);
    picture->setFixedSize(BitmapSize(IDB_WAIT_FIRST));
    picture->setAlignment(Qt::AlignCenter);
    animation_ = new WaitAnimation(picture);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(10);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancel_->setEnabled(false);
        emit cancelRequested();
    });
}

int BusyIndicator::frame() const
{
    return animation_->frame();
}

void BusyIndicator::Popup()
{
    adjustSize();
    QRect over;
    if (QWidget* owner = parentWidget())
        over = owner->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    QRect rect = frameGeometry();
    rect.moveCenter(over.center());
    move(rect.topLeft());
    show();
    raise();
    activateWindow();
    cancel_->setFocus(Qt::OtherFocusReason);
}

void BusyIndicator::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    animation_->Start();
}

void BusyIndicator::hideEvent(QHideEvent* event)
{
    animation_->Stop();
    QFrame::hideEvent(event);
}
