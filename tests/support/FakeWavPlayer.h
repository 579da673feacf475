#pragma once

#include <string>
#include <vector>

#include "platform/IWavPlayer.h"

class FakeEventPump;

/// A wave player that plays nothing. `commands` records every command with the file name at that time.
/// "Play" puts it in the playing mode; `finish()` ends the play and posts the completion event, as the
/// real player does when a file has played to its end. `failPlay` makes "Play" fail (no sound device).
class FakeWavPlayer : public IWavPlayer {
public:
    explicit FakeWavPlayer(FakeEventPump& pump) : m_pump(pump) {}

    void setDeviceType(const std::string& type) override { deviceType = type; }
    void setFileName(const std::string& path) override { m_fileName = path; }
    std::string fileName() const override { return m_fileName; }
    bool command(const std::string& command) override;
    int mode() const override { return m_playing ? kModePlaying : 0; }

    void finish();
    bool playing() const { return m_playing; }

    std::string deviceType;
    bool failPlay = false;
    std::vector<std::string> commands;

private:
    FakeEventPump& m_pump;
    std::string m_fileName;
    bool m_playing = false;
};
