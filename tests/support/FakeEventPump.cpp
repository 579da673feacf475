#include "support/FakeEventPump.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

class FakeEventPump::FakeTimer : public ITimer {
public:
    explicit FakeTimer(FakeEventPump& pump) : m_pump(pump) { m_pump.m_timers.push_back(this); }
    ~FakeTimer() override { std::erase(m_pump.m_timers, this); }

    void setInterval(int ms) override {
        // As the real timers: no interval is the smallest one, never silence.
        m_interval = ms < 1 ? 1 : ms;
        if (m_enabled)
            m_due = m_pump.m_clock.steadyMs() + ms;
    }
    int interval() const override { return m_interval; }
    void setEnabled(bool on) override {
        m_enabled = on;
        if (on)
            m_due = m_pump.m_clock.steadyMs() + m_interval;
    }
    bool enabled() const override { return m_enabled; }

    bool armed() const { return m_enabled; }
    std::int64_t due() const { return m_due; }
    void fire() {
        m_due += m_interval;
        if (Timer)
            Timer();
    }

private:
    FakeEventPump& m_pump;
    int m_interval = 1;
    bool m_enabled = false;
    std::int64_t m_due = 0;
};

std::unique_ptr<ITimer> FakeEventPump::createTimer() {
    return std::make_unique<FakeTimer>(*this);
}

bool FakeEventPump::runQueued() {
    bool ran = false;
    while (!m_queue.empty()) {
        auto event = std::move(m_queue.front());
        m_queue.pop_front();
        event();
        ran = true;
    }
    return ran;
}

bool FakeEventPump::fireNextTimer(std::int64_t until) {
    FakeTimer* next = nullptr;
    for (FakeTimer* t : m_timers)
        if (t->armed() && (!next || t->due() < next->due()))
            next = t;
    if (!next || next->due() > until)
        return false;
    m_clock.set(std::max(m_clock.steadyMs(), next->due()));
    next->fire();
    return true;
}

void FakeEventPump::processEvents() {
    runQueued();
}

void FakeEventPump::waitForEvents() {
    ++m_waits;
    if (onWait)
        onWait();
    if (runQueued())
        return;
    if (!fireNextTimer(std::numeric_limits<std::int64_t>::max()))
        throw std::logic_error("FakeEventPump: the program waits for an event that never comes");
    runQueued();
}

void FakeEventPump::advance(std::int64_t ms) {
    std::int64_t until = m_clock.steadyMs() + ms;
    runQueued();
    while (fireNextTimer(until))
        runQueued();
    m_clock.set(until);
    runQueued();
}
