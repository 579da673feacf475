#pragma once

#include "platform/IClock.h"
#include "platform/IEventPump.h"
#include "platform/IFileDialogBackend.h"
#include "platform/IFileSystem.h"
#include "platform/IMessageBox.h"
#include "platform/IScreen.h"
#include "platform/ISerialPort.h"
#include "platform/ISerialPortList.h"
#include "platform/ITextCodec.h"
#include "platform/ITextViewer.h"
#include "platform/IWavPlayer.h"
#include "platform/IWaveConverter.h"
#include "platform/IWindowSearch.h"

/// Everything the logic reaches outside itself through. The real program fills it with the Qt and SDL
/// implementations, the tests with fakes.
struct Platform {
    IFileSystem& fs;
    ITextCodec& codec;
    IMessageBox& msgBox;
    IFileDialogBackend& fileDialog;
    ISerialPort& serial;
    IWavPlayer& player;
    IEventPump& events;
    IClock& clock;
    IWindowSearch& windows;
    ITextViewer& viewer;
    IScreen& screen;
    ISerialPortList& ports;
    IWaveConverter& converter;
};
