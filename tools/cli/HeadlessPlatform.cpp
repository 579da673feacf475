#include "HeadlessPlatform.h"

#include "platform/SystemCodePage.h"

HeadlessPlatform::HeadlessPlatform(std::ostream& err, const HeadlessSystem& system)
    : m_system(system), m_diskFiles(system.programFolder), m_msgBox(err) {
    // The same 8-bit code page as the window program of this folder uses for its files.
    m_codec.choose(m_diskFiles, systemCodePage());
    m_platform = std::make_unique<Platform>(Platform{m_files, m_codec, m_msgBox, m_fileDialog, m_system.serial,
                                                     m_player, m_system.events, m_system.clock, m_windows, m_viewer,
                                                     m_screen, m_system.ports, m_system.converter});
}

HeadlessPlatform::~HeadlessPlatform() = default;
