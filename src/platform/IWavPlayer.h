#pragma once

#include <functional>
#include <string>

/// The wave-audio player: a device type, a file name, the commands "Close", "Open" and "Play", a mode that
/// reads kModePlaying while a file plays, and an event when a played file has finished.
class IWavPlayer {
public:
    static constexpr int kModePlaying = 526;

    virtual ~IWavPlayer() = default;
    virtual void setDeviceType(const std::string& type) = 0;
    virtual void setFileName(const std::string& path) = 0;
    virtual std::string fileName() const = 0;
    /// "Close", "Open" or "Play". "Play" returns at once; false when the command failed.
    virtual bool command(const std::string& command) = 0;
    virtual int mode() const = 0;

    /// Runs from the event loop when a played file has finished.
    std::function<void()> Done;
};
