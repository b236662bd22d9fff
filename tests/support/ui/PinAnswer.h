#pragma once

#include "editors/CPinDlg.h"
#include "res/ResourceIds.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/Screenshots.h"
#include "tests/support/ui/UiDriving.h"

#include <QTest>

#include <string>

// Answers the next PIN dialog with `pin` and Enter; a wrong one is then given up with "Exit".
// With `screenshot`, the dialog's picture is saved under that name first.
inline ModalWatcher AnswerPin(const std::string& pin, const char* screenshot = nullptr)
{
    return ModalWatcher::For<CPinDlg>([pin, screenshot](CPinDlg* d) {
        if (screenshot)
            SaveScreenshot(d->grab().toImage(), screenshot);
        TypeInto(d->GetDlgItem(IDC_EDIT_PIN), QString::fromStdString(pin));
        PressEnter(*d);
        if (d->isVisible())
            QTest::mouseClick(d->GetDlgItem(IDCANCEL), Qt::LeftButton);
    });
}
