// The user list editor and the rename dialog laid out with the real font. With
// CHANNELTOOL_SCREENSHOTS=DIR their pictures are saved there.
#include "editors/CRenameDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/editors/EditorFixture.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/Screenshots.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPainter>
#include <QTest>

class UserListScreenshotTest final : public QObject {
    Q_OBJECT

private slots:
    void userListEditor()
    {
        ChannelDatabase tables = EditorTables();
        tables.setUserListName(2, "Sport");
        tables.setUserListName(5, "Kids & Family");
        std::vector<std::int32_t> full;
        for (int i = 0; i < 40; ++i)
            full.push_back(i % 17 == 1 ? 0 : i % 17);
        tables.setUserListEntries(3, ListKind::Tv, full);

        UserListRun empty(tables);
        empty.editor->m_nFirstList = 1;
        ShootDialog(*empty.editor, "user-list-editor-empty");

        UserListRun run(tables);
        run.editor->m_nFirstList = 3;
        ShootDialog(*run.editor, "user-list-editor-full");

        // The names in the list choice, opened over the editor.
        UserListRun named(tables);
        ShootDialog(*named.editor, "user-list-editor-first-list");
        CUserListDlg& e = *named.editor;
        QComboBox& lists = e.listCombo();
        lists.showPopup();
        QWidget* popup = lists.view()->window();
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        QImage shot = e.grab().toImage();
        QPainter painter(&shot);
        painter.drawPixmap(popup->pos() - e.mapToGlobal(QPoint()), popup->grab());
        painter.end();
        lists.hidePopup();
        SaveScreenshot(shot, "user-list-editor-named-lists");

        UserListRun radio(tables, 1);
        ShootDialog(*radio.editor, "user-list-editor-radio");

        RecordingMessages messages;
        CRenameDlg rename(messages);
        rename.m_strName = "Sport";
        rename.m_nLimit = 16;
        ShootDialog(rename, "rename-dialog");
    }
};

REGISTER_QTEST(UserListScreenshotTest);
#include "UserListScreenshotTest.moc"
