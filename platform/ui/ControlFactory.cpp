#include "platform/ui/ControlFactory.h"

#include "platform/ui/CIPAddressCtrl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

Qt::Alignment HorizontalAlignment(unsigned style)
{
    if (style & kCentered)
        return Qt::AlignHCenter;
    if (style & kRightAligned)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

QWidget* CreateBare(const ControlTemplate& control, QWidget* parent)
{
    const QString text = QString::fromUtf8(control.text);
    switch (control.kind) {
    case ControlKind::PushButton:
        return new QPushButton(text, parent);
    case ControlKind::DefPushButton: {
        auto* button = new QPushButton(text, parent);
        button->setDefault(true);
        return button;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(HorizontalAlignment(control.style) | Qt::AlignVCenter);
        // A label two lines high or more wraps its text, as static text does.
        label->setWordWrap(control.h >= 16);
        return label;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(text, parent);
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, parent);
        edit->setAlignment(HorizontalAlignment(control.style) | Qt::AlignVCenter);
        edit->setReadOnly(control.style & kReadOnly);
        return edit;
    }
    case ControlKind::RadioButton:
        return new QRadioButton(text, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::ComboBox:
        return new QComboBox(parent);
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        return bar;
    }
    case ControlKind::IpAddress:
        return new CIPAddressCtrl(parent);
    case ControlKind::Picture: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignCenter);
        return picture;
    }
    case ControlKind::Custom:
        return new QWidget(parent);
    }
    return new QWidget(parent);
}

} // namespace

QWidget* CreateControl(const ControlTemplate& control, QWidget* parent)
{
    QWidget* widget = CreateBare(control, parent);
    if (control.style & kDisabled)
        widget->setEnabled(false);
    if (control.style & kNoTabStop)
        widget->setFocusPolicy(Qt::NoFocus);
    if (control.style & kHidden)
        widget->hide();
    return widget;
}
