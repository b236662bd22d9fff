// The satellite, transponder, channel and PIN dialogs driven by keys: what they show, what
// they give back, and how a failed check keeps them open on the offending field.
#include "editors/CChannelInfoDlg.h"
#include "editors/CPinDlg.h"
#include "editors/CSatInfoDlg.h"
#include "editors/CTpInfoDlg.h"
#include "res/ResourceIds.h"
#include "tests/editors/EditorFixture.h"
#include "tests/support/ui/QtTestMain.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

QStringList Items(CDialog& d, int id)
{
    QStringList items;
    auto* combo = d.DlgItem<QComboBox>(id);
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

void ShowActive(CDialog& d)
{
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
}

// The message of a failed check, the focus on `id`, the dialog still open.
#define QCHECK_REFUSED(dialog, messages, text, id)                                                 \
    do {                                                                                           \
        QCOMPARE((messages).last(), std::string(text));                                            \
        QCOMPARE(QApplication::focusWidget(), (dialog).GetDlgItem(id));                            \
        QVERIFY((dialog).isVisible());                                                             \
    } while (0)

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
        QCOMPARE(pin.DlgItem<QLineEdit>(IDC_EDIT_PIN)->echoMode(), QLineEdit::Password);
        TypeInto(pin.GetDlgItem(IDC_EDIT_PIN), "42");
        PressEnter(pin);
        QCHECK_REFUSED(pin, messages, "Wrong PIN!", IDC_EDIT_PIN);
        QCOMPARE(pin.GetDlgItemText(IDC_EDIT_PIN), std::string("42")); // the text stays
        TypeInto(pin.GetDlgItem(IDC_EDIT_PIN), "0042");
        PressEnter(pin);
        QCOMPARE(pin.result(), IDOK);
        ShowActive(pin);
        QTest::keyClick(pin.focusWidget(), Qt::Key_Escape);
        QCOMPARE(pin.result(), IDCANCEL);
    }

    void satelliteDialogShowsAndStores()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        SatInfo sat = db.satellite(2);
        sat.setPosition(1801), sat.setLnbType(1), sat.setLnbLow(5150), sat.setTone22k(1), sat.setDiseqc(5);
        CSatInfoDlg dialog(db, messages);
        dialog.m_satInfo = sat;
        ShowActive(dialog);
        const std::pair<int, const char*> shown[] = {{IDC_SAT_POSITION, "179.9"}, {IDC_SAT_EAST_WEST, "W"},
                                                     {IDC_SAT_LNB, "5150"},       {IDC_SAT_22KHZ, "On"},
                                                     {IDC_SAT_DISEQC, "Mini A"},  {IDC_SAT_POSITIONER, ""}};
        for (const auto& [id, text] : shown)
            QCOMPARE(dialog.GetDlgItemText(id), std::string(text));

        // A dual LNB offers "Auto" alone; typing a frequency brings "Off"/"On" back.
        PickEntry(dialog.GetDlgItem(IDC_SAT_LNB), 1);
        QCOMPARE(Items(dialog, IDC_SAT_22KHZ), (QStringList{"Auto"}));
        TypeInto(dialog.GetDlgItem(IDC_SAT_LNB), "10750");
        QCOMPARE(Items(dialog, IDC_SAT_22KHZ), (QStringList{"Off", "On"}));

        TypeInto(dialog.GetDlgItem(IDC_SAT_NAME), "Sat 4"); // another satellite's name
        TypeInto(dialog.GetDlgItem(IDC_SAT_POSITION), "181");
        PressEnter(dialog);
        QCHECK_REFUSED(dialog, messages, "Name already exists!", IDC_SAT_NAME);
        TypeInto(dialog.GetDlgItem(IDC_SAT_NAME), QStringLiteral("Türksat"));
        PressEnter(dialog);
        QCHECK_REFUSED(dialog, messages, "Position range : 0 ~ 180", IDC_SAT_POSITION);
        QCOMPARE(dialog.m_satInfo, sat); // nothing goes back before every check passed

        TypeInto(dialog.GetDlgItem(IDC_SAT_POSITION), "42");
        PickEntry(dialog.GetDlgItem(IDC_SAT_22KHZ), 1);
        TypeInto(dialog.GetDlgItem(IDC_SAT_POSITIONER), "47");
        PressEnter(dialog);
        QCOMPARE(dialog.result(), IDOK);
        const SatInfo& after = dialog.m_satInfo;
        QCOMPARE(after.name(), std::string("T\xC8u" "rksat")); // the default table: mark, letter
        QCOMPARE((std::vector<int>{after.position(), after.lnbType(), after.lnbLow(), after.tone22k(),
                                   after.positioner(), after.diseqc(), after.id()}),
                 (std::vector<int>{3180, 2, 10750, 1, 47, 5, sat.id()}));
    }

    void transponderDialog()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CTpInfoDlg edit(db, {1, 2}, messages); // satellite 1: 11000/27500/H, 12000/27500/V
        edit.m_tpInfo = db.transponder(1);
        edit.m_nOwnIndex = 1;
        ShowActive(edit);
        QCOMPARE(edit.GetDlgItemText(IDC_TP_SYSTEM) + " " + edit.GetDlgItemText(IDC_TP_FEC) + " " +
                     edit.GetDlgItemText(IDC_TP_POLARIZATION),
                 std::string("DVB-S 3/4 Horizontal"));
        PressEnter(edit); // unchanged: not a duplicate of itself
        QCOMPARE(edit.result(), IDOK);

        CTpInfoDlg add(db, {1, 2}, messages);
        add.m_bAddMode = true;
        ShowActive(add);
        QVERIFY(add.windowTitle() == "Add Transponder" && add.GetDlgItemText(IDOK) == "Add");
        for (int id : {IDC_TP_SYSTEM, IDC_TP_FEC, IDC_TP_POLARIZATION, IDC_TP_PILOT})
            QCOMPARE(add.DlgItem<QComboBox>(id)->currentIndex(), -1);
        TypeInto(add.GetDlgItem(IDC_TP_FREQUENCY), "11000");
        TypeInto(add.GetDlgItem(IDC_TP_SYMBOL_RATE), "27500");
        PressEnter(add);
        QCHECK_REFUSED(add, messages, "Select FEC!", IDC_TP_FEC);
        PickEntry(add.GetDlgItem(IDC_TP_SYSTEM), 1); // DVB-S2: its list, nothing chosen yet
        QVERIFY(Items(add, IDC_TP_FEC).size() == 14 && add.DlgItem<QComboBox>(IDC_TP_FEC)->currentIndex() == -1);
        for (auto [id, entry] : {std::pair{IDC_TP_FEC, 2}, {IDC_TP_POLARIZATION, 1}, {IDC_TP_PILOT, 2}})
            PickEntry(add.GetDlgItem(id), entry);
        PressEnter(add);
        QCHECK_REFUSED(add, messages, "Transponder already exists!", IDC_TP_FREQUENCY);
        PickEntry(add.GetDlgItem(IDC_TP_POLARIZATION), 0);
        PressEnter(add);
        QCOMPARE(add.result(), IDOK);
        const TpInfo& tp = add.m_tpInfo;
        QCOMPARE((std::vector<int>{tp.frequency(), tp.symbolRate(), tp.fec(), tp.polarization(), tp.pilot()}),
                 (std::vector<int>{11000, 27500, 2 + 6, 0, 2}));
    }

    void channelDialogUnlockingNeedsThePin()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CChannelInfoDlg dialog(db, messages);
        dialog.m_values = ChannelValues::From(db.channel(1)); // a locked radio
        dialog.m_nKey = db.channel(1).key();
        dialog.m_strPin = "1234";
        ShowActive(dialog);
        QVERIFY(!dialog.GetDlgItem(IDC_CH_TYPE)->isEnabled() && !dialog.GetDlgItem(IDC_CH_VIDEO_PID)->isEnabled());
        QCOMPARE(dialog.GetDlgItemText(IDC_CH_VIDEO_PID) + dialog.GetDlgItemText(IDC_CH_LOCK), std::string("Lock"));

        // A wrong PIN and "Exit" in the PIN dialog leave the channel locked and this dialog open.
        PickEntry(dialog.GetDlgItem(IDC_CH_LOCK), 0);
        auto wrong = AnswerPin("0000");
        PressEnter(dialog);
        QVERIFY(wrong.ran() && dialog.isVisible() && messages.last() == "Wrong PIN!");
        auto right = AnswerPin("1234");
        PressEnter(dialog);
        QVERIFY(right.ran() && dialog.result() == IDOK);
        QCOMPARE(dialog.m_values, (ChannelValues{"Radio Eins", 11, 101, 0xFFFF, 301, 401, ChannelInfo::kRadio, 0}));

        // Locking asks for nothing.
        CChannelInfoDlg lock(db, messages);
        lock.m_values = ChannelValues::From(db.channel(0));
        lock.m_nKey = db.channel(0).key();
        ShowActive(lock);
        PickEntry(lock.GetDlgItem(IDC_CH_LOCK), 1);
        PressEnter(lock);
        QVERIFY(lock.result() == IDOK && lock.m_values.lock == 1);
    }

    void channelDialogInAddMode()
    {
        const ChannelDatabase db = EditorTables();
        RecordingMessages messages;
        CChannelInfoDlg dialog(db, messages);
        dialog.m_bAddMode = true;
        dialog.m_nSelector = 0x05; // ISO 8859-9
        ShowActive(dialog);
        QVERIFY(dialog.windowTitle() == "Add Channel" && dialog.GetDlgItemText(IDOK) == "Add");
        QVERIFY(dialog.GetDlgItem(IDC_CH_TYPE)->isEnabled());
        QCOMPARE(dialog.GetDlgItemText(IDC_CH_TYPE) + dialog.GetDlgItemText(IDC_CH_LOCK), std::string("SDTVUnlock"));

        TypeInto(dialog.GetDlgItem(IDC_CH_NAME), "Radio Eins"); // a radio of another satellite
        PressEnter(dialog);
        QCHECK_REFUSED(dialog, messages, "Name already exists!", IDC_CH_NAME);
        // Letters the name's table has not are refused as they are typed.
        TypeInto(dialog.GetDlgItem(IDC_CH_NAME), QStringLiteral("Kał Çocuk"));
        QCOMPARE(dialog.GetDlgItemText(IDC_CH_NAME), std::string("Ka \xC3\x87ocuk"));
        PickEntry(dialog.GetDlgItem(IDC_CH_TYPE), 1);
        QVERIFY(!dialog.GetDlgItem(IDC_CH_VIDEO_PID)->isEnabled());
        const std::pair<int, const char*> typed[] = {
            {IDC_CH_SERVICE_ID, "17"}, {IDC_CH_PMT_PID, "100"}, {IDC_CH_AUDIO_PID, "65536"}, {IDC_CH_PCR_PID, "101"}};
        for (const auto& [id, text] : typed)
            TypeInto(dialog.GetDlgItem(id), text);
        PressEnter(dialog);
        QCHECK_REFUSED(dialog, messages, "Audio PID range : 1 ~ 65535", IDC_CH_AUDIO_PID);
        TypeInto(dialog.GetDlgItem(IDC_CH_AUDIO_PID), "102");
        PressEnter(dialog);
        QCOMPARE(dialog.result(), IDOK);
        QCOMPARE(dialog.m_values, (ChannelValues{"Ka \xC7ocuk", 17, 100, 0xFFFF, 102, 101, ChannelInfo::kRadio, 0}));
    }
};

REGISTER_QTEST(EditDialogsTest);
#include "EditDialogsTest.moc"
