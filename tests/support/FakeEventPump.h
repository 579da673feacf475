#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/IClock.h"
#include "platform/IEventPump.h"

/// A clock that moves only when told to. `secondsOfDay` starts at `startSecondsOfDay`.
class FakeClock : public IClock {
public:
    std::int64_t steadyMs() const override { return m_ms; }
    double secondsOfDay() const override { return startSecondsOfDay + static_cast<double>(m_ms) / 1000.0; }
    void set(std::int64_t ms) { m_ms = ms; }

    double startSecondsOfDay = 8 * 3600;

private:
    std::int64_t m_ms = 0;
};

/// An event loop for core tests, driven by a FakeClock.
/// - `post(fn)` queues an event (a port or player notification, a scripted user action).
/// - `waitForEvents()` runs the queued events; when there are none it moves the clock to the next timer and
///   fires it, as if the program had blocked until then. With neither, the program would hang for ever:
///   the fake throws, which fails the test.
/// - `advance(ms)` moves the clock, firing every timer due on the way, and runs queued events.
/// - Timers tick as the real ones do: an interval of 0 or less counts as 1 ms.
class FakeEventPump : public IEventPump {
public:
    explicit FakeEventPump(FakeClock& clock) : m_clock(clock) {}

    void waitForEvents() override;
    void processEvents() override;
    std::unique_ptr<ITimer> createTimer() override;

    void post(std::function<void()> event) { m_queue.push_back(std::move(event)); }
    void advance(std::int64_t ms);
    /// How many times a handler waited.
    int waits() const { return m_waits; }
    /// Runs before each wait, so a test can act in the middle of a handler that waits.
    std::function<void()> onWait;

private:
    class FakeTimer;
    bool fireNextTimer(std::int64_t until);
    bool runQueued();

    FakeClock& m_clock;
    std::deque<std::function<void()>> m_queue;
    std::vector<FakeTimer*> m_timers;
    int m_waits = 0;
};
