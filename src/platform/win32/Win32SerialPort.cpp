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
const DWORD kReadWaitMs = 1000;
// A wait that completes at once each time is taken this often in a row before the loop's next turn takes over.
const int kImmediateRearms = 4;

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

std::string lastSystemMessage() {
    return systemMessage(GetLastError());
}

/// Waits up to `ms` until the operation is over. Its status decides, not its event alone: a driver may set the
/// event before the operation ends, or end it without setting the event.
bool awaitCompletion(OVERLAPPED& o, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        if (HasOverlappedIoCompleted(&o))
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return false;
        if (WaitForSingleObject(o.hEvent, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 10))) == WAIT_OBJECT_0 &&
            !HasOverlappedIoCompleted(&o))
            ResetEvent(o.hEvent);
    }
}

std::string lineErrors(DWORD errors) {
    std::string text;
    auto add = [&](DWORD flag, const char* what) {
        if (errors & flag)
            text += (text.empty() ? "" : ", ") + std::string(what);
    };
    add(CE_FRAME, "framing error");
    add(CE_RXPARITY, "parity error");
    add(CE_OVERRUN, "overrun: bytes lost");
    add(CE_RXOVER, "receive buffer full: bytes lost");
    add(CE_BREAK, "break");
    return text;
}

}  // namespace

struct Win32SerialPort::Io {
    HANDLE port = INVALID_HANDLE_VALUE;
    HANDLE waitEvent = nullptr;
    HANDLE readEvent = nullptr;
    HANDLE writeEvent = nullptr;
    // The kernel writes into these while their operation runs: they live here, never on a stack, and the
    // structure is freed only once each operation is over.
    OVERLAPPED wait{};
    OVERLAPPED read{};
    OVERLAPPED write{};
    DWORD eventMask = 0;
    bool waitPending = false;
    std::array<std::uint8_t, 4096> buffer{};
    DWORD baud = 115200;

    ~Io() {
        if (port != INVALID_HANDLE_VALUE)
            CloseHandle(port);
        for (HANDLE event : {waitEvent, readEvent, writeEvent})
            if (event)
                CloseHandle(event);
    }
};

Win32SerialPort::Win32SerialPort(Win32EventPump& pump) : SerialPortBase("115200,N,8,2"), m_pump(pump) {}

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
    auto it = m_comNumbers.find(commPort());
    return it != m_comNumbers.end() ? it->second : commPort();
}

std::string Win32SerialPort::numberedName() const {
    return "COM" + std::to_string(comNumber());
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
    auto io = std::make_unique<Io>();
    io->port = port;
    std::string failure;
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    if (!GetCommState(port, &dcb) || !dcbFromSettings(settings(), dcb) || !SetCommState(port, &dcb)) {
        m_error = name + ": the port does not take the settings " + settings();
        return false;
    }
    if (!setUp(port, failure)) {
        m_error = name + ": " + failure;
        return false;
    }
    io->baud = dcb.BaudRate;
    for (HANDLE* event : {&io->waitEvent, &io->readEvent, &io->writeEvent})
        if (!(*event = CreateEventW(nullptr, TRUE, FALSE, nullptr))) {
            m_error = name + ": " + lastSystemMessage();
            return false;
        }
    m_io = std::move(io);
    m_received.clear();
    m_error.clear();
    if (!armWait()) {
        m_error = name + ": the port does not report received bytes: " + lastSystemMessage();
        close();
        return false;
    }
    m_pump.watch(m_io->waitEvent, [this] { service(); });
    m_pump.addPoll(this, [this] { service(); });
    return true;
}

bool Win32SerialPort::setUp(void* handle, std::string& failure) {
    HANDLE port = static_cast<HANDLE>(handle);
    if (!SetupComm(port, 4096, 4096)) {
        failure = "the port does not take its buffer sizes: " + lastSystemMessage();
        return false;
    }
    // A read takes only what has arrived, so it never waits.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    if (!SetCommTimeouts(port, &timeouts)) {
        failure = "the port does not take its time-outs: " + lastSystemMessage();
        return false;
    }
    if (!SetCommMask(port, EV_RXCHAR)) {
        failure = "the port does not take its event mask: " + lastSystemMessage();
        return false;
    }
    if (!PurgeComm(port, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR)) {
        failure = "the port's buffers cannot be cleared: " + lastSystemMessage();
        return false;
    }
    return true;
}

void Win32SerialPort::close() {
    if (!m_io)
        return;
    m_pump.unwatch(m_io->waitEvent);
    m_pump.removePoll(this);
    Io& io = *m_io;
    // Clearing the mask ends the pending wait; the structures it writes into must outlive it.
    SetCommMask(io.port, 0);
    CancelIoEx(io.port, nullptr);
    bool over = true;
    for (OVERLAPPED* o : {&io.wait, &io.read, &io.write})
        if (o->hEvent && !awaitCompletion(*o, kCancelWaitMs))
            over = false;
    if (!over) {
        // Closing the handle ends whatever is left; should even that not show, the structures are kept for
        // good rather than freed under a driver that may still write into them.
        CloseHandle(io.port);
        io.port = INVALID_HANDLE_VALUE;
        for (OVERLAPPED* o : {&io.wait, &io.read, &io.write})
            if (o->hEvent && !awaitCompletion(*o, kCancelWaitMs)) {
                static std::vector<std::unique_ptr<Io>> abandoned;
                abandoned.push_back(std::move(m_io));
                break;
            }
    }
    m_io.reset();
    m_received.clear();
}

