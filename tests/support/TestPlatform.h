#pragma once

#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "platform/StdFileSystem.h"
#include "support/FakeDesktop.h"
#include "support/FakeEventPump.h"
#include "support/FakeFileDialog.h"
#include "support/FakeMessageBox.h"
#include "support/FakeSerialPort.h"
#include "support/FakeSerialPortList.h"
#include "support/FakeWavPlayer.h"
#include "support/FakeWaveConverter.h"

/// A fresh temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    /// The folder, without a trailing separator.
    const std::string& path() const { return m_path; }
    /// A path inside it.
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

/// Every fake the core needs, with the program folder in a fresh temporary folder, and the `Platform`
/// that hands them to the code under test.
struct TestPlatform {
    TestPlatform();

    TempFolder folder;
    StdFileSystem fs;
    Latin1Codec codec;
    FakeMessageBox msgBox;
    FakeFileDialog fileDialog;
    FakeClock clock;
    FakeEventPump events{clock};
    FakeSerialPort serial{events};
    FakeWavPlayer player{events};
    FakeWindowSearch windows;
    FakeTextViewer viewer;
    FakeScreen screen;
    FakeSerialPortList ports;
    FakeWaveConverter converter;
    Platform platform;
};
