// The Win32 serial port on a pair of COM ports wired to each other (a null-modem pair, KVT_LOOPBACK_PORTS
// "a,b"): settings applied at open, every byte value through unchanged both ways, the receive notification.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/Win32EventPump.h"
#include "platform/win32/Win32SerialPort.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Pair {
    int a = 0;
    int b = 0;
};

/// The null-modem pair the environment names, or nothing (the test is then skipped).
bool loopbackPair(Pair& pair) {
    const char* names = std::getenv("KVT_LOOPBACK_PORTS");
    return names && std::sscanf(names, "%d,%d", &pair.a, &pair.b) == 2;
}

Bytes everyByteValue() {
    Bytes bytes;
    for (int v = 0; v < 256; ++v)
        bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

/// Runs the loop until `port` has notified `count` bytes (or 5 s passed); returns what it took in.
Bytes receive(Win32EventPump& pump, Win32SerialPort& port, std::size_t count, int& notifications) {
    Bytes got;
    port.OnComm = [&] {
        ++notifications;
        Bytes in = port.input();
        got.insert(got.end(), in.begin(), in.end());
    };
    const ULONGLONG start = GetTickCount64();
    while (got.size() < count && GetTickCount64() - start < 5000)
        pump.waitForEvents();
    port.OnComm = nullptr;
    return got;
}

TEST(Win32SerialPort, absentPort_openFailsNamingThePort) {
    Win32EventPump pump;
    Win32SerialPort port(pump);
    EXPECT_FALSE(port.portsAreDeviceFiles());
    port.setCommPort(87);
    EXPECT_FALSE(port.setPortOpen(true));
    EXPECT_FALSE(port.portOpen());
    EXPECT_NE(port.lastError().find("COM87"), std::string::npos) << port.lastError();
    EXPECT_EQ(port.nativeHandle(), nullptr);

    // A device named as a COM port is the port the number opens; other paths change nothing.
    port.setCommPort(2);
    port.setDevicePath(2, "com88");
    EXPECT_FALSE(port.setPortOpen(true));
    EXPECT_NE(port.lastError().find("COM88"), std::string::npos) << port.lastError();
    port.setDevicePath(2, "\\\\.\\COM89");
    EXPECT_FALSE(port.setPortOpen(true));
    EXPECT_NE(port.lastError().find("COM89"), std::string::npos) << port.lastError();
    port.setCommPort(86);
    port.setDevicePath(86, "/dev/ttyUSB0");
    EXPECT_FALSE(port.setPortOpen(true));
    EXPECT_NE(port.lastError().find("COM86"), std::string::npos) << port.lastError();
}

TEST(Win32SerialPort, malformedSettings_portStaysClosed) {
    Pair pair;
    if (!loopbackPair(pair))
        GTEST_SKIP() << "no COM port pair (KVT_LOOPBACK_PORTS)";
    Win32EventPump pump;
    Win32SerialPort port(pump);
    port.setCommPort(pair.a);
    port.setSettings("115200,Q,8,2");
    EXPECT_FALSE(port.setPortOpen(true));
    EXPECT_FALSE(port.portOpen());
    EXPECT_NE(port.lastError().find("115200,Q,8,2"), std::string::npos) << port.lastError();
    // Closed again, the port can be had with good settings.
    port.setSettings("115200,N,8,2");
    EXPECT_TRUE(port.setPortOpen(true)) << port.lastError();
}

TEST(Win32SerialPort, opened_portRunsAt115200With8DataBitsNoParity2StopBits) {
    Pair pair;
    if (!loopbackPair(pair))
        GTEST_SKIP() << "no COM port pair (KVT_LOOPBACK_PORTS)";
    Win32EventPump pump;
    Win32SerialPort port(pump);
    port.setCommPort(pair.a);
    port.setSettings("115200,N,8,2");
    ASSERT_TRUE(port.setPortOpen(true)) << port.lastError();
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    ASSERT_TRUE(GetCommState(static_cast<HANDLE>(port.nativeHandle()), &dcb));
    EXPECT_EQ(dcb.BaudRate, 115200u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
    EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
    EXPECT_EQ(dcb.fOutX, 0u);
    EXPECT_EQ(dcb.fInX, 0u);

    // Opening an open port keeps the one port.
    EXPECT_TRUE(port.setPortOpen(true));
    EXPECT_TRUE(port.portOpen());
    port.setPortOpen(false);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.nativeHandle(), nullptr);
}

/// Both ends of the null-modem pair, open.
struct Win32SerialPortPair : ::testing::Test {
    Pair pair;
    Win32EventPump pump;
    Win32SerialPort a{pump};
    Win32SerialPort b{pump};

    void SetUp() override {
        if (!loopbackPair(pair))
            GTEST_SKIP() << "no COM port pair (KVT_LOOPBACK_PORTS)";
        a.setCommPort(pair.a);
        b.setCommPort(pair.b);
        ASSERT_TRUE(a.setPortOpen(true)) << a.lastError();
        ASSERT_TRUE(b.setPortOpen(true)) << b.lastError();
    }
};

TEST_F(Win32SerialPortPair, everyByteValue_arrivesUnchangedBothWaysWithNotifications) {
    // CR, LF, XON, XOFF, NUL and 0xFF among them: nothing translated, swallowed or added.
    const Bytes sent = everyByteValue();
    int notifications = 0;
    a.output(sent);
    EXPECT_EQ(receive(pump, b, sent.size(), notifications), sent);
    EXPECT_GE(notifications, 1);

    Bytes back(sent.rbegin(), sent.rend());
    notifications = 0;
    b.output(back);
    EXPECT_EQ(receive(pump, a, back.size(), notifications), back);
    EXPECT_GE(notifications, 1);
    EXPECT_EQ(a.inBufferCount(), 0);
}

TEST_F(Win32SerialPortPair, bytesWaitingWithoutHandler_countedThenTakenOnce) {
    a.output({0x2A, 0x0D, 0x0A});
    const ULONGLONG start = GetTickCount64();
    while (b.inBufferCount() < 3 && GetTickCount64() - start < 5000)
        pump.waitForEvents();
    EXPECT_EQ(b.inBufferCount(), 3);
    EXPECT_EQ(b.input(), (Bytes{0x2A, 0x0D, 0x0A}));
    EXPECT_EQ(b.inBufferCount(), 0);
    EXPECT_TRUE(b.input().empty());
}

TEST_F(Win32SerialPortPair, receiveNotificationNeverComes_replyStillTakenInOneTurnOfTheLoop) {
    // As a driver that drops the notification: the loop no longer sees b's receive event at all.
    pump.unwatch(b.receiveEvent());
    const Bytes reply = {0x2A, 0x30, 0x31, 0x0D, 0x0A};
    a.output(reply);
    COMSTAT queued{};
    DWORD errors = 0;
    const ULONGLONG start = GetTickCount64();
    while (ClearCommError(static_cast<HANDLE>(b.nativeHandle()), &errors, &queued) && queued.cbInQue < reply.size() &&
           GetTickCount64() - start < 5000)
        Sleep(5);
    ASSERT_EQ(queued.cbInQue, reply.size());
    int notifications = 0;
    b.OnComm = [&] { ++notifications; };
    pump.waitForEvents();
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(b.input(), reply);
}

}  // namespace
