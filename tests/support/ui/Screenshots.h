#pragma once

#include <QImage>

class CDialog;
class QWidget;

// Pictures for looking at: with CHANNELTOOL_SCREENSHOTS=DIR set, saved there as NAME.png.
void SaveScreenshot(const QImage& image, const char* name);
// The window's picture, with `over` (a popup or a window in front of it) drawn where it is.
// The grids bring their scroll bars up to date in the event loop, as before a paint.
void ShootWindow(QWidget& window, const char* name, QWidget* over = nullptr);
// Shows the dialog, checks that every label and button is wide and high enough for its text,
// and saves its picture.
void ShootDialog(CDialog& dialog, const char* name);
