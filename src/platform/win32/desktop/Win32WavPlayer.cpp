#include "platform/win32/desktop/Win32WavPlayer.h"

#include <windows.h>
// After windows.h:
#include <mmsystem.h>

struct Win32WavPlayer::Output {
    HWAVEOUT handle = nullptr;
    WAVEHDR header{};
};

namespace {

const wchar_t* const kWindowClass = L"KVT3310WavPlayer";

LRESULT CALLBACK playerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_WOM_DONE) {
        if (auto* player = reinterpret_cast<Win32WavPlayer*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            player->finished(reinterpret_cast<void*>(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

Win32WavPlayer::Win32WavPlayer() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = playerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);
    HWND window = CreateWindowW(kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_window = window;
}

Win32WavPlayer::~Win32WavPlayer() {
    close();
    DestroyWindow(static_cast<HWND>(m_window));
}

bool Win32WavPlayer::command(const std::string& command) {
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

bool Win32WavPlayer::open() {
    close();
    auto sound = PlayableSound::read(m_fileName);
    m_loaded = sound && !sound->bytes.empty();
    if (m_loaded)
        m_sound = std::move(*sound);
    return m_loaded;
}

bool Win32WavPlayer::play() {
    if (!m_loaded)
        return false;
    stopOutput();
    if (waveOutGetNumDevs() == 0)
        return false;
    WAVEFORMATEX format{};
    format.wFormatTag = m_sound.formatTag;
    format.nChannels = m_sound.channels;
    format.nSamplesPerSec = m_sound.rate;
    format.nAvgBytesPerSec = m_sound.byteRate;
    format.nBlockAlign = m_sound.blockAlign;
    format.wBitsPerSample = m_sound.bits;
    auto output = std::make_unique<Output>();
    if (waveOutOpen(&output->handle, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(m_window), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR)
        return false;
    output->header.lpData = reinterpret_cast<LPSTR>(m_sound.bytes.data());
    output->header.dwBufferLength = static_cast<DWORD>(m_sound.bytes.size());
    if (waveOutPrepareHeader(output->handle, &output->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR ||
        waveOutWrite(output->handle, &output->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        waveOutClose(output->handle);
        return false;
    }
    m_output = std::move(output);
    m_playing = true;
    return true;
}

void Win32WavPlayer::finished(void* output) {
    if (!m_playing || !m_output || static_cast<void*>(m_output->handle) != output)
        return;
    m_playing = false;
    if (Done)
        Done();
}

void Win32WavPlayer::stopOutput() {
    m_playing = false;
    if (!m_output)
        return;
    waveOutReset(m_output->handle);
    waveOutUnprepareHeader(m_output->handle, &m_output->header, sizeof(WAVEHDR));
    waveOutClose(m_output->handle);
    m_output.reset();
}

void Win32WavPlayer::close() {
    stopOutput();
    m_loaded = false;
    m_sound = {};
}
