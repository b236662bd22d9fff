#pragma once

// The state a command-update handler sets for one menu item before its popup is shown.
class CCmdUI {
public:
    explicit CCmdUI(int id) : id_(id) {}

    int id() const { return id_; }
    void Enable(bool enabled = true) { enabled_ = enabled; }
    void SetCheck(bool checked = true) { checked_ = checked; }
    bool enabled() const { return enabled_; }
    bool checked() const { return checked_; }

private:
    int id_;
    bool enabled_ = true;
    bool checked_ = false;
};

// Whoever owns a menu: it says whether each command is available and carries it out.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual void OnCommand(int id) = 0;
    virtual void OnUpdateCommand(CCmdUI& cmd) = 0;
};
