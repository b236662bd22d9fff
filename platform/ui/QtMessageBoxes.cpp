#include "platform/ui/QtMessageBoxes.h"

#include "platform/ui/UiThread.h"
#include "util/MessageCatalog.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

QtMessageBoxes::QtMessageBoxes(QWidget* owner) : owner_(owner) {}

void QtMessageBoxes::SetOwner(QWidget* owner)
{
    owner_ = owner;
}

MessageService::Answer QtMessageBoxes::Show(const std::string& text, Buttons buttons)
{
    // A box that cannot be shown (the application is going away) answers like Escape would.
    Answer answer = buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    RunOnUiThread([&] { answer = ShowHere(text, buttons); });
    return answer;
}

MessageService::Answer QtMessageBoxes::ShowHere(const std::string& text, Buttons buttons)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = owner_.data();
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromStdString(GetMessageText(MsgId::ModelName)));
    box.setIcon(QMessageBox::NoIcon);
    // Paths and names from the box are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // A one-word question would otherwise get a box barely wider than its buttons. Only a
    // short text gets the minimum: the box sizes itself by the label's minimum width, so a
    // longer text with one would be cut off instead of widening the box or wrapping.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const int minimum = 36 * box.fontMetrics().averageCharWidth();
        if (label->fontMetrics().size(0, label->text()).width() < minimum)
            label->setMinimumWidth(minimum);
    }
    const int result = box.exec();
    if (buttons == Buttons::YesNo)
        return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    return Answer::Ok;
}
