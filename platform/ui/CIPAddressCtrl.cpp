#include "platform/ui/CIPAddressCtrl.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

constexpr int kMaxOctet = 255;
constexpr int kDigits = 3;

bool IsDigits(const QString& text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// Drops everything but ASCII digits, keeps three at most and clamps the value; `clamped`
// tells whether the value had to be cut to 255.
QString CleanOctet(const QString& text, bool& clamped)
{
    QString digits;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    digits.truncate(kDigits);
    clamped = !digits.isEmpty() && digits.toInt() > kMaxOctet;
    return clamped ? QString::number(kMaxOctet) : digits;
}

} // namespace

CIPAddressCtrl::CIPAddressCtrl(QWidget* parent) : QFrame(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    auto* layout = new QHBoxLayout(this);
    const int margin = FrameWidth() + 1;
    layout->setContentsMargins(margin, 0, margin, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setAlignment(Qt::AlignCenter);
            dot->setAttribute(Qt::WA_TransparentForMouseEvents);
            layout->addWidget(dot);
        }
        auto* field = new QLineEdit(this);
        field->setFrame(false);
        // The first field is the control's one tab stop, so Tab leaves the control instead
        // of walking its fields.
        field->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
        field->setAlignment(Qt::AlignCenter);
        field->setAttribute(Qt::WA_MacShowFocusRect, false);
        // The frame paints the background, so the fields and dots look like one edit.
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, Qt::transparent);
        field->setPalette(palette);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { OnFieldEdited(i, text); });
        connect(field, &QLineEdit::textChanged, this, &CIPAddressCtrl::addressChanged);
        layout->addWidget(field, 1);
        fields_[static_cast<size_t>(i)] = field;
    }
    setFocusProxy(fields_[0]);
}

int CIPAddressCtrl::FrameWidth() const
{
    QStyleOptionFrame option;
    option.initFrom(this);
    return style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
}

QString CIPAddressCtrl::text() const
{
    if (isBlank())
        return {};
    QStringList octets;
    for (const QLineEdit* field : fields_)
        octets.append(QString::number(field->text().toInt()));
    return octets.join(u'.');
}

void CIPAddressCtrl::setText(const QString& address)
{
    const QStringList parts = address.trimmed().split(u'.');
    bool valid = parts.size() == 4;
    for (const QString& part : parts)
        valid = valid && !part.isEmpty() && part.size() <= kDigits && IsDigits(part) &&
                part.toInt() <= kMaxOctet;
    for (size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(valid ? QString::number(parts[static_cast<qsizetype>(i)].toInt())
                                  : QString());
}

void CIPAddressCtrl::clear()
{
    for (QLineEdit* field : fields_)
        field->clear();
}

bool CIPAddressCtrl::isBlank() const
{
    for (const QLineEdit* field : fields_) {
        if (!field->text().isEmpty())
            return false;
    }
    return true;
}

int CIPAddressCtrl::currentField() const
{
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i]->hasFocus())
            return static_cast<int>(i);
    }
    return -1;
}

void CIPAddressCtrl::setFieldFocus(int index)
{
    if (index < 0 || index >= static_cast<int>(fields_.size()))
        return;
    QLineEdit* field = fields_[static_cast<size_t>(index)];
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

int CIPAddressCtrl::IndexOf(const QObject* object) const
{
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i] == object)
            return static_cast<int>(i);
    }
    return -1;
}

void CIPAddressCtrl::MoveTo(int index, bool toEnd)
{
    if (index < 0 || index >= static_cast<int>(fields_.size()))
        return;
    QLineEdit* field = fields_[static_cast<size_t>(index)];
    field->setFocus(Qt::OtherFocusReason);
    if (toEnd)
        field->end(false);
    else
        field->home(false);
}

