#include "platform/ui/CDialog.h"

#include "platform/ui/CIPAddressCtrl.h"
#include "platform/ui/ControlFactory.h"
#include "platform/ui/MenuBuilder.h"
#include "util/Decimal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

// Holds the controls at fixed positions; its size hint is the dialog's client size, so the
// dialog's fixed-size layout follows SetClientSize and the menu bar.
class CDialog::Client final : public QWidget {
public:
    explicit Client(QWidget* parent) : QWidget(parent) {}
    QSize sizeHint() const override { return size_; }
    QSize minimumSizeHint() const override { return size_; }
    void SetSize(QSize size)
    {
        size_ = size;
        updateGeometry();
    }

private:
    QSize size_;
};

namespace {

bool IsEnterOrEscape(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape;
}

Qt::WindowFlags FlagsFor(unsigned style)
{
    Qt::WindowFlags flags = Qt::Dialog;
    if (style & (kNoCaption | kNoCloseBox))
        flags |= Qt::CustomizeWindowHint;
    if (!(style & kNoCaption))
        flags |= Qt::WindowTitleHint;
    if (!(style & (kNoCaption | kNoCloseBox)))
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

} // namespace

CDialog::CDialog(const DialogTemplate& dialog, QWidget* parent)
    : QDialog(parent, FlagsFor(dialog.style)), templateId_(dialog.id), style_(dialog.style),
      units_(DialogUnits::FromFont(font()))
{
    setWindowTitle(QString::fromUtf8(dialog.caption));
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->setSizeConstraint(QLayout::SetFixedSize);
    client_ = new Client(this);
    layout_->addWidget(client_);
    client_->SetSize(units_.ToPixels(QSize(dialog.width, dialog.height)));
    BuildControls(dialog);
}

CDialog::~CDialog() = default;

void CDialog::BuildControls(const DialogTemplate& dialog)
{
    QButtonGroup* radioGroup = nullptr;
    std::vector<QWidget*> frames;
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = CreateControl(control, client_);
        QRect rect = units_.ToPixels(QRect(control.x, control.y, control.w, control.h));
        if (control.kind == ControlKind::ComboBox)
            rect.setHeight(widget->sizeHint().height());
        widget->setGeometry(rect);

        if (control.kind == ControlKind::RadioButton) {
            if (!radioGroup || (control.style & kGroupStart))
                radioGroup = new QButtonGroup(this);
            radioGroup->addButton(static_cast<QRadioButton*>(widget));
        } else {
            radioGroup = nullptr;
        }
        // Frames only decorate: keep them beneath the controls they surround.
        if (control.kind == ControlKind::GroupBox)
            frames.push_back(widget);

        if (control.id != kNoControlId) {
            controls_[control.id] = widget;
            ConnectClicks(control.id, widget);
        }
        tabOrder_.emplace_back(widget);
    }
    for (QWidget* frame : frames) {
        frame->lower();
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

void CDialog::ApplyTabOrder()
{
    // Laid again as a whole: QWidget::setTabOrder ignores widgets that take no focus (as
    // placeholders do), so installed controls would otherwise end up wherever they were made.
    QWidget* previous = nullptr;
    for (const QPointer<QWidget>& control : tabOrder_) {
        if (!control || control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void CDialog::ConnectClicks(int id, QWidget* widget)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
}

QWidget* CDialog::GetDlgItem(int id) const
{
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second.data();
}

QWidget* CDialog::InstallControl(int id, QWidget* widget)
{
    QWidget* old = GetDlgItem(id);
    if (old && old != widget) {
        widget->setParent(old->parentWidget());
        widget->setGeometry(old->geometry());
        widget->setVisible(!old->isHidden());
        widget->stackUnder(old);
        std::replace(tabOrder_.begin(), tabOrder_.end(), QPointer<QWidget>(old),
                     QPointer<QWidget>(widget));
        delete old;
        ApplyTabOrder();
    } else if (!widget->parentWidget()) {
        widget->setParent(client_);
    }
    controls_[id] = widget;
    ConnectClicks(id, widget);
    return widget;
}

void CDialog::SetDlgItemText(int id, std::string_view text)
{
    const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QWidget* widget = GetDlgItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(value);
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        frame->setTitle(value);
    else if (auto* ip = qobject_cast<CIPAddressCtrl*>(widget))
        ip->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable())
            combo->setEditText(value);
        else
            combo->setCurrentIndex(combo->findText(value));
    }
}

std::string CDialog::GetDlgItemText(int id) const
{
    QString value;
    QWidget* widget = GetDlgItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        value = edit->text();
    else if (auto* label = qobject_cast<QLabel*>(widget))
        value = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        value = button->text();
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        value = frame->title();
    else if (auto* ip = qobject_cast<CIPAddressCtrl*>(widget))
        value = ip->text();
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        value = combo->currentText();
    return value.toStdString();
}

void CDialog::SetDlgItemInt(int id, int value)
{
    SetDlgItemText(id, std::to_string(value));
}

int CDialog::GetDlgItemInt(int id) const
{
    return ParseDecimal(GetDlgItemText(id));
}

void CDialog::GotoDlgCtrl(int id)
{
    QWidget* widget = GetDlgItem(id);
    if (!widget)
        return;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
}

void CDialog::CheckRadioButton(int firstId, int lastId, int checkId)
{
    std::vector<QButtonGroup*> groups;
    for (int id = firstId; id <= lastId; ++id) {
        if (auto* radio = DlgItem<QRadioButton>(id); radio && radio->group())
            groups.push_back(radio->group());
    }
    // An exclusive group refuses to uncheck its last checked button.
    for (QButtonGroup* group : groups)
        group->setExclusive(false);
    for (int id = firstId; id <= lastId; ++id) {
        if (auto* radio = DlgItem<QRadioButton>(id))
            radio->setChecked(id == checkId);
    }
    for (QButtonGroup* group : groups)
        group->setExclusive(true);
}

int CDialog::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (int id = firstId; id <= lastId; ++id) {
        if (auto* radio = DlgItem<QRadioButton>(id); radio && radio->isChecked())
            return id;
    }
    return 0;
}

int CDialog::DoModal()
{
    initPending_ = true;
    if (RunInitDialog())
        return endCode_;
    return exec();
}

bool CDialog::RunInitDialog()
{
    if (!initPending_)
        return false;
    initPending_ = false;
    ended_ = false;
    OnInitDialog();
    return ended_;
}

void CDialog::setVisible(bool visible)
{
    // A dialog shown without DoModal is initialised too; one that ended during its
    // initialisation is never shown.
    if (visible && RunInitDialog())
        return;
    QDialog::setVisible(visible);
}

void CDialog::EndDialog(int result)
{
    ended_ = true;
    endCode_ = result;
    done(result);
}

void CDialog::accept()
{
    OnCommand(IDOK);
}

void CDialog::reject()
{
    OnCommand(IDCANCEL);
}

void CDialog::OnCommand(int id)
{
    if (const auto it = commands_.find(id); it != commands_.end()) {
        it->second();
        return;
    }
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
}

void CDialog::OnUpdateCommand(CCmdUI& cmd)
{
    if (const auto it = updateHandlers_.find(cmd.id()); it != updateHandlers_.end())
        it->second(cmd);
}

void CDialog::MapCommand(int id, std::function<void()> handler)
{
    commands_[id] = std::move(handler);
}

void CDialog::MapUpdateCommand(int id, std::function<void(CCmdUI&)> handler)
{
    updateHandlers_[id] = std::move(handler);
}

void CDialog::SetTimer(int id, int ms)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, id, ms] { SetTimer(id, ms); }, Qt::QueuedConnection);
        return;
    }
    QTimer*& timer = timers_[id];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { OnTimer(id); });
    }
    timer->start(ms);
}

