#pragma once

#include "filebrowser/Overwrite.h"
#include "platform/ui/CDialog.h"

#include <string>

// "Overwrite?" about one existing file, with its path and the choices "All overwrite" and
// "All skip" for the rest of the run. "Yes" (OK) keeps the choice, "No" (Cancel) skips the file.
class COverwriteDlg final : public CDialog {
    Q_OBJECT

public:
    explicit COverwriteDlg(QWidget* parent = nullptr);

    std::string m_strPath; // set before DoModal
    // After "Yes": the radio choice, Ask when none was checked.
    OverwriteMode m_nChoice = OverwriteMode::Ask;

protected:
    void OnInitDialog() override;
    void OnOK() override;
};
