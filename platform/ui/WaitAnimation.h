#pragma once

#include <QObject>
#include <QPixmap>
#include <QTimer>

#include <vector>

class QLabel;

// The busy animation on a picture label: the eight IDB_WAIT frames, 300 ms each, over and over.
// The frames are drawn for the screen the label is on, so they stay crisp at any scale. Window
// thread only, like the label.
class WaitAnimation final : public QObject {
public:
    explicit WaitAnimation(QLabel* picture);

    // Shows `frame` and stands still.
    void ShowFrame(int frame);
    // Runs from frame 0.
    void Start();
    void Stop();
    int frame() const { return frame_; }
    bool running() const { return timer_.isActive(); }

private:
    QLabel* picture_;
    QTimer timer_;
    std::vector<QPixmap> frames_;
    qreal framesRatio_ = 0;
    int frame_ = 0;
};
