#pragma once

#include "platform/ui/FileDialogs.h"

#include <QPointer>
#include <QWidget>

// The file dialogs on Qt's QFileDialog, modal over the window in front (the active modal
// dialog, else the owner). The desktop's own dialogs are used unless `useNativeDialogs` is
// false (tests drive Qt's dialog).
class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* owner = nullptr, bool useNativeDialogs = true);

    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> PickFolder(const std::string& title,
                                          const std::string& start) override;

private:
    std::optional<std::string> Run(class QFileDialog& dialog);
    QWidget* Parent() const;

    QPointer<QWidget> owner_;
    bool native_;
};
