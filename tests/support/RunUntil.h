#pragma once
// Lets the user-interface thread's queue run until a condition holds. A
// condition that never comes true leaves the test to the run's time-out.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace kt::test {

inline void RunUntil(const std::function<bool()>& done)
{
    // Wakes the wait now and then to look at conditions no event tells.
    QTimer tick;
    tick.start(5);
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace kt::test
