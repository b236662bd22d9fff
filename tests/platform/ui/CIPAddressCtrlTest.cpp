#include "platform/ui/CIPAddressCtrl.h"
#include "tests/support/ui/QtTestMain.h"

#include <QClipboard>

#include <map>

class CIPAddressCtrlTest final : public QObject {
    Q_OBJECT

    std::unique_ptr<CIPAddressCtrl> ip_;

    QWidget* Focused() const
    {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus : ip_->focusWidget();
    }

private slots:
    void init()
    {
        ip_ = std::make_unique<CIPAddressCtrl>();
        ip_->show();
        ip_->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(ip_.get()));
        ip_->setFieldFocus(0);
    }
    void cleanup() { ip_.reset(); }

    // Keys typed from the first field: < is Backspace, ^ Home, > Right, | pastes `clipboard`;
    // every other character is typed as it is.
    void typingEndsInTheAddressAndField()
    {
        struct Case {
            const char* keys;
            const char* clipboard;
            const char* text;
            int field;
        };
        const Case cases[] = {
            {"1921681.20", nullptr, "192.168.1.20", 3}, // a third digit or a dot moves on
            {".1a-2 ", nullptr, "12.0.0.0", 1},         // a dot in an empty field stays
            {"30025^9", nullptr, "255.255.0.0", 2},     // 300 and 925 are clamped
            {"12>3", nullptr, "12.3.0.0", 1},           // Right at the end moves on
            {"123<4", nullptr, "123.0.0.0", 0},         // a fourth digit is refused
            {"10.20<<<<", nullptr, "1.0.0.0", 0},       // Backspace at the start moves back
            {">>>7", nullptr, "0.0.0.7", 3},            // blank fields show as 0
            {"", nullptr, "", 0},                       // empty only when all fields are
            {"|", " 172.16.300.4 ", "172.16.255.4", 3},
            {"|", "x1y2", "12.0.0.0", 0},
        };
        const std::map<char, std::pair<Qt::Key, Qt::KeyboardModifier>> special = {
            {'<', {Qt::Key_Backspace, Qt::NoModifier}}, {'^', {Qt::Key_Home, Qt::NoModifier}},
            {'>', {Qt::Key_Right, Qt::NoModifier}}, {'|', {Qt::Key_V, Qt::ControlModifier}}};
        for (const Case& c : cases) {
            init();
            if (c.clipboard)
                QApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
            for (const char* k = c.keys; *k; ++k) {
                if (auto key = special.find(*k); key != special.end())
                    QTest::keyClick(Focused(), key->second.first, key->second.second);
                else
                    QTest::keyClick(Focused(), *k);
            }
            const QString got =
                QStringLiteral("%1 gave %2 in field %3").arg(c.keys, ip_->text()).arg(ip_->currentField());
            QVERIFY2(ip_->text() == c.text && ip_->currentField() == c.field, qPrintable(got));
            QCOMPARE(ip_->isBlank(), !*c.text);
        }
    }

    void setTextTakesOnlyAFullAddress()
    {
        ip_->setText(QStringLiteral("010.001.000.255"));
        QCOMPARE(ip_->text(), QStringLiteral("10.1.0.255"));
        for (const char* bad : {"", "1.2.3", "1.2.3.256", "1.2.3.4.5", "a.b.c.d", "1..2.3", "-1.2.3.4", "1234.1.1.1"}) {
            ip_->setText(QStringLiteral("9.9.9.9"));
            ip_->setText(QString::fromLatin1(bad));
            QVERIFY2(ip_->isBlank(), bad);
        }
    }
};

REGISTER_QTEST(CIPAddressCtrlTest);
#include "CIPAddressCtrlTest.moc"
