#pragma once

#include <QTimer>
#include <memory>

#include "platform/ITimer.h"

/// A window timer on a QTimer. An interval of 0 or less counts as the smallest one, 1 ms: an enabled timer
/// always ticks, so nothing that waits for it can wait for ever. A tick that comes while the previous tick's
/// handler still runs (nested in a wait) is dropped.
class QtTimer : public ITimer {
public:
    QtTimer();
    ~QtTimer() override;

    void setInterval(int ms) override;
    int interval() const override { return m_interval; }
    void setEnabled(bool on) override;
    bool enabled() const override { return m_enabled; }

private:
    void restart();
    void tick();

    QTimer m_timer;
    int m_interval = 1;
    bool m_enabled = false;
    bool m_inTick = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
