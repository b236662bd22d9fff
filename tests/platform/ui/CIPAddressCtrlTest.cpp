#include "platform/ui/CIPAddressCtrl.h"
#include "tests/support/ui/QtTestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

class CIPAddressCtrlTest final : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window_;
    CIPAddressCtrl* ip_ = nullptr;
    QWidget* before_ = nullptr;
    QWidget* next_ = nullptr;

    QWidget* Focused() const
    {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus : window_->focusWidget();
    }
    void Type(const char* keys)
    {
        for (const char* k = keys; *k; ++k)
            QTest::keyClick(Focused(), *k);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(Focused(), key, modifiers);
    }

private slots:
    void init()
    {
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        before_ = new QLineEdit;
        layout->addWidget(before_);
        ip_ = new CIPAddressCtrl;
        layout->addWidget(ip_);
        next_ = new QLineEdit;
        layout->addWidget(next_);
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        ip_->setFieldFocus(0);
    }
    void cleanup() { window_.reset(); }

    void thirdDigitAndDotMoveToTheNextField()
    {
        Type("192168");
        QCOMPARE(ip_->currentField(), 2);
        Type("1.");
        QCOMPARE(ip_->currentField(), 3);
        Type("20");
        QCOMPARE(ip_->text(), QStringLiteral("192.168.1.20"));
    }

    void dotInAnEmptyFieldStaysAndOnlyDigitsGoIn()
    {
        Type(".");
        QCOMPARE(ip_->currentField(), 0);
        Type("1a-2 ");
        QCOMPARE(ip_->currentField(), 1); // the blank moved on like a dot
        QCOMPARE(ip_->text(), QStringLiteral("12.0.0.0"));
    }

    void valuesAbove255AreClamped()
    {
        Type("300");
        QCOMPARE(ip_->currentField(), 1);
        Type("25");
        Key(Qt::Key_Home);
        Type("9"); // 925
        QCOMPARE(ip_->text(), QStringLiteral("255.255.0.0"));
    }

    void aFourthDigitIsRefused()
    {
        Type("12");
        Key(Qt::Key_Right); // moves on from the end of the field
        QCOMPARE(ip_->currentField(), 1);
        ip_->setFieldFocus(0);
        Key(Qt::Key_End);
        Type("3"); // completes 123 and moves on
        ip_->setFieldFocus(0);
        Key(Qt::Key_End);
        Type("4");
        QCOMPARE(ip_->text(), QStringLiteral("123.0.0.0"));
    }

    void backspaceAtTheStartOfAFieldMovesBack()
    {
        Type("10.20");
        QCOMPARE(ip_->currentField(), 1);
        Key(Qt::Key_Backspace);
        Key(Qt::Key_Backspace);
        Key(Qt::Key_Backspace); // at the start of field 1: back to the end of field 0
        QCOMPARE(ip_->currentField(), 0);
        Key(Qt::Key_Backspace);
        QCOMPARE(ip_->text(), QStringLiteral("1.0.0.0"));
    }

    void pastingADottedAddressFillsAllFields()
    {
        QApplication::clipboard()->setText(QStringLiteral(" 172.16.300.4 "));
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ip_->text(), QStringLiteral("172.16.255.4"));
        QCOMPARE(ip_->currentField(), 3);

        ip_->clear();
        ip_->setFieldFocus(0);
        QApplication::clipboard()->setText(QStringLiteral("x1y2"));
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ip_->text(), QStringLiteral("12.0.0.0"));
    }

    void textIsEmptyOnlyWhenAllFieldsAre()
    {
        QVERIFY(ip_->isBlank());
        QCOMPARE(ip_->text(), QString());
        ip_->setFieldFocus(3);
        Type("7");
        QCOMPARE(ip_->text(), QStringLiteral("0.0.0.7"));
    }

    void tabLeavesTheControlFromAnyField()
    {
        Type("10.");
        Key(Qt::Key_Tab);
        QCOMPARE(Focused(), next_);
        Key(Qt::Key_Backtab);
        QCOMPARE(ip_->currentField(), 0);
        ip_->setFieldFocus(2);
        Key(Qt::Key_Backtab);
        QCOMPARE(Focused(), before_);
    }

    void setTextTakesOnlyAFullAddress()
    {
        ip_->setText(QStringLiteral("127.0.0.5"));
        QCOMPARE(ip_->text(), QStringLiteral("127.0.0.5"));
        ip_->setText(QStringLiteral("010.001.000.255"));
        QCOMPARE(ip_->text(), QStringLiteral("10.1.0.255"));
        for (const char* bad : {"", "1.2.3", "1.2.3.256", "1.2.3.4.5", "a.b.c.d", "1..2.3",
                                "-1.2.3.4", "1234.1.1.1"}) {
            ip_->setText(QStringLiteral("9.9.9.9"));
            ip_->setText(QString::fromLatin1(bad));
            QVERIFY2(ip_->isBlank(), bad);
        }
    }
};

REGISTER_QTEST(CIPAddressCtrlTest);
#include "CIPAddressCtrlTest.moc"
