#pragma once

#include <QElapsedTimer>

#include "platform/IClock.h"

/// The monotonic clock and the local wall clock.
class QtClock : public IClock {
public:
    QtClock() { m_start.start(); }
    std::int64_t steadyMs() const override { return m_start.elapsed(); }
    double secondsOfDay() const override;

private:
    QElapsedTimer m_start;
};
