// The event loop of the programs without windows: watched event objects and timers run their handlers from it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/Win32EventPump.h"

namespace {

struct Event {
    HANDLE handle = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~Event() { CloseHandle(handle); }
};

TEST(Win32EventPump, signalledEvent_runsItsHandlerOncePerSignal) {
    Win32EventPump pump;
    Event event;
    int runs = 0;
    pump.watch(event.handle, [&] {
        ++runs;
        ResetEvent(event.handle);
    });
    pump.processEvents();
    EXPECT_EQ(runs, 0);
    SetEvent(event.handle);
    pump.waitForEvents();
    EXPECT_EQ(runs, 1);
    pump.processEvents();
    EXPECT_EQ(runs, 1);

    pump.unwatch(event.handle);
    SetEvent(event.handle);
    pump.processEvents();
    EXPECT_EQ(runs, 1);
}

TEST(Win32EventPump, timers_fireInTurnAfterTheirIntervalUntilDisabled) {
    Win32EventPump pump;
    auto fast = pump.createTimer();
    auto slow = pump.createTimer();
    std::vector<char> fired;
    fast->Timer = [&] { fired.push_back('f'); };
    slow->Timer = [&] {
        fired.push_back('s');
        slow->setEnabled(false);
    };
    fast->setInterval(30);
    slow->setInterval(200);
    const ULONGLONG start = GetTickCount64();
    fast->setEnabled(true);
    slow->setEnabled(true);
    while (std::find(fired.begin(), fired.end(), 's') == fired.end() && GetTickCount64() - start < 5000)
        pump.waitForEvents();
    ASSERT_FALSE(fired.empty());
    EXPECT_EQ(fired.front(), 'f');
    EXPECT_EQ(fired.back(), 's');
    EXPECT_GE(GetTickCount64() - start, 190u);
    EXPECT_FALSE(slow->enabled());
}

TEST(Win32EventPump, timerDeletedByAnotherHandler_neverRunsAgain) {
    Win32EventPump pump;
    auto first = pump.createTimer();
    auto second = pump.createTimer();
    int secondRuns = 0;
    first->Timer = [&] { second.reset(); };
    second->Timer = [&] { ++secondRuns; };
    first->setInterval(0);
    second->setInterval(0);
    first->setEnabled(true);
    second->setEnabled(true);
    pump.processEvents();
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(secondRuns, 0);
}

TEST(Win32EventPump, poll_runsAfterATurnThatNothingEnded_untilRemoved) {
    Win32EventPump pump;
    int polls = 0;
    pump.addPoll(&polls, [&] { ++polls; });
    const ULONGLONG start = GetTickCount64();
    // Nothing is watched and no timer runs: without the poll's cap this turn would last a second.
    pump.waitForEvents();
    EXPECT_GE(polls, 1);
    EXPECT_LT(GetTickCount64() - start, 500u);

    pump.removePoll(&polls);
    polls = 0;
    pump.processEvents();
    EXPECT_EQ(polls, 0);
}

}  // namespace
