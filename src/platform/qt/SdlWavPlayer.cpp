#include "platform/qt/SdlWavPlayer.h"

#include <SDL.h>

#include <QMetaObject>
#include <algorithm>
#include <cstring>

namespace {

/// About 30 ms of sound per buffer: short enough that "Close" and the end of a file are heard at once.
Uint16 bufferSamples(int rate) {
    Uint16 samples = 64;
    while (samples < 4096 && samples * 32 < rate)
        samples *= 2;
    return samples;
}

}  // namespace

SdlWavPlayer::SdlWavPlayer() = default;

SdlWavPlayer::~SdlWavPlayer() {
    // The audio thread must be gone before the receiver of its completions goes.
    closeDevice();
    if (m_audioStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlWavPlayer::command(const std::string& command) {
    if (command == "Close") {
        close();
        return true;
    }
    if (command == "Open")
        return open();
    if (command == "Play")
        return play();
    return false;
}

bool SdlWavPlayer::open() {
    close();
    auto sound = PlayableSound::read(m_fileName);
    // The formats the output is opened with below.
    m_loaded = sound && sound->channels >= 1 && sound->channels <= 8 && sound->rate > 0 &&
               (sound->bits == 8 || sound->bits == 16);
    if (m_loaded)
        m_sound = std::move(*sound);
    return m_loaded;
}

bool SdlWavPlayer::play() {
    if (!m_loaded)
        return false;
    closeDevice();
    m_playing = false;
    if (!startAudio())
        return false;

    SDL_AudioSpec want{};
    want.freq = static_cast<int>(m_sound.rate);
    want.format = m_sound.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    want.channels = static_cast<Uint8>(m_sound.channels);
    want.samples = bufferSamples(static_cast<int>(m_sound.rate));
    want.callback = &SdlWavPlayer::callback;
    want.userdata = this;
    SDL_AudioSpec have{};

    m_position = 0;
    m_silentBuffers = 0;
    m_donePosted = false;
    m_silence = m_sound.bits == 8 ? 0x80 : 0;
    m_playGeneration = ++m_generation;
    // No format changes allowed: SDL converts to whatever the output takes, so the file keeps its own rate.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_device == 0)
        return false;
    m_deviceRate = have.freq;
    m_playing = true;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlWavPlayer::close() {
    closeDevice();
    ++m_generation;
    m_playing = false;
    m_loaded = false;
    m_sound = {};
}

void SdlWavPlayer::closeDevice() {
    if (m_device == 0)
        return;
    // Waits for the audio thread to end, so no callback runs after this.
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
}

bool SdlWavPlayer::startAudio() {
    if (m_audioStarted)
        return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_audioStarted = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    return m_audioStarted;
}

void SdlWavPlayer::callback(void* self, std::uint8_t* stream, int len) {
    static_cast<SdlWavPlayer*>(self)->fill(stream, len);
}

void SdlWavPlayer::fill(std::uint8_t* stream, int len) {
    const std::size_t wanted = static_cast<std::size_t>(len);
    const std::size_t n = std::min(wanted, m_sound.bytes.size() - m_position);
    std::memcpy(stream, m_sound.bytes.data() + m_position, n);
    std::memset(stream + n, m_silence, wanted - n);
    m_position += n;
    if (n > 0 || m_donePosted)
        return;
    // The first silent buffer is asked for while the last sound still sits in the output; after the second
    // it has been heard (or written) in full.
    if (++m_silentBuffers < 2)
        return;
    m_donePosted = true;
    const unsigned generation = m_playGeneration;
    QMetaObject::invokeMethod(
        &m_receiver, [this, generation] { finished(generation); }, Qt::QueuedConnection);
}

void SdlWavPlayer::finished(unsigned generation) {
    if (generation != m_generation || !m_playing)
        return;
    m_playing = false;
    closeDevice();
    if (Done)
        Done();
}
