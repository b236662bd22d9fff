#pragma once

#include "chdb/EditValidation.h"

#include <QString>
#include <QValidator>

#include <cstdint>
#include <initializer_list>
#include <string>

class CDialog;
class MessageService;
class QComboBox;

// What the edit dialogs share: combo filling, the failed-check report, and names edited as
// readable text but stored in their DVB character table.

// The control that shows `field`.
int FieldControlId(EditField field);
// Shows the failed check and puts the focus on its control; the dialog stays open.
void ReportEditError(CDialog& dialog, MessageService& messages, const EditError& error);

// Replaces the entries and selects `select` (-1: nothing).
void FillCombo(QComboBox& combo, std::initializer_list<const char*> entries, int select);
// Selects `index` when it names an entry, otherwise nothing.
void SelectComboIndex(QComboBox& combo, int index);

// A stored name (its selector byte included) as readable text.
QString NameForDisplay(const std::string& stored);
// Typed text in the table of `selector`; empty when a character has no code there.
std::optional<std::string> EncodeTypedName(const QString& text, std::uint8_t selector);

// Lets only text through that the name's character table can store, so every name typed is
// one the box shows as typed.
class DvbNameValidator final : public QValidator {
public:
    DvbNameValidator(std::uint8_t selector, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    std::uint8_t selector_;
};
