#include "HeadlessPlatform.h"

#include "platform/SystemCodePage.h"
#include "platform/qt/QtProgramFolder.h"

HeadlessPlatform::HeadlessPlatform(std::ostream& err) : m_diskFiles(QtProgramFolder::resolve()), m_msgBox(err) {
    // The same 8-bit code page as the window program of this folder uses for its files.
    m_codec.choose(m_diskFiles, systemCodePage());
    m_platform =
        std::make_unique<Platform>(Platform{m_files, m_codec, m_msgBox, m_fileDialog, m_serial, m_player, m_events,
                                            m_clock, m_windows, m_viewer, m_screen, m_ports, m_converter});
}

HeadlessPlatform::~HeadlessPlatform() = default;
