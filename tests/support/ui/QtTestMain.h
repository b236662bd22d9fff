#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryFile>
#include <QTest>

#include <memory>
#include <vector>

// One test program for several Qt Test classes: each file registers its class with
// REGISTER_QTEST(Class), and RunRegisteredQtTests runs them all in order.
namespace qtest_registry {
inline std::vector<QObject* (*)()>& Factories()
{
    static std::vector<QObject* (*)()> factories;
    return factories;
}
} // namespace qtest_registry

#define REGISTER_QTEST(Class)                                                                      \
    static const bool registered##Class =                                                          \
        (qtest_registry::Factories().push_back([]() -> QObject* { return new Class; }), true)

// On the offscreen platform every test sees the same screen, 1280 x 800 logical pixels at
// 96 dpi, at any QT_SCALE_FACTOR (the platform's own default is 800 x 600 device pixels, which
// a scale of 2 halves). Call before the application object exists.
inline void UseTestScreen()
{
    if (qEnvironmentVariable("QT_QPA_PLATFORM") != QLatin1String("offscreen"))
        return;
    bool ok = false;
    double scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    if (!ok || scale <= 0)
        scale = 1;
    static QTemporaryFile config(QDir::tempPath() + QStringLiteral("/ct-screen-XXXXXX.json"));
    if (!config.open())
        return;
    config.write(QStringLiteral(R"({"screens": [{"name": "test", "width": %1, "height": %2,
        "logicalDpi": 96, "logicalBaseDpi": 96}]})")
                     .arg(qRound(1280 * scale))
                     .arg(qRound(800 * scale))
                     .toUtf8());
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
}

inline int RunRegisteredQtTests(int argc, char** argv)
{
    UseTestScreen();
    QApplication app(argc, argv);
    // A real font, not a fallback, so metrics and screenshots match the desktop.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    int failed = 0;
    for (auto* factory : qtest_registry::Factories())
        failed += QTest::qExec(std::unique_ptr<QObject>(factory()).get(), argc, argv);
    return failed == 0 ? 0 : 1;
}
