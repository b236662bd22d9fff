// Lays out the dialogs with the real font and checks that every text fits its control. With
// CHANNELTOOL_SCREENSHOTS=DIR it also saves PNG pictures of the dialogs, a message box and the
// artwork there, for looking at them.
#include "app/CChNumDisplayDlg.h"
#include "app/CConnectDlg.h"
#include "platform/ui/QtMessageBoxes.h"
#include "res/Artwork.h"
#include "res/DialogTemplates.h"
#include "res/MenuTemplates.h"
#include "res/ResourceIds.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include <cstdlib>

namespace {

void Save(const QImage& image, const QString& name)
{
    const char* dir = std::getenv("CHANNELTOOL_SCREENSHOTS");
    if (!dir || !*dir)
        return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    QVERIFY(image.save(QDir(QString::fromLocal8Bit(dir)).filePath(name + ".png")));
}

void Save(QWidget& widget, const QString& name)
{
    Save(widget.grab().toImage(), name);
}

// Every label, button and frame title of the dialog is wide enough for its text.
void CheckTextsFit(const CDialog& dialog)
{
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
}

// A sheet of every image: on white and on selection colours, at 1x, 1x magnified 4x
// (to see the pixels) and drawn at 2x.
QImage ContactSheet()
{
    const int marks[] = {IDB_HD, IDB_SCRAMBLED, IDB_LOCK, IDB_TV, IDB_RADIO, IDB_FOLDER};
    const QColor backgrounds[] = {Qt::white, qApp->palette().color(QPalette::Highlight),
                                  QColor(0x00, 0x78, 0xD7)};
    const int cell = 112;
    QImage sheet(QSize(cell * 9 + 120, cell * 8), QImage::Format_ARGB32);
    sheet.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter p(&sheet);
    p.setFont(qApp->font());
    int row = 0;
    for (int id : marks) {
        const int y = row * cell;
        p.setPen(Qt::black);
        p.drawText(QRect(4, y, 110, cell), Qt::AlignVCenter, QStringLiteral("bitmap %1").arg(id));
        int x = 120;
        for (const QColor& background : backgrounds) {
            const QImage one = RenderBitmap(id);
            const QImage two = RenderBitmap(id, 2.0);
            p.fillRect(QRect(x, y, cell * 3 - 4, cell - 4), background);
            p.drawImage(QPoint(x + 8, y + 8), one);
            p.drawImage(QRect(x + 8, y + 40, 24, 24), one);
            p.drawImage(QRect(x + 40, y + 8, one.width() * 4, one.height() * 4),
                        one.scaled(one.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation));
            QImage big = two;
            big.setDevicePixelRatio(1.0);
            p.drawImage(QPoint(x + 148, y + 8), big);
            x += cell * 3;
        }
        ++row;
    }
    int x = 120;
    for (int size : kProgramIconSizes) {
        p.fillRect(QRect(x - 4, row * cell, size + 8, 264), Qt::white);
        p.drawImage(QPoint(x, row * cell + 4), RenderProgramIcon(size));
        x += size + 16;
    }
    return sheet;
}

} // namespace

class ScreenshotTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Screenshots of the real thing: the font must be a real one, not a fallback.
        QCOMPARE(QFontInfo(qApp->font()).family(), QStringLiteral("DejaVu Sans"));
        QApplication::setWindowIcon(ProgramIcon());
    }

    void connectDialog()
    {
        CConnectDlg dialog;
        dialog.m_strAddress = "127.0.0.1";
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        CheckTextsFit(dialog);
        Save(dialog, QStringLiteral("connect-dialog"));
        dialog.hide();
    }

    void gridHeightDialog()
    {
        RecordingMessages messages;
        CChNumDisplayDlg dialog(messages);
        dialog.m_nRows = 10;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        CheckTextsFit(dialog);
        Save(dialog, QStringLiteral("grid-height-dialog"));
        dialog.hide();
    }

    void messageBox()
    {
        QtMessageBoxes boxes;
        ModalWatcher watcher(
            [](QWidget* w) {
                QTest::qWait(50);
                Save(*w, QStringLiteral("message-box"));
                static_cast<QMessageBox*>(w)->button(QMessageBox::Yes)->click();
            },
            ModalWatcher::IsA<QMessageBox>());
        boxes.Show("Exit program?", MessageService::Buttons::YesNo);
        QVERIFY(watcher.ran());
    }

    // The main window's resource with empty boxes where the grids go, and its menu.
    void mainWindowLayout()
    {
        CDialog dialog(GetDialogTemplate(IDD_MAIN));
        dialog.setWindowTitle(QStringLiteral("pelon-i"));
        dialog.SetMenu(GetMenuTemplate(IDR_MAIN_MENU));
        for (int id : {IDC_GRID_CATEGORY, IDC_GRID_GROUP, IDC_GRID_CHANNEL}) {
            auto* box = new QFrame;
            box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            box->setAutoFillBackground(true);
            box->setBackgroundRole(QPalette::Base);
            dialog.InstallControl(id, box);
        }
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        CheckTextsFit(dialog);
        Save(dialog, QStringLiteral("main-window-layout"));
        QMenu* file = dialog.GetMenu()->actions().at(0)->menu();
        file->popup(dialog.mapToGlobal(QPoint(0, dialog.GetMenu()->height())));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        Save(*file, QStringLiteral("main-menu-file"));
        file->hide();
        dialog.hide();
    }

    void artwork() { Save(ContactSheet(), QStringLiteral("artwork")); }
};

REGISTER_QTEST(ScreenshotTest);
#include "ScreenshotTest.moc"
