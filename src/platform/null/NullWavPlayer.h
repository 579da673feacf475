#pragma once

#include "platform/IWavPlayer.h"

/// A player without a sound device: every "Play" fails. The command-line program, which has nothing to
/// listen with, plays through it.
class NullWavPlayer : public IWavPlayer {
public:
    void setDeviceType(const std::string&) override {}
    void setFileName(const std::string& path) override { m_fileName = path; }
    std::string fileName() const override { return m_fileName; }
    bool command(const std::string& command) override { return command != "Play"; }
    int mode() const override { return 0; }

private:
    std::string m_fileName;
};
