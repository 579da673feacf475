#pragma once

#include <cstdint>
#include <functional>
#include <string>

/// Finding the main window of a running copy of the program, and making our own main window findable.
class IWindowSearch {
public:
    using Handle = std::intptr_t;
    /// The command of `ShowWindow` that shows a window in its normal (restored) state.
    static constexpr int kShowNormal = 1;

    virtual ~IWindowSearch() = default;
    /// A top-level window of the class whose caption equals `caption`, in any running program; 0 for none.
    virtual Handle FindWindowA(const std::string& windowClass, const std::string& caption) = 0;
    virtual void ShowWindow(Handle window, int command) = 0;
    /// Makes this program's main window answer searches: `caption` tells its caption now, `show` restores
    /// and raises it.
    virtual void publish(const std::string& windowClass, std::function<std::string()> caption,
                         std::function<void()> show) = 0;
};
