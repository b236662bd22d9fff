#include "platform/ui/QtFileDialogs.h"

#include "platform/ui/FileFilter.h"

#include <QApplication>
#include <QFileDialog>

namespace {

void Prepare(QFileDialog& dialog, const FileDialogRequest& request)
{
    dialog.setWindowTitle(QString::fromStdString(request.title));
    const QStringList filters = ToQtNameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    const std::string folder = StartFolder(request.start);
    if (!folder.empty())
        dialog.setDirectory(QString::fromStdString(folder));
}

} // namespace

QtFileDialogs::QtFileDialogs(QWidget* owner, bool useNativeDialogs)
    : owner_(owner), native_(useNativeDialogs)
{
}

QWidget* QtFileDialogs::Parent() const
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : owner_.data();
}

std::optional<std::string> QtFileDialogs::Run(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return files.first().toStdString();
}

std::optional<std::string> QtFileDialogs::SaveFile(const FileDialogRequest& request)
{
    QFileDialog dialog(Parent());
    // Decided first: the widget-based dialog takes the settings below, a native one not all.
    dialog.setOption(QFileDialog::DontUseNativeDialog, !native_);
    Prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    return Run(dialog);
}

std::optional<std::string> QtFileDialogs::OpenFile(const FileDialogRequest& request)
{
    QFileDialog dialog(Parent());
    dialog.setOption(QFileDialog::DontUseNativeDialog, !native_);
    Prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog);
}

std::optional<std::string> QtFileDialogs::PickFolder(const std::string& title,
                                                     const std::string& start)
{
    QFileDialog dialog(Parent());
    dialog.setOption(QFileDialog::DontUseNativeDialog, !native_);
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!start.empty())
        dialog.setDirectory(QString::fromStdString(start));
    return Run(dialog);
}
