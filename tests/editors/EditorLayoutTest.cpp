// The editors and their dialogs laid out with the real font: texts fit, Tab walks the fields in
// reading order from the first, Enter means "save", numbers sit on the right, and the grids
// grow with the row setting within the screen. With CHANNELTOOL_SCREENSHOTS=DIR their pictures
// are saved there.
#include "editors/CChannelInfoDlg.h"
#include "editors/CPinDlg.h"
#include "editors/CRenameDlg.h"
#include "editors/CSatInfoDlg.h"
#include "editors/CTpInfoDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/editors/EditorFixture.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/Screenshots.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <type_traits>

namespace {

void CheckKeyboardOrder(CDialog& dialog, int firstId, const std::vector<int>& numericIds)
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

// 10, 15 and 30 rows: 15 add five rows to the grids and the editor; 30 are more than the
// screen has room for, so the editor stops at its height with whole rows.
template <class Editor> void CheckGridsGrow()
{
    EditorRun<Editor> ten(EditorTables()), fifteen(EditorTables()), thirty(EditorTables());
    fifteen.editor->m_nGridRows = 15;
    thirty.editor->m_nGridRows = 30;
    const Editor &a = ten.Open(), &b = fifteen.Open(), &c = thirty.Open();
    const int height10 = ten.editor->channelGrid().height(), height15 = fifteen.editor->channelGrid().height();
    const int grown30 = thirty.editor->channelGrid().height() - height10;
    QCOMPARE(ten.editor->channelGrid().viewport()->height(), 10 * 24);
    QVERIFY(height15 - height10 == 5 * 24 && b.height() - a.height() == 5 * 24);
    QVERIFY(grown30 > 5 * 24 && grown30 % 24 == 0 && c.height() - a.height() == grown30);
    QVERIFY(c.frameGeometry().height() <= c.screen()->availableGeometry().height());
    if constexpr (std::is_same_v<Editor, CUserListDlg>)
        for (const Editor* e : {&a, &c}) { // "<<" stays between the grids' middles
            const int middle = e->GetDlgItem(IDC_GRID_USER_LIST)->geometry().center().y();
            QVERIFY(qAbs(e->GetDlgItem(IDC_BUTTON_ADD)->geometry().bottom() - middle) < 20);
        }
}

} // namespace

class EditorLayoutTest final : public QObject {
    Q_OBJECT

private slots:
    void editDialogs()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CSatInfoDlg sat(db, messages);
        sat.m_satInfo = db.satellite(3);
        CTpInfoDlg tp(db, {1, 2}, messages);
        (tp.m_tpInfo = db.transponder(1)).setFec(15);
        CChannelInfoDlg channel(db, messages), add(db, messages);
        channel.m_values = ChannelValues::From(db.channel(3));
        channel.m_nSelector = db.channel(3).selector();
        add.m_bAddMode = true;
        CPinDlg pin(messages);
        CRenameDlg rename(messages);
        rename.m_strName = "Sport";
        rename.m_nLimit = 16;
        const std::vector<int> channelNumbers = {IDC_CH_SERVICE_ID, IDC_CH_PMT_PID, IDC_CH_VIDEO_PID,
                                                 IDC_CH_AUDIO_PID, IDC_CH_PCR_PID};
        const struct {
            CDialog* dialog;
            const char* name;
            int first; // the field with the focus
            std::vector<int> numeric;
        } cases[] = {
            {&sat, "sat-info-dialog", IDC_SAT_NAME, {IDC_SAT_POSITION, IDC_SAT_POSITIONER}},
            {&tp, "tp-info-dialog", IDC_TP_FREQUENCY, {IDC_TP_FREQUENCY, IDC_TP_SYMBOL_RATE}},
            {&channel, "channel-info-dialog", IDC_CH_NAME, channelNumbers},
            {&add, "channel-info-dialog-add", IDC_CH_NAME, channelNumbers},
            {&pin, "pin-dialog", IDC_EDIT_PIN, {}},
            {&rename, "rename-dialog", IDC_EDIT_NAME, {}},
        };
        for (const auto& c : cases) {
            ShootDialog(*c.dialog, c.name);
            CheckKeyboardOrder(*c.dialog, c.first, c.numeric);
            c.dialog->hide();
        }
    }

    void editors()
    {
        SatListRun sat(EditorTables());
        sat.editor->m_wPreSatId = 101;
        sat.editor->m_wPreTpId = 11;
        sat.editor->m_wPreChannelKey = 3002;
        ShootDialog(*sat.editor, "sat-list-editor");
        QCOMPARE(QApplication::focusWidget(), &sat.editor->satelliteGrid());
        // The five channel columns fit the grid, the marks' evenly: no sideways scrolling.
        CGridCtrl& channels = sat.editor->channelGrid();
        int total = 0;
        for (int c = 0; c < channels.GetColumnCount(); ++c)
            total += channels.GetColumnWidth(c);
        QVERIFY(total <= channels.viewport()->width());
        QVERIFY(qAbs(channels.GetColumnWidth(1) - channels.GetColumnWidth(4)) <= 1);

        ChannelDatabase tables = EditorTables();
        tables.setUserListName(2, "Sport");
        tables.setUserListName(5, "Kids & Family");
        std::vector<std::int32_t> full(40);
        for (int i = 0; i < 40; ++i)
            full[std::size_t(i)] = i % 17 == 1 ? 0 : i % 17;
        tables.setUserListEntries(3, ListKind::Tv, full);
        UserListRun empty(tables), filled(tables), first(tables), radio(tables, 1);
        empty.editor->m_nFirstList = 1;
        filled.editor->m_nFirstList = 3;
        for (auto [run, name] : {std::pair{&empty, "user-list-editor-empty"}, {&filled, "user-list-editor-full"},
                                 {&radio, "user-list-editor-radio"}, {&first, "user-list-editor-first-list"}})
            ShootDialog(*run->editor, name);

        // The names in the list choice, opened over the editor.
        CUserListDlg& e = *first.editor;
        QComboBox& lists = e.listCombo();
        lists.showPopup();
        QWidget* popup = lists.view()->window();
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        ShootWindow(e, "user-list-editor-named-lists", popup);
        lists.hidePopup();
    }

    void gridsGrowWithTheRowSettingWithinTheScreen()
    {
        CheckGridsGrow<CSatListDlg>();
        CheckGridsGrow<CUserListDlg>();
    }
};

REGISTER_QTEST(EditorLayoutTest);
#include "EditorLayoutTest.moc"
