#include "platform/ui/BusyIndicator.h"

#include "res/Artwork.h"
#include "res/ResourceIds.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kFrameMs = 300;

} // namespace

BusyIndicator::BusyIndicator(QWidget* owner)
    : QFrame(owner ? owner->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    picture_ = new QLabel(this);
    picture_->setFixedSize(BitmapSize(IDB_WAIT_FIRST));
    picture_->setAlignment(Qt::AlignCenter);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(10);
    layout->addWidget(picture_, 0, Qt::AlignHCenter);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancel_->setEnabled(false);
        emit cancelRequested();
    });
    connect(&animation_, &QTimer::timeout, this,
            [this] { ShowFrame((frame_ + 1) % kWaitFrameCount); });
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
    ShowFrame(0);
    animation_.start(kFrameMs);
}

void BusyIndicator::hideEvent(QHideEvent* event)
{
    animation_.stop();
    QFrame::hideEvent(event);
}

void BusyIndicator::ShowFrame(int frame)
{
    // Drawn for the screen the indicator is on, so the frames stay crisp at any scale.
    const qreal ratio = devicePixelRatioF();
    if (ratio != framesRatio_) {
        frames_.clear();
        for (int i = 0; i < kWaitFrameCount; ++i)
            frames_.push_back(LoadBitmap(IDB_WAIT_FIRST + i, ratio));
        framesRatio_ = ratio;
    }
    frame_ = frame;
    picture_->setPixmap(frames_[static_cast<std::size_t>(frame)]);
}
