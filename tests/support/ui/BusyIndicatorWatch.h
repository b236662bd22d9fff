#pragma once

#include <QObject>

#include <functional>

class BusyIndicator;

// Sees every busy indicator shown while it lives: counts them and runs `onShown` for each from
// the event loop once it is up, where a test acts while its own call is blocked.
class BusyIndicatorWatch final : public QObject {
public:
    explicit BusyIndicatorWatch(std::function<void(BusyIndicator&)> onShown = {});
    ~BusyIndicatorWatch() override;

    int shown() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(BusyIndicator&)> onShown_;
    int shown_ = 0;
};
