#include "platform/qt/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "platform/qt/QtTimer.h"

void QtEventPump::waitForEvents() {
    // Sleeps in the event dispatcher until input, a socket, a port or a timer wakes it.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventPump::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

std::unique_ptr<ITimer> QtEventPump::createTimer() {
    return std::make_unique<QtTimer>();
}
