#include "platform/ProgressBar.h"

void ProgressBar::setMin(int min) {
    if (m_min == min) return;
    m_min = min;
    notify();
}

void ProgressBar::setMax(int max) {
    if (m_max == max) return;
    m_max = max;
    notify();
}

void ProgressBar::setValue(int value) {
    if (m_value == value) return;
    m_value = value;
    notify();
}
