#include "HeadlessPlatform.h"

HeadlessPlatform::HeadlessPlatform(std::ostream& err, const HeadlessSystem& system)
    : m_system(system), m_diskFiles(system.programFolder), m_msgBox(err) {
    m_platform =
        std::make_unique<Platform>(Platform{m_files, m_system.codec, m_msgBox, m_fileDialog, m_system.serial, m_player,
                                            m_system.events, m_system.clock, m_windows, m_viewer, m_screen});
}

HeadlessPlatform::~HeadlessPlatform() = default;
