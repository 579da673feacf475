#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/IWavPlayer.h"
#include "platform/PlayableSound.h"

/// Plays a PCM WAVE file on the system's default wave output (winmm). "Open" reads the file, "Play" opens the
/// output and starts it, returning false when the PC has no output that takes it; the end of a play reaches
/// `Done` through a message to a window of the player's own, from the event loop.
class Win32WavPlayer : public IWavPlayer {
public:
    Win32WavPlayer();
    ~Win32WavPlayer() override;
    Win32WavPlayer(const Win32WavPlayer&) = delete;
    Win32WavPlayer& operator=(const Win32WavPlayer&) = delete;

    void setDeviceType(const std::string& type) override { m_deviceType = type; }
    void setFileName(const std::string& path) override { m_fileName = path; }
    std::string fileName() const override { return m_fileName; }
    bool command(const std::string& command) override;
    int mode() const override { return m_playing ? kModePlaying : kModeStopped; }

    /// The output `output` (an HWAVEOUT) reported that its play has ended (called by the player's window); the
    /// report of an output closed since is ignored.
    void finished(void* output);

private:
    static constexpr int kModeStopped = 525;

    bool open();
    bool play();
    void close();
    void stopOutput();

    std::string m_deviceType;
    std::string m_fileName;
    PlayableSound m_sound;
    bool m_loaded = false;
    bool m_playing = false;
    void* m_window = nullptr;
    /// The open output and the block it plays, while a play lasts.
    struct Output;
    std::unique_ptr<Output> m_output;
};
