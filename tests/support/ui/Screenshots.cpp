#include "tests/support/ui/Screenshots.h"

#include "platform/ui/CDialog.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>

void SaveScreenshot(const QImage& image, const char* name)
{
    const QString dir = qEnvironmentVariable("CHANNELTOOL_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QVERIFY(image.save(QDir(dir).filePath(QString::fromLatin1(name) + ".png")));
}

void ShootWindow(QWidget& window, const char* name, QWidget* over)
{
    if (qEnvironmentVariableIsEmpty("CHANNELTOOL_SCREENSHOTS"))
        return;
    QTest::qWait(50);
    QImage image = window.grab().toImage();
    if (over)
        QPainter(&image).drawPixmap(over->mapToGlobal(QPoint()) - window.mapToGlobal(QPoint()), over->grab());
    SaveScreenshot(image, name);
}

void ShootDialog(CDialog& dialog, const char* name)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->wordWrap() || !label->isVisibleTo(&dialog))
            continue;
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <=
                     label->contentsRect().width(),
                 qPrintable(label->text()));
    }
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || button->parentWidget() != dialog.client())
            continue;
        QVERIFY2(
            button->sizeHint().width() <= button->width() ||
                (qobject_cast<QPushButton*>(button) &&
                 button->fontMetrics().horizontalAdvance(button->text()) + 16 <= button->width()),
            qPrintable(button->text()));
        QVERIFY2(button->fontMetrics().height() <= button->height(), qPrintable(button->text()));
    }
    SaveScreenshot(dialog.grab().toImage(), name);
}
