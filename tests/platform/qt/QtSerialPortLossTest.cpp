// The Qt serial port on a pseudo-terminal whose far end goes away while nothing is written, as a USB adapter does
// when pulled during a long wait (an erase): the port closes itself and reports once, naming itself and why. The
// end-to-end lost-port test covers a loss met by a write.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QtTest>
#ifndef _WIN32
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

#include <string>
#include <vector>

#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtSerialPort.h"

class QtSerialPortLossTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void farEndClosed_closesThePortAndReportsOnce();
};

void QtSerialPortLossTest::farEndClosed_closesThePortAndReportsOnce() {
#ifdef _WIN32
    QSKIP("pseudo-terminals are POSIX only");
#else
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const std::string slave = ::ptsname(master);

    QtSerialPort port;
    std::vector<std::string> reports;
    port.OnError = [&](const std::string& reason) { reports.push_back(reason); };
    port.setPortName(slave);
    port.setSettings("115200,N,8,2");
    QVERIFY2(port.setPortOpen(true), port.lastError().c_str());

    ::close(master);
    QtEventPump pump;
    QElapsedTimer waited;
    waited.start();
    while (port.portOpen() && waited.elapsed() < 2000)
        pump.waitForEvents();
    pump.processEvents();

    QVERIFY(!port.portOpen());
    QVERIFY2(waited.elapsed() < 500, std::to_string(waited.elapsed()).c_str());
    QCOMPARE(reports.size(), std::size_t(1));
    QCOMPARE(reports[0], slave + ": the line was hung up");
#endif
}

QTEST_GUILESS_MAIN(QtSerialPortLossTest)
#include "QtSerialPortLossTest.moc"
