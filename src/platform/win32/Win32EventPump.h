#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/IEventPump.h"

class Win32Timer;

/// The event loop of a program without windows: it waits on the kernel event objects handed to `watch` (a
/// serial port's completed read, for one) and on the timers it created, and runs their handlers.
class Win32EventPump : public IEventPump {
public:
    Win32EventPump() = default;
    ~Win32EventPump() override;
    Win32EventPump(const Win32EventPump&) = delete;
    Win32EventPump& operator=(const Win32EventPump&) = delete;

    void waitForEvents() override;
    void processEvents() override;
    std::unique_ptr<ITimer> createTimer() override;

    /// Runs `ready` from the loop whenever the event object `handle` (a HANDLE) is signalled; `ready` must
    /// reset it (starting the next overlapped operation does).
    void watch(void* handle, std::function<void()> ready);
    void unwatch(void* handle);
    /// Runs `poll` after every turn of the loop, whatever ended its wait, and keeps each wait within
    /// `kPollMs` while a poll is set: a source whose driver drops a notification is still asked in time.
    void addPoll(const void* owner, std::function<void()> poll);
    void removePoll(const void* owner);

    /// Window messages: once set, every wait also ends when a message arrives for the thread's windows, and
    /// `dispatch` runs the pending ones after each turn (true when it ran any). The pump is then also the one
    /// that modal loops of the thread turn (`ModalLoopTurns`).
    void setMessageDispatch(std::function<bool()> dispatch);
    /// Runs what is ready (watched handles, polls, due timers) without waiting and without taking window
    /// messages: a modal loop of the system owns them while it runs.
    void processEventsWithoutMessages();
    /// The pump with window messages on this thread, if any.
    static Win32EventPump* windowPump();

    static constexpr unsigned long kPollMs = 20;

private:
    struct Watch {
        void* handle;
        std::function<void()> ready;
    };

    /// Waits up to `waitMs` for a watched handle or a timer; runs what is ready. False when nothing was.
    bool runOnce(unsigned long waitMs, bool messages = true);
    bool runDueTimers();
    bool runWatch(void* signalled);

    struct Poll {
        const void* owner;
        std::function<void()> poll;
    };
    void runPolls();

    std::vector<Watch> m_watches;
    std::vector<Poll> m_polls;
    std::vector<Win32Timer*> m_timers;
    std::function<bool()> m_dispatch;
};
