#include "HeadlessPlatform.h"

#include <QCoreApplication>

#include "platform/qt/NullSerialPort.h"

HeadlessPlatform::HeadlessPlatform(std::ostream& err)
    : m_diskFiles(QCoreApplication::applicationDirPath().toStdString()),
      m_msgBox(err),
      m_serial(std::make_unique<NullSerialPort>()) {
    m_platform = std::make_unique<Platform>(Platform{m_files, m_codec, m_msgBox, m_fileDialog, *m_serial, m_player,
                                                     m_events, m_clock, m_windows, m_viewer, m_screen});
}

HeadlessPlatform::~HeadlessPlatform() = default;
