#include "filebrowser/ui/DisplayName.h"
#include "tests/support/ui/QtTestMain.h"

class DisplayNameTest final : public QObject {
    Q_OBJECT

private slots:
    void validTextStaysAndEverythingElseIsEscaped()
    {
        const struct {
            const char* bytes;
            QString shown;
        } cases[] = {
            {"<b>x</b> & \"$HOME\"", QStringLiteral("<b>x</b> & \"$HOME\"")},
            {"Caf\xC3\xA9 \xE6\x97\xA5 \xF0\x9F\x8E\xAC", QString::fromUtf8("Café 日 🎬")},
            // Stray and cut-off bytes, an overlong "/", a surrogate, control characters.
            {"a\xFF"
             "b\xE6\x97",
             QStringLiteral("a\\xFFb\\xE6\\x97")},
            {"\xC0\xAF\xED\xA0\x80", QStringLiteral("\\xC0\\xAF\\xED\\xA0\\x80")},
            {"\t\x1B"
             "\x7F\xC2\x85",
             QStringLiteral("\\x09\\x1B\\x7F\\xC2\\x85")},
        };
        for (const auto& c : cases)
            QCOMPARE(DisplayName(c.bytes), c.shown);
    }
};

REGISTER_QTEST(DisplayNameTest);
#include "DisplayNameTest.moc"