bool CIPAddressCtrl::eventFilter(QObject* watched, QEvent* event)
{
    const int index = IndexOf(watched);
    if (index >= 0) {
        if (event->type() == QEvent::KeyPress)
            return HandleKey(index, *static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            update(); // the frame shows the focus of any field
    }
    return QFrame::eventFilter(watched, event);
}

// True when the key is consumed here instead of by the field.
bool CIPAddressCtrl::HandleKey(int index, QKeyEvent& key)
{
    QLineEdit* field = fields_[static_cast<size_t>(index)];
    const bool plain =
        !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    switch (key.key()) {
    case Qt::Key_Backspace:
        if (field->cursorPosition() == 0 && !field->hasSelectedText() && index > 0) {
            MoveTo(index - 1, true);
            return true;
        }
        return false;
    case Qt::Key_Backtab:
        // From a later field, back past the first one to the control before this one.
        if (index > 0) {
            fields_[0]->setFocus(Qt::BacktabFocusReason);
            focusNextPrevChild(false);
            return true;
        }
        return false;
    case Qt::Key_Left:
        if (plain && field->cursorPosition() == 0 && !field->hasSelectedText() && index > 0) {
            MoveTo(index - 1, true);
            return true;
        }
        return false;
    case Qt::Key_Right:
        if (plain && field->cursorPosition() == field->text().size() && !field->hasSelectedText() &&
            index < 3) {
            MoveTo(index + 1, false);
            return true;
        }
        return false;
    default:
        break;
    }
    if (key.matches(QKeySequence::Paste) || !plain)
        return false;
    const QString typed = key.text();
    if (typed.isEmpty() || !typed.at(0).isPrint())
        return false; // navigation, Tab, Enter and the like
    if (typed == QLatin1String(".") || typed == QLatin1String(" ")) {
        // A dot in an empty field would skip it; only a field with a value moves on.
        if (!field->text().isEmpty() && !field->hasSelectedText() && index < 3)
            setFieldFocus(index + 1);
        return true;
    }
    if (typed.size() != 1 || typed.at(0) < u'0' || typed.at(0) > u'9')
        return true; // only digits go in
    if (field->text().size() - field->selectedText().size() >= kDigits) {
        QApplication::beep();
        return true;
    }
    return false;
}

void CIPAddressCtrl::OnFieldEdited(int index, const QString& text)
{
    if (text.contains(u'.')) {
        FillFrom(index, text);
        return;
    }
    QLineEdit* field = fields_[static_cast<size_t>(index)];
    bool clamped = false;
    const QString clean = CleanOctet(text, clamped);
    if (clean != text) {
        const int cursor = field->cursorPosition();
        field->setText(clean);
        field->setCursorPosition(clamped ? static_cast<int>(clean.size())
                                         : std::min(cursor, static_cast<int>(clean.size())));
    }
    if (clamped)
        QApplication::beep();
    if (clean.size() == kDigits && field->cursorPosition() == kDigits && index < 3)
        setFieldFocus(index + 1);
}

void CIPAddressCtrl::FillFrom(int index, const QString& dotted)
{
    const QStringList parts = dotted.trimmed().split(u'.');
    bool anyClamped = false;
    int last = index;
    for (qsizetype p = 0; p < parts.size() && index + p < 4; ++p) {
        bool clamped = false;
        last = static_cast<int>(index + p);
        fields_[static_cast<size_t>(last)]->setText(CleanOctet(parts[p], clamped));
        anyClamped = anyClamped || clamped;
    }
    if (anyClamped)
        QApplication::beep();
    MoveTo(last, true);
}

QSize CIPAddressCtrl::sizeHint() const
{
    const QFontMetrics metrics(font());
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = FrameWidth();
    // As wide as the widest address with some air, as high as a line edit.
    const QSize contents(metrics.horizontalAdvance(QStringLiteral(" 255 . 255 . 255 . 255 ")),
                         metrics.height() + 2);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this);
}

QSize CIPAddressCtrl::minimumSizeHint() const
{
    return sizeHint();
}

void CIPAddressCtrl::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    QStyleOptionFrame option;
    option.initFrom(this);
    option.rect = rect();
    option.lineWidth = FrameWidth();
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (currentField() >= 0)
        option.state |= QStyle::State_HasFocus;
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
}
