#include "tests/support/ui/QtTestMain.h"

#include <QApplication>
#include <QTest>

#include <vector>

namespace {

std::vector<std::function<std::unique_ptr<QObject>()>>& Factories()
{
    static std::vector<std::function<std::unique_ptr<QObject>()>> factories;
    return factories;
}

} // namespace

void qtest_registry::Add(std::function<std::unique_ptr<QObject>()> factory)
{
    Factories().push_back(std::move(factory));
}

int RunRegisteredQtTests(int argc, char** argv)
{
    QApplication app(argc, argv);
    // A real font, not a fallback, so metrics and screenshots match the desktop.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    int failed = 0;
    for (const auto& factory : Factories()) {
        const std::unique_ptr<QObject> test = factory();
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
