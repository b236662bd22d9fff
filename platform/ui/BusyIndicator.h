#pragma once

#include <QFrame>

class QPushButton;
class WaitAnimation;

// A small window over another one that shows the busy animation (the eight IDB_WAIT frames,
// 300 ms each) above a "Cancel" button. It has no title bar and no close box, and Enter and
// Escape do nothing; Space presses Cancel, which has the focus. Cancel is pressed once: the
// button then greys out while the owner winds the work down.
class BusyIndicator final : public QFrame {
    Q_OBJECT

public:
    // A window of `owner`'s window, or a window of its own without an owner.
    explicit BusyIndicator(QWidget* owner);

    // Centres the indicator over its owner's window and shows it, animated.
    void Popup();

    QPushButton* cancelButton() const { return cancel_; }
    int frame() const;

signals:
    void cancelRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QPushButton* cancel_;
    WaitAnimation* animation_;
};
