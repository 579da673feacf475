#pragma once

#include "platform/Platform.h"
#include "support/FakeDesktop.h"
#include "support/FakeEventPump.h"
#include "support/FakeFileDialog.h"
#include "support/FakeMessageBox.h"
#include "support/FakeSerialPort.h"
#include "support/FakeSerialPortList.h"
#include "support/FakeWavPlayer.h"
#include "support/FakeWaveConverter.h"

/// Every fake the core needs but its files, and the `Platform` that hands them to the code under test over a
/// file system of the test's choice.
struct CoreFakes {
    Platform platformWith(IFileSystem& files, ITextCodec& textCodec) {
        return platformWith(files, textCodec, serial, events);
    }
    /// The same over a real serial port and event loop, as the end-to-end tests run.
    Platform platformWith(IFileSystem& files, ITextCodec& textCodec, ISerialPort& port, IEventPump& pump) {
        return Platform{files, textCodec, msgBox, fileDialog, port,  player,   pump,
                        clock, windows,   viewer, screen,     ports, converter};
    }

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
};
