#include "platform/ui/FileFilter.h"
#include "platform/ui/QtFileDialogs.h"
#include "tests/support/TempDir.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>

#include <fstream>

namespace {

const char* const kBackupFilter = "Channel Backup File(*.ech)|*.ech|";

FileDialogRequest BackupRequest(const std::string& start, const std::string& extension)
{
    return {"Channel Backup File", kBackupFilter, extension, start};
}

// Types `name` into a file dialog and confirms it, as a user would.
void ChooseFile(QWidget* widget, const QString& name)
{
    auto* dialog = static_cast<QFileDialog*>(widget);
    dialog->selectFile(name);
    static_cast<QDialog*>(dialog)->accept();
}

QString Canonical(const std::string& path)
{
    return QDir(QString::fromStdString(path)).canonicalPath();
}

} // namespace

class FileDialogsTest final : public QObject {
    Q_OBJECT

private slots:
    void pipeFiltersBecomeQtNameFilters()
    {
        QCOMPARE(ToQtNameFilters(kBackupFilter), QStringList{"Channel Backup File (*.ech)"});
        QCOMPARE(ToQtNameFilters("Text files|*.txt; *.log|All files (*.*)|*.*|"),
                 (QStringList{"Text files (*.txt *.log)", "All files (*.*)"}));
        QCOMPARE(ToQtNameFilters("Images|*.png|Broken"), QStringList{"Images (*.png)"});
        QCOMPARE(ToQtNameFilters("|*.bin|"), QStringList{"*.bin (*.bin)"});
        QVERIFY(ToQtNameFilters("").isEmpty());
        QVERIFY(ToQtNameFilters("Nothing||").isEmpty());
    }

    void startFolderOfAFolderOrAFile()
    {
        TempDir dir;
        const std::string folder = dir.path().string();
        QCOMPARE(StartFolder(folder), folder);
        QCOMPARE(StartFolder((dir / "last.ech").string()), folder); // need not exist
        QCOMPARE(StartFolder(""), std::string());
    }

    void saveAppendsTheDefaultExtensionInTheStartFolder()
    {
        TempDir dir;
        std::ofstream((dir / "old.ech").string()) << "x";
        QtFileDialogs dialogs(nullptr, false);
        ModalWatcher watcher(
            [&](QWidget* w) {
                auto* dialog = static_cast<QFileDialog*>(w);
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Channel Backup File"));
                QCOMPARE(dialog->nameFilters(), QStringList{"Channel Backup File (*.ech)"});
                QCOMPARE(dialog->directory().canonicalPath(), Canonical(dir.path().string()));
                ChooseFile(w, QStringLiteral("mybox"));
            },
            ModalWatcher::IsA<QFileDialog>());
        // Starting from the last file chosen opens its folder.
        const auto chosen = dialogs.SaveFile(BackupRequest((dir / "old.ech").string(), "ech"));
        QVERIFY(watcher.ran());
        QVERIFY(chosen);
        QCOMPARE(Canonical(std::filesystem::path(*chosen).parent_path().string()),
                 Canonical(dir.path().string()));
        QCOMPARE(std::filesystem::path(*chosen).filename().string(), std::string("mybox.ech"));
    }

    void saveAsksBeforeOverwriting()
    {
        TempDir dir;
        std::ofstream((dir / "old.ech").string()) << "x";
        QtFileDialogs dialogs(nullptr, false);
        bool asked = false;
        ModalWatcher answer(
            [&](QWidget* w) {
                asked = true;
                static_cast<QMessageBox*>(w)->button(QMessageBox::Yes)->click();
            },
            ModalWatcher::IsA<QMessageBox>());
        // The default extension counts: typing "old" overwrites old.ech.
        ModalWatcher choose([](QWidget* w) { ChooseFile(w, QStringLiteral("old")); },
                            ModalWatcher::IsA<QFileDialog>());
        const auto chosen = dialogs.SaveFile(BackupRequest(dir.path().string(), "ech"));
        QVERIFY(asked);
        QVERIFY(chosen);
        QCOMPARE(std::filesystem::path(*chosen).filename().string(), std::string("old.ech"));
    }

    void cancelGivesNothing()
    {
        QtFileDialogs dialogs(nullptr, false);
        ModalWatcher watcher([](QWidget* w) { static_cast<QFileDialog*>(w)->reject(); },
                             ModalWatcher::IsA<QFileDialog>());
        QVERIFY(!dialogs.OpenFile(BackupRequest("", "")));
        QVERIFY(watcher.ran());
    }

    void folderPickerStartsInTheGivenFolder()
    {
        TempDir dir;
        std::filesystem::create_directory(dir / "music");
        QtFileDialogs dialogs(nullptr, false);
        ModalWatcher watcher(
            [&](QWidget* w) {
                auto* dialog = static_cast<QFileDialog*>(w);
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Folder"));
                QCOMPARE(dialog->fileMode(), QFileDialog::Directory);
                QVERIFY(dialog->testOption(QFileDialog::ShowDirsOnly));
                QCOMPARE(dialog->directory().canonicalPath(), Canonical((dir / "music").string()));
                static_cast<QDialog*>(dialog)->accept();
            },
            ModalWatcher::IsA<QFileDialog>());
        const auto chosen = dialogs.PickFolder("Select Folder", (dir / "music").string());
        QVERIFY(chosen);
        QCOMPARE(Canonical(*chosen), Canonical((dir / "music").string()));
    }
};

REGISTER_QTEST(FileDialogsTest);
#include "FileDialogsTest.moc"
