#pragma once

#include "platform/Control.h"

/// A progress bar showing `value` between `min` and `max`.
class ProgressBar : public Control {
public:
    int min() const { return m_min; }
    int max() const { return m_max; }
    int value() const { return m_value; }
    void setMin(int min);
    void setMax(int max);
    void setValue(int value);

private:
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
};
