// The satellite, transponder, channel and PIN dialogs driven by keys: what they show, what
// they store, and how a failed check keeps them open.
#include "editors/CChannelInfoDlg.h"
#include "editors/CPinDlg.h"
#include "editors/CSatInfoDlg.h"
#include "editors/CTpInfoDlg.h"
#include "res/ResourceIds.h"
#include "tests/editors/EditorFixture.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QComboBox* Combo(CDialog& d, int id) { return d.DlgItem<QComboBox>(id); }

QStringList Items(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// Replaces the text of an edit (or an editable combo) by typing.
void Type(CDialog& d, int id, const QString& text)
{
    QWidget* w = d.GetDlgItem(id);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        w = combo->lineEdit();
    w->setFocus();
    static_cast<QLineEdit*>(w)->selectAll();
    QTest::keyClick(w, Qt::Key_Delete);
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Picks an entry of a drop-down list with the arrow keys.
void Pick(CDialog& d, int id, int index)
{
    QComboBox* combo = Combo(d, id);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = combo->currentIndex() < 0 ? -1 : 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

// Keys go where the focus is, as the user's would.
void PressEnter(CDialog& d)
{
    QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key_Return);
}

void ShowActive(CDialog& d)
{
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
}

} // namespace

class EditDialogsTest final : public QObject {
    Q_OBJECT

private slots:
    void pinDialogAcceptsOnlyTheExactPin()
    {
        RecordingMessages messages;
        CPinDlg pin(messages);
        pin.m_strPin = "0042";
        ShowActive(pin);
        QVERIFY(pin.DlgItem<QLineEdit>(IDC_EDIT_PIN)->echoMode() == QLineEdit::Password);
        Type(pin, IDC_EDIT_PIN, "42");
        PressEnter(pin);
        QCOMPARE(messages.last(), std::string("Wrong PIN!"));
        QVERIFY(pin.isVisible());
        QCOMPARE(QApplication::focusWidget(), pin.GetDlgItem(IDC_EDIT_PIN));
        QCOMPARE(pin.GetDlgItemText(IDC_EDIT_PIN), std::string("42")); // the text stays
        Type(pin, IDC_EDIT_PIN, "0042");
        PressEnter(pin);
        QVERIFY(!pin.isVisible());
        QCOMPARE(pin.result(), IDOK);

        CPinDlg exit(messages);
        ShowActive(exit);
        QTest::keyClick(&exit, Qt::Key_Escape);
        QCOMPARE(exit.result(), IDCANCEL);
    }

    void satelliteDialogShowsTheStoredSettings()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        SatInfo sat = db.satellite(2);
        sat.setPosition(1801);
        sat.setLnbType(1);
        sat.setLnbLow(5150);
        sat.setLnbHigh(5150);
        sat.setTone22k(1);
        sat.setDiseqc(5);
        CSatInfoDlg dialog(db, messages);
        dialog.m_satInfo = sat;
        ShowActive(dialog);
        QCOMPARE(dialog.GetDlgItemText(IDC_SAT_POSITION), std::string("179.9"));
        QCOMPARE(dialog.GetDlgItemText(IDC_SAT_EAST_WEST), std::string("W"));
        QCOMPARE(dialog.GetDlgItemText(IDC_SAT_LNB), std::string("5150"));
        QCOMPARE(Items(Combo(dialog, IDC_SAT_22KHZ)), (QStringList{"Off", "On"}));
        QCOMPARE(Combo(dialog, IDC_SAT_22KHZ)->currentIndex(), 1);
        QCOMPARE(dialog.GetDlgItemText(IDC_SAT_DISEQC), std::string("Mini A"));
        QCOMPARE(dialog.GetDlgItemText(IDC_SAT_POSITIONER), std::string()); // none

        // Picking a dual LNB offers "Auto" alone; typing a frequency brings "Off"/"On" back.
        Pick(dialog, IDC_SAT_LNB, 1);
        QCOMPARE(dialog.GetDlgItemText(IDC_SAT_LNB), std::string("u9.75/10.75"));
        QCOMPARE(Items(Combo(dialog, IDC_SAT_22KHZ)), (QStringList{"Auto"}));
        Type(dialog, IDC_SAT_LNB, "7001");
        QCOMPARE(Items(Combo(dialog, IDC_SAT_22KHZ)), (QStringList{"Off", "On"}));
        QCOMPARE(Combo(dialog, IDC_SAT_22KHZ)->currentIndex(), 0);

        // Escape: nothing goes back.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(dialog.result(), IDCANCEL);
        QCOMPARE(dialog.m_satInfo, sat);

        CSatInfoDlg dual(db, messages);
        dual.m_satInfo = db.satellite(3);
        ShowActive(dual);
        QCOMPARE(dual.GetDlgItemText(IDC_SAT_LNB), std::string("Universal"));
        QCOMPARE(dual.GetDlgItemText(IDC_SAT_POSITION), std::string("30.0"));
        QCOMPARE(dual.GetDlgItemText(IDC_SAT_EAST_WEST), std::string("E"));
    }

    void satelliteDialogStoresOnlyAfterEveryCheckPassed()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CSatInfoDlg dialog(db, messages);
        dialog.m_satInfo = db.satellite(3);
        const SatInfo before = dialog.m_satInfo;
        ShowActive(dialog);

        Type(dialog, IDC_SAT_NAME, "Sat 4"); // another satellite's name
        Type(dialog, IDC_SAT_POSITION, "181");
        PressEnter(dialog);
        QCOMPARE(messages.last(), std::string("Name already exists!"));
        QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(IDC_SAT_NAME));
        Type(dialog, IDC_SAT_NAME, "Türksat");
        PressEnter(dialog);
        QCOMPARE(messages.last(), std::string("Position range : 0 ~ 180"));
        QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(IDC_SAT_POSITION));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.m_satInfo, before);

        Type(dialog, IDC_SAT_POSITION, "42");
        Pick(dialog, IDC_SAT_EAST_WEST, 0);
        Type(dialog, IDC_SAT_LNB, "10750");
        Pick(dialog, IDC_SAT_22KHZ, 1);
        Pick(dialog, IDC_SAT_LNB_POWER, 3);
        Type(dialog, IDC_SAT_POSITIONER, "47");
        PressEnter(dialog);
        QCOMPARE(dialog.result(), IDOK);
        const SatInfo& after = dialog.m_satInfo;
        QCOMPARE(after.name(), std::string("T\xC8u" "rksat")); // the default table: mark, then letter
        QCOMPARE(after.position(), 420);
        QCOMPARE(after.lnbType(), 2);
        QCOMPARE(after.lnbLow(), 10750);
        QCOMPARE(after.tone22k(), 1);
        QCOMPARE(after.lnbPower(), 3);
        QCOMPARE(after.positioner(), 47);
        QCOMPARE(after.id(), before.id());
        QCOMPARE(after.transponderCount(), before.transponderCount());
    }

    void transponderDialogInAddMode()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CTpInfoDlg dialog(db, {1, 2}, messages); // satellite 1: 11000/27500/H and 12000/27500/V
        dialog.m_bAddMode = true;
        ShowActive(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Transponder"));
        QCOMPARE(dialog.GetDlgItemText(IDOK), std::string("Add"));
        for (int id : {IDC_TP_SYSTEM, IDC_TP_FEC, IDC_TP_POLARIZATION, IDC_TP_PILOT})
            QCOMPARE(Combo(dialog, id)->currentIndex(), -1);
        QCOMPARE(Combo(dialog, IDC_TP_FEC)->count(), 0);

        Type(dialog, IDC_TP_FREQUENCY, "11000");
        Type(dialog, IDC_TP_SYMBOL_RATE, "27500");
        PressEnter(dialog);
        QCOMPARE(messages.last(), std::string("Select FEC!"));
        QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(IDC_TP_FEC));

        Pick(dialog, IDC_TP_SYSTEM, 1); // DVB-S2: its list, nothing chosen yet
        QCOMPARE(Combo(dialog, IDC_TP_FEC)->count(), 14);
        QCOMPARE(Combo(dialog, IDC_TP_FEC)->currentIndex(), -1);
        Pick(dialog, IDC_TP_FEC, 2);
        Pick(dialog, IDC_TP_POLARIZATION, 1);
        Pick(dialog, IDC_TP_PILOT, 2);
        PressEnter(dialog);
        QCOMPARE(messages.last(), std::string("Transponder already exists!"));
        QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(IDC_TP_FREQUENCY));
        Pick(dialog, IDC_TP_POLARIZATION, 0);
        PressEnter(dialog);
        QCOMPARE(dialog.result(), IDOK);
        QCOMPARE(dialog.m_tpInfo.frequency(), 11000);
        QCOMPARE(dialog.m_tpInfo.fec(), 2 + 6);
        QCOMPARE(dialog.m_tpInfo.polarization(), 0);
        QCOMPARE(dialog.m_tpInfo.pilot(), 2);
    }

    void transponderDialogInEditMode()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CTpInfoDlg dialog(db, {1, 2}, messages);
        dialog.m_tpInfo = db.transponder(1);
        dialog.m_nOwnIndex = 1;
        ShowActive(dialog);
        QCOMPARE(dialog.GetDlgItemText(IDC_TP_FREQUENCY), std::string("11000"));
        QCOMPARE(dialog.GetDlgItemText(IDC_TP_SYSTEM), std::string("DVB-S"));
        QCOMPARE(dialog.GetDlgItemText(IDC_TP_FEC), std::string("3/4"));
        QCOMPARE(dialog.GetDlgItemText(IDC_TP_POLARIZATION), std::string("Horizontal"));
        PressEnter(dialog); // unchanged, and not a duplicate of itself
        QCOMPARE(dialog.result(), IDOK);
        QCOMPARE(dialog.m_tpInfo, db.transponder(1));
    }

    void channelDialogUnlockingNeedsThePin()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        const ChannelInfo radio = db.channel(1); // locked radio
        CChannelInfoDlg dialog(db, messages);
        dialog.m_values = ChannelValues::From(radio);
        dialog.m_nKey = radio.key();
        dialog.m_strPin = "1234";
        ShowActive(dialog);
        QVERIFY(!dialog.GetDlgItem(IDC_CH_TYPE)->isEnabled());
        QVERIFY(!dialog.GetDlgItem(IDC_CH_VIDEO_PID)->isEnabled());
        QCOMPARE(dialog.GetDlgItemText(IDC_CH_VIDEO_PID), std::string());
        QCOMPARE(dialog.GetDlgItemText(IDC_CH_NAME), std::string("Radio Eins"));
        QCOMPARE(dialog.GetDlgItemText(IDC_CH_LOCK), std::string("Lock"));

        Pick(dialog, IDC_CH_LOCK, 0);
        // A wrong PIN keeps the PIN dialog open; "Exit" there leaves the channel locked.
        auto wrongThenExit = ModalWatcher::For<CPinDlg>([&](CPinDlg* pin) {
            Type(*pin, IDC_EDIT_PIN, "0000");
            PressEnter(*pin);
            QVERIFY(pin->isVisible());
            QTest::mouseClick(pin->GetDlgItem(IDCANCEL), Qt::LeftButton);
        });
        PressEnter(dialog);
        QVERIFY(wrongThenExit.ran());
        QCOMPARE(messages.last(), std::string("Wrong PIN!"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.m_values.lock, 1);

        auto right = ModalWatcher::For<CPinDlg>([&](CPinDlg* pin) {
            Type(*pin, IDC_EDIT_PIN, "1234");
            PressEnter(*pin);
        });
        dialog.GotoDlgCtrl(IDC_CH_NAME);
        PressEnter(dialog);
        QVERIFY(right.ran());
        QCOMPARE(dialog.result(), IDOK);
        QCOMPARE(dialog.m_values.lock, 0);
        QCOMPARE(dialog.m_values.videoPid, 0xFFFF);
        QCOMPARE(dialog.m_values.name, std::string("Radio Eins"));

        // Locking asks for nothing.
        CChannelInfoDlg lock(db, messages);
        lock.m_values = ChannelValues::From(db.channel(0));
        lock.m_nKey = db.channel(0).key();
        ShowActive(lock);
        Pick(lock, IDC_CH_LOCK, 1);
        PressEnter(lock);
        QCOMPARE(lock.result(), IDOK);
        QCOMPARE(lock.m_values.lock, 1);
    }

    void channelDialogInAddMode()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CChannelInfoDlg dialog(db, messages);
        dialog.m_bAddMode = true;
        dialog.m_nSelector = 0x05; // ISO 8859-9
        ShowActive(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Channel"));
        QCOMPARE(dialog.GetDlgItemText(IDOK), std::string("Add"));
        QVERIFY(dialog.GetDlgItem(IDC_CH_TYPE)->isEnabled());
        QCOMPARE(dialog.GetDlgItemText(IDC_CH_TYPE), std::string("SDTV"));
        QCOMPARE(dialog.GetDlgItemText(IDC_CH_LOCK), std::string("Unlock"));

        Type(dialog, IDC_CH_NAME, "Radio Eins"); // a radio name of another satellite
        PressEnter(dialog);
        QCOMPARE(messages.last(), std::string("Name already exists!"));
        // Letters the name's table has not are refused as they are typed.
        Type(dialog, IDC_CH_NAME, QString::fromUtf8("Ka\xC5\x82 \xC3\x87ocuk"));
        QCOMPARE(dialog.GetDlgItemText(IDC_CH_NAME), std::string("Ka \xC3\x87ocuk"));
        Pick(dialog, IDC_CH_TYPE, 1);
        QVERIFY(!dialog.GetDlgItem(IDC_CH_VIDEO_PID)->isEnabled());
        Type(dialog, IDC_CH_SERVICE_ID, "17");
        Type(dialog, IDC_CH_PMT_PID, "100");
        Type(dialog, IDC_CH_AUDIO_PID, "65536");
        Type(dialog, IDC_CH_PCR_PID, "101");
        PressEnter(dialog);
        QCOMPARE(messages.last(), std::string("Audio PID range : 1 ~ 65535"));
        QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(IDC_CH_AUDIO_PID));
        Type(dialog, IDC_CH_AUDIO_PID, "102");
        PressEnter(dialog);
        QCOMPARE(dialog.result(), IDOK);
        QCOMPARE(dialog.m_values, (ChannelValues{"Ka \xC7ocuk", 17, 100, 0xFFFF, 102, 101,
                                                  ChannelInfo::kRadio, 0}));
    }
};

REGISTER_QTEST(EditDialogsTest);
#include "EditDialogsTest.moc"
