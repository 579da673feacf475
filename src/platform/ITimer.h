#pragma once

#include <functional>

/// A window timer: while enabled it runs `Timer` every `interval` milliseconds, from the event loop.
class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    /// Enabling (re)starts the count from now; disabling stops it.
    virtual void setEnabled(bool on) = 0;
    virtual bool enabled() const = 0;

    std::function<void()> Timer;
};
