#pragma once

#include <memory>

#include "platform/ITimer.h"

/// The user-interface thread's event loop, seen from inside a handler.
class IEventPump {
public:
    virtual ~IEventPump() = default;
    /// Runs the events that are pending; when none is, blocks until one arrives (user input, a port
    /// notification, a player notification or a timer) and runs it. Never spins.
    virtual void waitForEvents() = 0;
    /// Runs the events that are pending and returns at once.
    virtual void processEvents() = 0;
    virtual std::unique_ptr<ITimer> createTimer() = 0;
};
