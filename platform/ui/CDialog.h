#pragma once

#include "platform/ui/CommandTarget.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/MenuTemplate.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class QMenuBar;
class QTimer;
class QVBoxLayout;

// The base of every C...Dlg window: built from a dialog resource (controls laid out in dialog
// units and found by their numeric ids), run modally with DoModal, and driven through
// overridable handlers: OnInitDialog, OnOK, OnCancel, OnCommand, OnUpdateCommand, OnTimer.
//
// Buttons, radio buttons, check boxes and menu items report clicks as OnCommand(id); IDOK
// and IDCANCEL end up in OnOK and OnCancel unless mapped otherwise. Enter presses the default
// button (or sends IDOK when there is none); Escape and the close box send IDCANCEL.
class CDialog : public QDialog, public CommandTarget {
    Q_OBJECT

public:
    explicit CDialog(const DialogTemplate& dialog, QWidget* parent = nullptr);
    ~CDialog() override;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs OnInitDialog, then the modal loop; returns the code given to EndDialog. A dialog
    // that ends itself inside OnInitDialog returns at once without being shown.
    int DoModal();
    void EndDialog(int result);

    int templateId() const { return templateId_; }

    // Controls by id: nullptr for an unknown id.
    QWidget* GetDlgItem(int id) const;
    template <class T> T* DlgItem(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    // Puts `widget` in the place of control `id` (geometry, tab order, visibility) and deletes
    // the placeholder; with no such control it is only registered under `id`. Takes ownership.
    QWidget* InstallControl(int id, QWidget* widget);

    // Texts of labels, buttons, frames, edits, combo boxes and the IP address control.
    void SetDlgItemText(int id, std::string_view text);
    std::string GetDlgItemText(int id) const;
    void SetDlgItemInt(int id, int value);
    // The text read as a plain decimal number.
    int GetDlgItemInt(int id) const;
    // Focus to the control; an edit's text is selected so typing replaces it.
    void GotoDlgCtrl(int id);
    // Checks `checkId` among the radio buttons firstId..lastId and unchecks the others; an id
    // outside the range leaves none checked.
    void CheckRadioButton(int firstId, int lastId, int checkId);
    // The checked radio button of firstId..lastId, or 0.
    int GetCheckedRadioButton(int firstId, int lastId) const;

    // Timers by id that call OnTimer(id) every `ms` until killed; setting an id again restarts
    // it. Both may be called from any thread: from a worker they take effect on the UI thread.
    void SetTimer(int id, int ms);
    void KillTimer(int id);

    // While on, Enter and Escape pressed anywhere in this window, child controls included,
    // are dropped before anything sees them, so only the window's own commands close it.
    void SetSwallowEnterEscape(bool swallow);

    // The menu bar from a menu resource, with this dialog as its command target. The client
    // area stays its size; the window grows by the bar.
    QMenuBar* SetMenu(const MenuTemplate& menu);
    QMenuBar* GetMenu() const { return menuBar_; }
    // One popup of a menu resource as a context menu at the mouse cursor; returns the command
    // that ran, or 0.
    int TrackPopupMenu(const PopupTemplate& popup);

    // Message-map style handlers, looked up by the default OnCommand and OnUpdateCommand.
    void MapCommand(int id, std::function<void()> handler);
    void MapUpdateCommand(int id, std::function<void(CCmdUI&)> handler);

    void OnCommand(int id) override;
    void OnUpdateCommand(CCmdUI& cmd) override;

    const DialogUnits& dialogUnits() const { return units_; }
    QRect MapDialogRect(const QRect& dlu) const { return units_.ToPixels(dlu); }
    // The widget holding the controls, below the menu bar; control geometry is relative to it.
    QWidget* client() const;
    QSize ClientSize() const;
    void SetClientSize(QSize pixels);

    void setVisible(bool visible) override;
    void accept() override;
    void reject() override;

protected:
    virtual void OnInitDialog() {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnTimer(int id) { (void)id; }

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Client;

    void BuildControls(const DialogTemplate& dialog);
    // Runs OnInitDialog when due; true when the dialog ended inside it.
    bool RunInitDialog();
    void ConnectClicks(int id, QWidget* widget);
    // The tab order is the order of the controls in the resource.
    void ApplyTabOrder();

    int templateId_;
    unsigned style_;
    DialogUnits units_;
    QVBoxLayout* layout_ = nullptr;
    Client* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    std::map<int, QPointer<QWidget>> controls_;
    std::vector<QPointer<QWidget>> tabOrder_;
    std::map<int, QTimer*> timers_;
    std::map<int, std::function<void()>> commands_;
    std::map<int, std::function<void(CCmdUI&)>> updateHandlers_;
    bool swallowEnterEscape_ = false;
    bool initPending_ = true;
    bool ended_ = false;
    int endCode_ = 0;
};
