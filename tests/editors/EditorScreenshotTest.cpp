// The editor's dialogs laid out with the real font: texts fit, the keyboard walks the fields
// from top to bottom, the first field has the focus, Enter means "save". With
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

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Tab from the focused field through the window; the fields must come in reading order.
void CheckKeyboardOrder(CDialog& dialog, int firstId, std::vector<int> numericIds)
{
    QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(firstId));
    auto* ok = dialog.DlgItem<QPushButton>(IDOK);
    QVERIFY(ok->isDefault());
    QVector<QWidget*> visited;
    for (QWidget* w = QApplication::focusWidget(); w && !visited.contains(w);
         w = QApplication::focusWidget()) {
        visited << w;
        QTest::keyClick(w, Qt::Key_Tab);
    }
    for (int i = 1; i < visited.size(); ++i) {
        const QRect a = visited[i - 1]->geometry(), b = visited[i]->geometry();
        QVERIFY2(b.top() > a.top() + 2 || (qAbs(b.top() - a.top()) <= 2 && b.left() > a.left()) ||
                     visited[i] == dialog.GetDlgItem(IDOK),
                 qPrintable(QStringLiteral("tab %1").arg(i)));
    }
    for (int id : numericIds)
        QVERIFY(dialog.DlgItem<QLineEdit>(id)->alignment() & Qt::AlignRight);
}

} // namespace

class EditorScreenshotTest final : public QObject {
    Q_OBJECT

private slots:
    void satelliteDialog()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CSatInfoDlg dialog(db, messages);
        dialog.m_satInfo = db.satellite(3);
        ShootDialog(dialog, "sat-info-dialog");
        CheckKeyboardOrder(dialog, IDC_SAT_NAME, {IDC_SAT_POSITION, IDC_SAT_POSITIONER});
    }

    void transponderDialog()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CTpInfoDlg dialog(db, {1, 2}, messages);
        dialog.m_tpInfo = db.transponder(1);
        dialog.m_tpInfo.setFec(15);
        dialog.m_nOwnIndex = 1;
        ShootDialog(dialog, "tp-info-dialog");
        CheckKeyboardOrder(dialog, IDC_TP_FREQUENCY, {IDC_TP_FREQUENCY, IDC_TP_SYMBOL_RATE});
        CTpInfoDlg add(db, {1, 2}, messages);
        add.m_bAddMode = true;
        ShootDialog(add, "tp-info-dialog-add");
    }

    void channelDialog()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CChannelInfoDlg dialog(db, messages);
        dialog.m_values = ChannelValues::From(db.channel(3));
        dialog.m_nSelector = db.channel(3).selector();
        dialog.m_nKey = db.channel(3).key();
        ShootDialog(dialog, "channel-info-dialog");
        CheckKeyboardOrder(dialog, IDC_CH_NAME,
                           {IDC_CH_SERVICE_ID, IDC_CH_PMT_PID, IDC_CH_VIDEO_PID, IDC_CH_AUDIO_PID,
                            IDC_CH_PCR_PID});
        CChannelInfoDlg add(db, messages);
        add.m_bAddMode = true;
        ShootDialog(add, "channel-info-dialog-add");
    }

    void pinDialog()
    {
        RecordingMessages messages;
        CPinDlg dialog(messages);
        dialog.m_strPin = "1234";
        ShootDialog(dialog, "pin-dialog");
        CheckKeyboardOrder(dialog, IDC_EDIT_PIN, {});
    }

    void satelliteListEditor()
    {
        EditorRun run(EditorTables());
        run.editor->m_wPreSatId = 101;
        run.editor->m_wPreTpId = 11;
        run.editor->m_wPreChannelKey = 3002;
        ShootDialog(*run.editor, "sat-list-editor");
        // The channel columns fit the grid: no sideways scrolling.
        CGridCtrl& channels = run.editor->channelGrid();
        int total = 0;
        for (int c = 0; c < channels.GetColumnCount(); ++c)
            total += channels.GetColumnWidth(c);
        QVERIFY(total <= channels.viewport()->width());
        QVERIFY(qAbs(channels.GetColumnWidth(1) - channels.GetColumnWidth(4)) <= 1);
        run.Close();
    }
};

REGISTER_QTEST(EditorScreenshotTest);
#include "EditorScreenshotTest.moc"
