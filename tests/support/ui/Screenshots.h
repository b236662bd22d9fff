#pragma once

#include <QImage>

class CDialog;

// Pictures for looking at: with CHANNELTOOL_SCREENSHOTS=DIR set, saved there as NAME.png.
void SaveScreenshot(const QImage& image, const char* name);
// Shows the dialog, checks that every label and button is wide and high enough for its text,
// and saves its picture.
void ShootDialog(CDialog& dialog, const char* name);
