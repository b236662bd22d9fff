#include "filebrowser/ui/ElidedText.h"

#include <QLabel>

void SetElidedText(QLabel& label, const QString& text)
{
    const QString shown =
        label.fontMetrics().elidedText(text, Qt::ElideMiddle, label.contentsRect().width());
    label.setText(shown);
    label.setToolTip(shown == text ? QString() : text);
}
