// The editor's dialogs laid out with the real font: texts fit, Tab walks the fields in reading
// order from the first, Enter means "save", numbers sit on the right. With
// CHANNELTOOL_SCREENSHOTS=DIR their pictures are saved there.
#include "editors/CChannelInfoDlg.h"
#include "editors/CPinDlg.h"
#include "editors/CSatInfoDlg.h"
#include "editors/CTpInfoDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/editors/EditorFixture.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/Screenshots.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

void CheckKeyboardOrder(CDialog& dialog, int firstId, std::initializer_list<int> numericIds)
{
    QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(firstId));
    QVERIFY(dialog.DlgItem<QPushButton>(IDOK)->isDefault());
    QVector<QWidget*> visited;
    for (QWidget* w = QApplication::focusWidget(); w && !visited.contains(w); w = QApplication::focusWidget()) {
        visited << w;
        QTest::keyClick(w, Qt::Key_Tab);
    }
    for (int i = 1; i < visited.size(); ++i) {
        const QRect a = visited[i - 1]->geometry(), b = visited[i]->geometry();
        QVERIFY2(b.top() > a.top() + 2 || (qAbs(b.top() - a.top()) <= 2 && b.left() > a.left()),
                 qPrintable(QStringLiteral("tab %1").arg(i)));
    }
    for (int id : numericIds)
        QVERIFY(dialog.DlgItem<QLineEdit>(id)->alignment() & Qt::AlignRight);
}

} // namespace

class EditorScreenshotTest final : public QObject {
    Q_OBJECT

private slots:
    void editDialogs()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CSatInfoDlg sat(db, messages);
        sat.m_satInfo = db.satellite(3);
        ShootDialog(sat, "sat-info-dialog");
        CheckKeyboardOrder(sat, IDC_SAT_NAME, {IDC_SAT_POSITION, IDC_SAT_POSITIONER});

        CTpInfoDlg tp(db, {1, 2}, messages);
        tp.m_tpInfo = db.transponder(1);
        tp.m_tpInfo.setFec(15);
        ShootDialog(tp, "tp-info-dialog");
        CheckKeyboardOrder(tp, IDC_TP_FREQUENCY, {IDC_TP_FREQUENCY, IDC_TP_SYMBOL_RATE});

        CChannelInfoDlg channel(db, messages);
        channel.m_values = ChannelValues::From(db.channel(3));
        channel.m_nSelector = db.channel(3).selector();
        ShootDialog(channel, "channel-info-dialog");
        CheckKeyboardOrder(channel, IDC_CH_NAME,
                           {IDC_CH_SERVICE_ID, IDC_CH_PMT_PID, IDC_CH_VIDEO_PID, IDC_CH_AUDIO_PID, IDC_CH_PCR_PID});

        CChannelInfoDlg add(db, messages);
        add.m_bAddMode = true;
        ShootDialog(add, "channel-info-dialog-add");
        CPinDlg pin(messages);
        ShootDialog(pin, "pin-dialog");
        CheckKeyboardOrder(pin, IDC_EDIT_PIN, {});
    }

    void satelliteListEditor()
    {
        EditorRun run(EditorTables());
        run.editor->m_wPreSatId = 101;
        run.editor->m_wPreTpId = 11;
        run.editor->m_wPreChannelKey = 3002;
        ShootDialog(*run.editor, "sat-list-editor");
        // The five channel columns fit the grid, the marks' evenly: no sideways scrolling.
        CGridCtrl& channels = run.editor->channelGrid();
        int total = 0;
        for (int c = 0; c < channels.GetColumnCount(); ++c)
            total += channels.GetColumnWidth(c);
        QVERIFY(total <= channels.viewport()->width());
        QVERIFY(qAbs(channels.GetColumnWidth(1) - channels.GetColumnWidth(4)) <= 1);
        QCOMPARE(QApplication::focusWidget(), &run.editor->satelliteGrid());
    }
};

REGISTER_QTEST(EditorScreenshotTest);
#include "EditorScreenshotTest.moc"
