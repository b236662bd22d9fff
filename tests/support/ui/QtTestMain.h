#pragma once

#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

// One test program for several Qt Test classes: each file registers its class with
// REGISTER_QTEST(Class), and RunRegisteredQtTests runs them all in order.
namespace qtest_registry {
inline std::vector<std::function<std::unique_ptr<QObject>()>>& Factories()
{
    static std::vector<std::function<std::unique_ptr<QObject>()>> factories;
    return factories;
}
template <class T> struct Registration {
    Registration()
    {
        Factories().push_back([] { return std::make_unique<T>(); });
    }
};
} // namespace qtest_registry

#define REGISTER_QTEST(Class) static const qtest_registry::Registration<Class> registered##Class

inline int RunRegisteredQtTests(int argc, char** argv)
{
    QApplication app(argc, argv);
    // A real font, not a fallback, so metrics and screenshots match the desktop.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    int failed = 0;
    for (const auto& factory : qtest_registry::Factories())
        failed += QTest::qExec(factory().get(), argc, argv);
    return failed == 0 ? 0 : 1;
}