void* Win32SerialPort::receiveEvent() const {
    return m_io ? m_io->waitEvent : nullptr;
}

void Win32SerialPort::fail(const std::string& why) {
    m_error = portName() + ": " + why;
    close();
    if (OnError)
        OnError(m_error);
}

bool Win32SerialPort::armWait() {
    Io& io = *m_io;
    for (int round = 0; round < kImmediateRearms; ++round) {
        ResetEvent(io.waitEvent);
        io.wait = OVERLAPPED{};
        io.wait.hEvent = io.waitEvent;
        io.eventMask = 0;
        if (!WaitCommEvent(io.port, &io.eventMask, &io.wait)) {
            io.waitPending = GetLastError() == ERROR_IO_PENDING;
            return io.waitPending;
        }
        // Done at once: the bytes it reports are taken by the loop's next turn; arming again keeps the wake.
        io.waitPending = false;
    }
    // Still done at once each time: the loop's polls take over rather than a wake that never stops.
    ResetEvent(io.waitEvent);
    return true;
}

void Win32SerialPort::service() {
    if (!m_io)
        return;
    Io& io = *m_io;
    // The event is reset on every path: a wait still running sets it again when it ends.
    ResetEvent(io.waitEvent);
    if (io.waitPending && HasOverlappedIoCompleted(&io.wait))
        io.waitPending = false;
    std::string failure;
    std::string line;
    const bool took = takeWaitingBytes(failure, line);
    // Reported once the port's state is settled, as the handler may close it.
    if (!line.empty() && OnError)
        OnError(portName() + ": " + line);
    if (!m_io)
        return;
    if (failure.empty() && !io.waitPending && !armWait())
        failure = "the port stopped reporting received bytes (" + lastSystemMessage() + ")";
    if (!failure.empty()) {
        fail("the port was lost: " + failure);
        return;
    }
    if (took && OnComm)
        OnComm();
}

bool Win32SerialPort::takeWaitingBytes(std::string& failure, std::string& line) {
    Io& io = *m_io;
    bool took = false;
    for (;;) {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(io.port, &errors, &status)) {
            failure = "the driver does not answer (" + lastSystemMessage() + ")";
            return took;
        }
        if (const std::string found = lineErrors(errors); !found.empty())
            line = found;
        if (status.cbInQue == 0)
            return took;
        io.read = OVERLAPPED{};
        io.read.hEvent = io.readEvent;
        ResetEvent(io.readEvent);
        const DWORD wanted = std::min<DWORD>(status.cbInQue, static_cast<DWORD>(io.buffer.size()));
        DWORD count = 0;
        if (!ReadFile(io.port, io.buffer.data(), wanted, &count, &io.read)) {
            if (GetLastError() != ERROR_IO_PENDING) {
                failure = "reading failed (" + lastSystemMessage() + ")";
                return took;
            }
            // The bytes are there: the read ends at once.
            if (!awaitCompletion(io.read, kReadWaitMs)) {
                failure = "a read of bytes already received did not end";
                return took;
            }
            if (!GetOverlappedResult(io.port, &io.read, &count, FALSE)) {
                failure = "reading failed (" + lastSystemMessage() + ")";
                return took;
            }
        }
        if (count == 0)
            return took;
        m_received.insert(m_received.end(), io.buffer.begin(), io.buffer.begin() + count);
        took = true;
    }
}

void Win32SerialPort::output(const std::vector<std::uint8_t>& bytes) {
    if (!m_io || bytes.empty())
        return;
    Io& io = *m_io;
    io.write = OVERLAPPED{};
    io.write.hEvent = io.writeEvent;
    ResetEvent(io.writeEvent);
    DWORD count = 0;
    if (!WriteFile(io.port, bytes.data(), static_cast<DWORD>(bytes.size()), &count, &io.write) &&
        GetLastError() != ERROR_IO_PENDING) {
        fail("writing " + std::to_string(bytes.size()) + " bytes failed (" + lastSystemMessage() + ")");
        return;
    }
    // The frame's time on the line at the port's rate (11 bits a byte, twice over), and some slack.
    const DWORD limitMs = kWriteSlackMs + static_cast<DWORD>(bytes.size() * 22000 / (io.baud ? io.baud : 1));
    if (!awaitCompletion(io.write, limitMs)) {
        fail("writing " + std::to_string(bytes.size()) + " bytes did not finish within " + std::to_string(limitMs) +
             " ms");
        return;
    }
    if (!GetOverlappedResult(io.port, &io.write, &count, FALSE)) {
        fail("writing " + std::to_string(bytes.size()) + " bytes failed (" + lastSystemMessage() + ")");
        return;
    }
    if (count != bytes.size())
        fail("only " + std::to_string(count) + " of " + std::to_string(bytes.size()) + " bytes were written");
}

std::vector<std::uint8_t> Win32SerialPort::input() {
    std::vector<std::uint8_t> bytes;
    bytes.swap(m_received);
    return bytes;
}
