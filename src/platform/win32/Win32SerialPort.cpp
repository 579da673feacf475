#include "platform/win32/Win32SerialPort.h"

#include <windows.h>

#include <algorithm>
#include <array>

#include "platform/Utf8Path.h"
#include "platform/win32/DcbSettings.h"
#include "platform/win32/Win32EventPump.h"

namespace {

const DWORD kCancelWaitMs = 1000;
const DWORD kWriteSlackMs = 2000;

std::string systemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "system error " + std::to_string(code);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

}  // namespace

struct Win32SerialPort::Io {
    HANDLE port = INVALID_HANDLE_VALUE;
    HANDLE waitEvent = nullptr;
    HANDLE readEvent = nullptr;
    HANDLE writeEvent = nullptr;
    OVERLAPPED wait{};
    DWORD eventMask = 0;
    bool waitPending = false;
    std::array<std::uint8_t, 4096> buffer{};
    DWORD baud = 115200;
};

Win32SerialPort::Win32SerialPort(Win32EventPump& pump) : m_pump(pump) {}

Win32SerialPort::~Win32SerialPort() {
    close();
}

bool Win32SerialPort::portOpen() const {
    return m_io != nullptr;
}

void* Win32SerialPort::nativeHandle() const {
    return m_io ? m_io->port : nullptr;
}

bool Win32SerialPort::setPortOpen(bool open) {
    if (!open) {
        close();
        return true;
    }
    return m_io || this->open();
}

void Win32SerialPort::setDevicePath(int number, const std::string& path) {
    std::string name = path;
    if (name.rfind("\\\\.\\", 0) == 0)
        name.erase(0, 4);
    int com = 0;
    if (name.size() > 3 && _strnicmp(name.c_str(), "COM", 3) == 0 &&
        name.find_first_not_of("0123456789", 3) == std::string::npos && name.size() <= 6)
        com = std::stoi(name.substr(3));
    if (com > 0)
        m_comNumbers[number] = com;
    else
        m_comNumbers.erase(number);
}

int Win32SerialPort::comNumber() const {
    auto it = m_comNumbers.find(m_number);
    return it != m_comNumbers.end() ? it->second : m_number;
}

std::string Win32SerialPort::portName() const {
    return m_name.empty() ? "COM" + std::to_string(comNumber()) : m_name;
}

bool Win32SerialPort::open() {
    const std::string name = portName();
    // The device namespace reaches COM10 and above as well; a name given with it is taken as it is.
    const std::wstring path = (name.rfind("\\\\.\\", 0) == 0 ? L"" : L"\\\\.\\") + utf8Path(name).wstring();
    HANDLE port = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
            m_error = name + " does not exist";
        else if (code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION)
            m_error = name + " is in use by another program";
        else
            m_error = name + ": " + systemMessage(code);
        return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    if (!GetCommState(port, &dcb) || !dcbFromSettings(m_settings, dcb) || !SetCommState(port, &dcb)) {
        CloseHandle(port);
        m_error = name + ": the port does not take the settings " + m_settings;
        return false;
    }
    SetupComm(port, 4096, 4096);
    // The port reports each arrival of bytes; a read then takes only what has arrived, so it never waits.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    SetCommTimeouts(port, &timeouts);
    SetCommMask(port, EV_RXCHAR);
    PurgeComm(port, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);

    m_io = std::make_unique<Io>();
    m_io->port = port;
    m_io->baud = dcb.BaudRate;
    m_io->waitEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_io->readEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_io->writeEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_received.clear();
    m_error.clear();
    m_pump.watch(m_io->waitEvent, [this] { readDone(); });
    startRead();
    return true;
}

