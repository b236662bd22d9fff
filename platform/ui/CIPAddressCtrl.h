#pragma once

#include <QFrame>

#include <array>

class QLineEdit;

// An IPv4 address field: four octet fields of 0..255 between dots, drawn as one line edit.
// Only digits go in; a value above 255 becomes 255 with a beep. A third digit or a "." moves
// on to the next field, Backspace at the start of a field moves back, and pasting a dotted
// address fills the fields from the one pasted into.
class CIPAddressCtrl final : public QFrame {
    Q_OBJECT

public:
    explicit CIPAddressCtrl(QWidget* parent = nullptr);

    // "a.b.c.d", blank fields as 0; empty when every field is blank.
    QString text() const;
    // Takes a dotted address of four numbers 0..255; anything else clears the control.
    void setText(const QString& address);
    void clear();
    bool isBlank() const;

    // The field with the keyboard focus (0..3), or -1.
    int currentField() const;
    void setFieldFocus(int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void addressChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int IndexOf(const QObject* object) const;
    bool HandleKey(int index, class QKeyEvent& key);
    void OnFieldEdited(int index, const QString& text);
    void FillFrom(int index, const QString& dotted);
    void MoveTo(int index, bool toEnd);
    int FrameWidth() const;

    std::array<QLineEdit*, 4> fields_{};
};
