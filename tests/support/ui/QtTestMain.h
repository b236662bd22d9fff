#pragma once

#include <QObject>

#include <functional>
#include <memory>

// One test program for several Qt Test classes: each file registers its class with
// REGISTER_QTEST(Class), and RunRegisteredQtTests runs them all in order.
int RunRegisteredQtTests(int argc, char** argv);

namespace qtest_registry {
void Add(std::function<std::unique_ptr<QObject>()> factory);
template <class T> struct Registration {
    Registration()
    {
        Add([] { return std::make_unique<T>(); });
    }
};
} // namespace qtest_registry

#define REGISTER_QTEST(Class) static const qtest_registry::Registration<Class> registered##Class
