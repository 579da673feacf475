#include "platform/qt/QtTimer.h"

QtTimer::QtTimer() {
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
}

QtTimer::~QtTimer() {
    *m_alive = false;
}

void QtTimer::setInterval(int ms) {
    m_interval = ms < 1 ? 1 : ms;
    restart();
}

void QtTimer::setEnabled(bool on) {
    m_enabled = on;
    restart();
}

void QtTimer::restart() {
    if (m_enabled) {
        m_timer.start(m_interval);
    } else {
        m_timer.stop();
    }
}

void QtTimer::tick() {
    if (m_inTick || !Timer)
        return;
    m_inTick = true;
    // The handler may destroy this timer (its owner closing), so it runs from a copy and the flag is
    // reset only while the timer still lives.
    auto handler = Timer;
    auto alive = m_alive;
    handler();
    if (*alive)
        m_inTick = false;
}
