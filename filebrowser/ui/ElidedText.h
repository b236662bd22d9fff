#pragma once

#include <QString>

class QLabel;

// Shows `text` in a one-line label; a text too long for it loses its middle to an ellipsis, so
// both ends of a path or a file line stay readable, and is shown whole as the label's tip.
void SetElidedText(QLabel& label, const QString& text);
