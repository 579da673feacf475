#include "platform/win32/Win32EventPump.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32Timer.h"

namespace {

// A wait with nothing to wake it ends after this, so the caller looks again.
const unsigned long kLongestWaitMs = 1000;

thread_local Win32EventPump* t_windowPump = nullptr;

}  // namespace

Win32EventPump::~Win32EventPump() {
    if (t_windowPump == this)
        t_windowPump = nullptr;
}

void Win32EventPump::setMessageDispatch(std::function<bool()> dispatch) {
    m_dispatch = std::move(dispatch);
    t_windowPump = m_dispatch ? this : (t_windowPump == this ? nullptr : t_windowPump);
}

Win32EventPump* Win32EventPump::windowPump() {
    return t_windowPump;
}

std::unique_ptr<ITimer> Win32EventPump::createTimer() {
    return std::make_unique<Win32Timer>(m_timers);
}

void Win32EventPump::watch(void* handle, std::function<void()> ready) {
    unwatch(handle);
    m_watches.push_back({handle, std::move(ready)});
}

void Win32EventPump::unwatch(void* handle) {
    m_watches.erase(
        std::remove_if(m_watches.begin(), m_watches.end(), [handle](const Watch& w) { return w.handle == handle; }),
        m_watches.end());
}

void Win32EventPump::addPoll(const void* owner, std::function<void()> poll) {
    removePoll(owner);
    m_polls.push_back({owner, std::move(poll)});
}

void Win32EventPump::removePoll(const void* owner) {
    m_polls.erase(std::remove_if(m_polls.begin(), m_polls.end(), [owner](const Poll& p) { return p.owner == owner; }),
                  m_polls.end());
}

void Win32EventPump::runPolls() {
    // A poll may remove itself or others: each is looked up again before it runs.
    std::vector<const void*> owners;
    for (const Poll& p : m_polls)
        owners.push_back(p.owner);
    for (const void* owner : owners)
        for (const Poll& p : m_polls)
            if (p.owner == owner) {
                auto poll = p.poll;
                poll();
                break;
            }
}

bool Win32EventPump::runDueTimers() {
    // A handler may delete timers, so each is looked up again before it runs.
    const std::vector<Win32Timer*> timers = m_timers;
    const std::uint64_t now = Win32Timer::now();
    bool ran = false;
    for (Win32Timer* timer : timers)
        if (std::find(m_timers.begin(), m_timers.end(), timer) != m_timers.end())
            ran = timer->fireIfDue(now) || ran;
    return ran;
}

bool Win32EventPump::runWatch(void* signalled) {
    // The handler may unwatch itself or others: it runs from a copy.
    for (const Watch& w : m_watches)
        if (w.handle == signalled) {
            auto ready = w.ready;
            ready();
            return true;
        }
    return false;
}

bool Win32EventPump::runOnce(unsigned long waitMs, bool messages) {
    if (!m_polls.empty())
        waitMs = std::min(waitMs, kPollMs);
    const std::uint64_t now = Win32Timer::now();
    for (const Win32Timer* timer : m_timers)
        if (timer->enabled())
            waitMs = static_cast<unsigned long>(
                std::min<std::uint64_t>(waitMs, timer->due() > now ? timer->due() - now : 0));

    std::vector<HANDLE> handles;
    for (const Watch& w : m_watches)
        handles.push_back(static_cast<HANDLE>(w.handle));
    bool ran = false;
    if (m_dispatch && messages) {
        const auto count = static_cast<DWORD>(handles.size());
        const DWORD result =
            MsgWaitForMultipleObjectsEx(count, handles.data(), waitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (result < WAIT_OBJECT_0 + count)
            ran = runWatch(handles[result - WAIT_OBJECT_0]);
        ran = m_dispatch() || ran;
    } else if (handles.empty()) {
        if (waitMs > 0)
            Sleep(waitMs);
    } else {
        const DWORD result = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, waitMs);
        if (result < WAIT_OBJECT_0 + handles.size())
            ran = runWatch(handles[result - WAIT_OBJECT_0]);
    }
    runPolls();
    return runDueTimers() || ran;
}

void Win32EventPump::waitForEvents() {
    runOnce(kLongestWaitMs);
    processEvents();
}

void Win32EventPump::processEvents() {
    // Bounded, so a port that never stops signalling cannot hold the caller here.
    for (int round = 0; round < 64 && runOnce(0); ++round) {
    }
}

void Win32EventPump::processEventsWithoutMessages() {
    for (int round = 0; round < 64 && runOnce(0, false); ++round) {
    }
}
