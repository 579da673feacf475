#include "support/FakeWavPlayer.h"

#include "support/FakeEventPump.h"

bool FakeWavPlayer::command(const std::string& command) {
    commands.push_back(command + " " + m_fileName);
    if (command == "Close") {
        m_playing = false;
        return true;
    }
    if (command == "Play") {
        if (failPlay) return false;
        m_playing = true;
    }
    return true;
}

void FakeWavPlayer::finish() {
    if (!m_playing) return;
    m_playing = false;
    m_pump.post([this] {
        if (Done) Done();
    });
}
