#pragma once

#include <iosfwd>
#include <memory>

#include "CaptureFileSystem.h"
#include "HeadlessDesktop.h"
#include "ScriptedFileDialog.h"
#include "StderrMessageBox.h"
#include "platform/Platform.h"
#include "platform/StdFileSystem.h"
#include "platform/null/NullWavPlayer.h"
#include "settings/CodePageCodec.h"

/// What the system the program runs on gives it: the folder of the program file, its event loop, clock,
/// serial port, the list of its serial ports and the sound file converter. Each system's `main` makes them.
struct HeadlessSystem {
    std::string programFolder;
    IEventPump& events;
    IClock& clock;
    ISerialPort& serial;
    ISerialPortList& ports;
    IWaveConverter& converter;
};

/// The platform of the command-line program: the real files, code page, clock, event loop and serial port;
/// message boxes on the error stream, the sound file converter, a file dialog that answers what the command
/// line says, and no windows and no player.
class HeadlessPlatform {
public:
    HeadlessPlatform(std::ostream& err, const HeadlessSystem& system);
    ~HeadlessPlatform();

    Platform& platform() { return *m_platform; }
    StderrMessageBox& messages() { return m_msgBox; }
    ScriptedFileDialog& dialog() { return m_fileDialog; }
    CaptureFileSystem& files() { return m_files; }

private:
    HeadlessSystem m_system;
    StdFileSystem m_diskFiles;
    CaptureFileSystem m_files{m_diskFiles};
    CodePageCodec m_codec;
    StderrMessageBox m_msgBox;
    ScriptedFileDialog m_fileDialog;
    NullWavPlayer m_player;
    NoWindowSearch m_windows;
    NoTextViewer m_viewer;
    HeadlessScreen m_screen;
    std::unique_ptr<Platform> m_platform;
};
