#pragma once

#include <QProcess>
#include <QStringList>
#include <string>

/// The emulator program (KVT_EMULATOR), started with `options`; it prints the pseudo-terminal it serves, and
/// ends with the object.
class EmulatorProcess {
public:
    explicit EmulatorProcess(const QStringList& options) {
        m_process.start(KVT_EMULATOR, options);
        if (m_process.waitForStarted(5000) && m_process.waitForReadyRead(5000))
            m_path = m_process.readLine().trimmed().toStdString();
    }
    ~EmulatorProcess() {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;
    /// The pseudo-terminal; empty when the program did not start or print it.
    const std::string& path() const { return m_path; }
    void stop() {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }
    /// Ends the program at once, as a pulled cable ends the line: its end of the terminal closes unannounced.
    void kill() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

private:
    QProcess m_process;
    std::string m_path;
};