void Win32SerialPort::close() {
    if (!m_io)
        return;
    m_pump.unwatch(m_io->waitEvent);
    if (m_io->waitPending) {
        // Clearing the mask ends the pending wait; the OVERLAPPED must outlive it.
        SetCommMask(m_io->port, 0);
        CancelIoEx(m_io->port, &m_io->wait);
        DWORD count = 0;
        if (WaitForSingleObject(m_io->waitEvent, kCancelWaitMs) == WAIT_OBJECT_0)
            GetOverlappedResult(m_io->port, &m_io->wait, &count, FALSE);
    }
    CloseHandle(m_io->port);
    CloseHandle(m_io->waitEvent);
    CloseHandle(m_io->readEvent);
    CloseHandle(m_io->writeEvent);
    m_io.reset();
    m_received.clear();
}

void Win32SerialPort::startRead() {
    m_io->wait = OVERLAPPED{};
    m_io->wait.hEvent = m_io->waitEvent;
    ResetEvent(m_io->waitEvent);
    m_io->eventMask = 0;
    if (WaitCommEvent(m_io->port, &m_io->eventMask, &m_io->wait)) {
        // Done at once: the event loop still takes the bytes, as for a wait that ends later.
        m_io->waitPending = false;
        SetEvent(m_io->waitEvent);
        return;
    }
    if (GetLastError() == ERROR_IO_PENDING) {
        m_io->waitPending = true;
        return;
    }
    m_io->waitPending = false;
    m_error = portName() + ": " + systemMessage(GetLastError());
    m_pump.unwatch(m_io->waitEvent);
}

bool Win32SerialPort::takeWaitingBytes() {
    bool took = false;
    for (;;) {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(m_io->port, &errors, &status) || status.cbInQue == 0)
            return took;
        OVERLAPPED read{};
        read.hEvent = m_io->readEvent;
        ResetEvent(m_io->readEvent);
        const DWORD wanted = std::min<DWORD>(status.cbInQue, static_cast<DWORD>(m_io->buffer.size()));
        DWORD count = 0;
        if (!ReadFile(m_io->port, m_io->buffer.data(), wanted, &count, &read)) {
            if (GetLastError() != ERROR_IO_PENDING)
                return took;
            // The bytes are there: the read ends at once, and it must end before `read` goes.
            if (WaitForSingleObject(m_io->readEvent, kCancelWaitMs) != WAIT_OBJECT_0)
                CancelIoEx(m_io->port, &read);
            if (!GetOverlappedResult(m_io->port, &read, &count, TRUE))
                return took;
        }
        if (count == 0)
            return took;
        m_received.insert(m_received.end(), m_io->buffer.begin(), m_io->buffer.begin() + count);
        took = true;
    }
}

void Win32SerialPort::readDone() {
    if (!m_io)
        return;
    if (m_io->waitPending) {
        DWORD count = 0;
        if (!GetOverlappedResult(m_io->port, &m_io->wait, &count, FALSE) && GetLastError() == ERROR_IO_INCOMPLETE)
            return;
        m_io->waitPending = false;
    }
    const bool took = takeWaitingBytes();
    startRead();
    if (took && OnComm)
        OnComm();
}

void Win32SerialPort::output(const std::vector<std::uint8_t>& bytes) {
    if (!m_io || bytes.empty())
        return;
    OVERLAPPED write{};
    write.hEvent = m_io->writeEvent;
    ResetEvent(m_io->writeEvent);
    DWORD count = 0;
    if (!WriteFile(m_io->port, bytes.data(), static_cast<DWORD>(bytes.size()), &count, &write) &&
        GetLastError() != ERROR_IO_PENDING)
        return;
    // The frame's time on the line at the port's rate (11 bits a byte, twice over), and some slack.
    const DWORD lineMs = static_cast<DWORD>(bytes.size() * 22000 / (m_io->baud ? m_io->baud : 1));
    if (WaitForSingleObject(m_io->writeEvent, kWriteSlackMs + lineMs) != WAIT_OBJECT_0)
        CancelIoEx(m_io->port, &write);
    // `write` lives on this stack: the write, finished or cancelled, must be over before it goes.
    GetOverlappedResult(m_io->port, &write, &count, TRUE);
}

std::vector<std::uint8_t> Win32SerialPort::input() {
    std::vector<std::uint8_t> bytes;
    bytes.swap(m_received);
    return bytes;
}
