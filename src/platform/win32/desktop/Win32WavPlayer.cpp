#include "platform/win32/desktop/Win32WavPlayer.h"

#include <windows.h>
// After windows.h:
#include <mmsystem.h>

#include <cstring>
#include <fstream>

#include "platform/Utf8Path.h"

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

std::uint32_t le32(const char* p) {
    std::uint32_t v = 0;
    std::memcpy(&v, p, 4);
    return v;
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
    std::ifstream in(utf8Path(m_fileName), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return false;
    // The chunks after the header, each its id, its size and its bytes, padded to an even length.
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = le32(bytes.data() + at + 4);
        const std::size_t body = at + 8;
        const std::size_t available = std::min<std::size_t>(size, bytes.size() - body);
        if (bytes.compare(at, 4, "fmt ") == 0 && available >= 16)
            m_format.assign(bytes.begin() + static_cast<long>(body), bytes.begin() + static_cast<long>(body + 16));
        if (bytes.compare(at, 4, "data") == 0)
            m_samples.assign(bytes.begin() + static_cast<long>(body),
                             bytes.begin() + static_cast<long>(body + available));
        at = body + size + (size & 1);
    }
    m_loaded = m_format.size() == 16 && !m_samples.empty();
    return m_loaded;
}

bool Win32WavPlayer::play() {
    if (!m_loaded)
        return false;
    stopOutput();
    if (waveOutGetNumDevs() == 0)
        return false;
    WAVEFORMATEX format{};
    std::memcpy(&format, m_format.data(), 16);
    format.cbSize = 0;
    auto output = std::make_unique<Output>();
    if (waveOutOpen(&output->handle, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(m_window), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR)
        return false;
    output->header.lpData = m_samples.data();
    output->header.dwBufferLength = static_cast<DWORD>(m_samples.size());
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
    m_format.clear();
    m_samples.clear();
}
