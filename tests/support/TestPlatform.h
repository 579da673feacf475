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

/// The platform's folder separator, as the program writes folder settings with it.
inline constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

/// A fresh temporary folder, removed with the object (read-only files in it too).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    /// The folder, without a trailing separator.
    const std::string& path() const { return m_path; }
    /// The folder with a trailing separator, as the program keeps its folder settings.
    std::string slashed() const { return m_path + kSeparator; }
    /// A path inside it.
    std::string file(const std::string& name) const { return slashed() + name; }

private:
    std::string m_path;
};

/// Every fake the core needs, with the program folder in a fresh temporary folder, and the `Platform`
/// that hands them to the code under test.
struct TestPlatform {
    TestPlatform();
    /// The same fakes with another file system or text codec.
    Platform platformWith(IFileSystem& files, ITextCodec& textCodec) {
        return Platform{files, textCodec, msgBox, fileDialog, serial, player,   events,
                        clock, windows,   viewer, screen,     ports,  converter};
    }

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