void CDialog::KillTimer(int id)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, id] { KillTimer(id); }, Qt::QueuedConnection);
        return;
    }
    if (const auto it = timers_.find(id); it != timers_.end())
        it->second->stop();
}

void CDialog::SetSwallowEnterEscape(bool swallow)
{
    if (swallow == swallowEnterEscape_)
        return;
    swallowEnterEscape_ = swallow;
    // Watching the application sees keys before the focused child does, wherever it sits.
    if (swallow)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool CDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (swallowEnterEscape_ && event->type() == QEvent::KeyPress &&
        IsEnterOrEscape(*static_cast<QKeyEvent*>(event))) {
        // The menu bar in its keyboard mode opens a menu with Enter and is left with Escape.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && !qobject_cast<QMenuBar*>(widget))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CDialog::keyPressEvent(QKeyEvent* event)
{
    if (IsEnterOrEscape(*event) && swallowEnterEscape_) {
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    // Ctrl+Tab and Ctrl+Shift+Tab walk the tab order from controls that keep plain Tab, such
    // as a grid moving between its cells.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
        (modifiers & ~Qt::ShiftModifier) == Qt::ControlModifier) {
        focusNextPrevChild(event->key() == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
        return;
    }
    if (enter && modifiers == Qt::NoModifier) {
        for (QPushButton* button : findChildren<QPushButton*>()) {
            if (button->window() == this && button->isDefault() && button->isVisible()) {
                if (button->isEnabled())
                    button->click();
                return;
            }
        }
        // Without a default button Enter still means OK.
        OnCommand(IDOK);
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDialog::closeEvent(QCloseEvent* event)
{
    if (style_ & (kNoCaption | kNoCloseBox)) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

QMenuBar* CDialog::SetMenu(const MenuTemplate& menu)
{
    delete menuBar_;
    menuBar_ = CreateMenuBar(menu, *this, this);
    layout_->setMenuBar(menuBar_);
    return menuBar_;
}

int CDialog::TrackPopupMenu(const PopupTemplate& popup)
{
    return ::TrackPopupMenu(popup, *this, this);
}

QSize CDialog::ClientSize() const
{
    return client_->sizeHint();
}

void CDialog::SetClientSize(QSize pixels)
{
    client_->SetSize(pixels);
    layout_->activate();
}

QWidget* CDialog::client() const
{
    return client_;
}
