#pragma once

#include <QObject>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/IWavPlayer.h"
#include "platform/PlayableSound.h"

/// The wave player on SDL2 audio. "Open" reads the file's sound, "Play" opens the default output at the
/// file's own rate and format and returns at once, "Close" stops at once. `Done` is posted from the audio
/// thread to the event loop when a played file has been handed to the output in full, so it runs on the
/// user-interface thread. Without an output device (SDL cannot start its audio, or the device does not
/// open) "Play" fails and nothing plays.
class SdlWavPlayer : public IWavPlayer {
public:
    SdlWavPlayer();
    ~SdlWavPlayer() override;
    SdlWavPlayer(const SdlWavPlayer&) = delete;
    SdlWavPlayer& operator=(const SdlWavPlayer&) = delete;

    void setDeviceType(const std::string& type) override { m_deviceType = type; }
    void setFileName(const std::string& path) override { m_fileName = path; }
    std::string fileName() const override { return m_fileName; }
    bool command(const std::string& command) override;
    int mode() const override { return m_playing ? kModePlaying : kModeStopped; }

    /// The rate the output was opened with for the last "Play", in Hz; 0 before.
    int deviceRate() const { return m_deviceRate; }

private:
    static constexpr int kModeStopped = 525;

    bool open();
    bool play();
    void close();
    void closeDevice();
    bool startAudio();
    static void callback(void* self, std::uint8_t* stream, int len);
    void fill(std::uint8_t* stream, int len);
    void finished(unsigned generation);

    std::string m_deviceType;
    std::string m_fileName;
    PlayableSound m_sound;
    bool m_loaded = false;
    bool m_audioStarted = false;
    std::uint32_t m_device = 0;
    int m_deviceRate = 0;
    bool m_playing = false;
    /// Counts the plays, so that the completion of a play that was closed since is ignored.
    unsigned m_generation = 0;

    // Touched by the audio thread while the device is open, by the user-interface thread only while closed.
    std::size_t m_position = 0;
    int m_silentBuffers = 0;
    bool m_donePosted = false;
    std::uint8_t m_silence = 0;
    unsigned m_playGeneration = 0;

    /// Receives the posted completions; pending ones are dropped with it.
    QObject m_receiver;
};
