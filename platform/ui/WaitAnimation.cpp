#include "platform/ui/WaitAnimation.h"

#include "res/Artwork.h"
#include "res/ResourceIds.h"

#include <QLabel>

namespace {

constexpr int kFrameMs = 300;

} // namespace

WaitAnimation::WaitAnimation(QLabel* picture) : QObject(picture), picture_(picture)
{
    connect(&timer_, &QTimer::timeout, this, [this] { ShowFrame((frame_ + 1) % kWaitFrameCount); });
}

void WaitAnimation::ShowFrame(int frame)
{
    const qreal ratio = picture_->devicePixelRatioF();
    if (ratio != framesRatio_) {
        frames_.clear();
        for (int i = 0; i < kWaitFrameCount; ++i)
            frames_.push_back(LoadBitmap(IDB_WAIT_FIRST + i, ratio));
        framesRatio_ = ratio;
    }
    frame_ = frame;
    picture_->setPixmap(frames_[static_cast<std::size_t>(frame)]);
}

void WaitAnimation::Start()
{
    ShowFrame(0);
    timer_.start(kFrameMs);
}

void WaitAnimation::Stop()
{
    timer_.stop();
}
