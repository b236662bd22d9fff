#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class BusyIndicator;

// Sees every busy indicator the program shows while it lives: counts them, notes when the first
// appeared, and runs `onShown` for each from the event loop once it is up (the caller's own call
// is then blocked in the busy call's loop; this is where a test acts).
class BusyIndicatorWatch final : public QObject {
public:
    explicit BusyIndicatorWatch(std::function<void(BusyIndicator&)> onShown = {});
    ~BusyIndicatorWatch() override;

    int shown() const { return shown_; }
    // Milliseconds from Restart (or construction) to the first indicator, -1 before it.
    qint64 firstShownAfterMs() const { return firstShownMs_; }
    void Restart();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(BusyIndicator&)> onShown_;
    QElapsedTimer clock_;
    qint64 firstShownMs_ = -1;
    int shown_ = 0;
};
