#pragma once

#include "platform/ui/CDialog.h"

#include <string>

class MessageService;

// "Rename": edits a name and ends with OK only for a trimmed, non-empty name shorter than the
// limit. Names are kept as the box stores them; the edit shows them as readable text and lets
// only text through that their character table can store.
class CRenameDlg final : public CDialog {
    Q_OBJECT

public:
    explicit CRenameDlg(MessageService& messages, QWidget* parent = nullptr);

    std::string m_strName; // in: the current name; out, after OK: the new one
    int m_nLimit = -1;     // the stored name must be shorter than this

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    MessageService& m_messages;
    std::uint8_t m_nSelector = 0; // a character-table selector the name opens with, or 0
};
