#include "shell/InstanceMarker.h"

#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"

std::string InstanceMarker::path() const {
    return m_app.strTMPFilePath + kFileName;
}

bool InstanceMarker::ReadTempFile() {
    auto bytes = m_platform.fs.readFile(path());
    if (!bytes || bytes->empty())
        return false;
    std::string line = bytes->substr(0, bytes->find_first_of("\r\n"));
    m_app.strRunningCaption = m_platform.codec.toUtf8(line);
    return true;
}

bool InstanceMarker::WriteTempFile() {
    return m_platform.fs.writeFileAtomic(path(), m_platform.codec.fromUtf8(m_mdi.caption()) + "\r\n");
}

bool InstanceMarker::exists() const {
    return m_platform.fs.exists(path());
}

void InstanceMarker::remove() {
    m_platform.fs.remove(path());
}
