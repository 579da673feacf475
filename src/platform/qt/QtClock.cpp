#include "platform/qt/QtClock.h"

#include <QTime>

double QtClock::secondsOfDay() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}
