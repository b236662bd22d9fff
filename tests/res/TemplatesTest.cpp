#include "res/DialogTemplates.h"
#include "res/MenuTemplates.h"
#include "res/ResourceIds.h"
#include "tests/support/ui/QtTestMain.h"

#include <QTest>

#include <set>
#include <stdexcept>

class TemplatesTest final : public QObject {
    Q_OBJECT

private slots:
    void controlsLieInsideTheirDialogWithUniqueIds()
    {
        for (int id : {IDD_MAIN, IDD_CONNECT, IDD_CH_NUM_DISPLAY}) {
            const DialogTemplate& dialog = GetDialogTemplate(id);
            QCOMPARE(dialog.id, id);
            std::set<int> ids;
            for (const ControlTemplate& c : dialog.controls) {
                const QString where = QStringLiteral("dialog %1 control %2").arg(id).arg(c.id);
                QVERIFY2(c.x >= 0 && c.y >= 0 && c.w > 0 && c.h > 0, qPrintable(where));
                QVERIFY2(c.x + c.w <= dialog.width && c.y + c.h <= dialog.height,
                         qPrintable(where));
                if (c.id != kNoControlId)
                    QVERIFY2(ids.insert(c.id).second, qPrintable(where));
            }
        }
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, GetDialogTemplate(4711));
    }

    void menuCommandsAreUniqueAndPopupsFound()
    {
        for (int id : {IDR_MAIN_MENU, IDR_POPUP_MENU}) {
            std::set<int> commands;
            for (const PopupTemplate& popup : GetMenuTemplate(id).popups)
                for (const MenuItemTemplate& item : popup.items)
                    if (item.text)
                        QVERIFY(commands.insert(item.id).second);
        }
        QCOMPARE(GetPopupTemplate(IDR_POPUP_MENU, kPopupDelete).items.at(0).id, ID_DELETE);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, GetPopupTemplate(IDR_POPUP_MENU, 4));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, GetMenuTemplate(4711));
    }
};

REGISTER_QTEST(TemplatesTest);
#include "TemplatesTest.moc"
