#pragma once

#include "platform/ui/DialogTemplate.h"

class QWidget;

// Creates the widget for one control of a dialog resource, with its text and style flags
// applied, as a child of `parent`. Geometry is the caller's.
QWidget* CreateControl(const ControlTemplate& control, QWidget* parent);
