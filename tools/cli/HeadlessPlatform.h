#pragma once

#include <iosfwd>
#include <memory>

#include "CaptureFileSystem.h"
#include "HeadlessDesktop.h"
#include "ScriptedFileDialog.h"
#include "StderrMessageBox.h"
#include "platform/Platform.h"
#include "platform/StdFileSystem.h"
#include "platform/qt/IconvTextCodec.h"
#include "platform/qt/NullWavPlayer.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtSerialPortList.h"
#include "platform/sound/SndfileWaveConverter.h"

/// The platform of the command-line program: the real files, code page, clock, event loop (a
/// QCoreApplication must exist) and serial port; message boxes on the error stream, the sound file converter, a file
/// dialog that answers what the command line says, and no windows and no player.
class HeadlessPlatform {
public:
    explicit HeadlessPlatform(std::ostream& err);
    ~HeadlessPlatform();

    Platform& platform() { return *m_platform; }
    StderrMessageBox& messages() { return m_msgBox; }
    ScriptedFileDialog& dialog() { return m_fileDialog; }
    CaptureFileSystem& files() { return m_files; }
    QtSerialPort& serialPort() { return m_serial; }
    SndfileWaveConverter& converter() { return m_converter; }

private:
    StdFileSystem m_diskFiles;
    CaptureFileSystem m_files{m_diskFiles};
    IconvTextCodec m_codec;
    StderrMessageBox m_msgBox;
    ScriptedFileDialog m_fileDialog;
    QtSerialPort m_serial;
    NullWavPlayer m_player;
    QtEventPump m_events;
    QtClock m_clock;
    NoWindowSearch m_windows;
    NoTextViewer m_viewer;
    HeadlessScreen m_screen;
    QtSerialPortList m_ports;
    SndfileWaveConverter m_converter;
    std::unique_ptr<Platform> m_platform;
};
