// kvt3310-cli for Windows: the command-line program over the Win32 serial port and event loop.
#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include <iostream>
#include <string>
#include <vector>

#include "CliProgram.h"
#include "HeadlessPlatform.h"
#include "platform/null/NoWaveConverter.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32EventPump.h"
#include "platform/win32/Win32ProgramFolder.h"
#include "platform/win32/Win32SerialPort.h"
#include "platform/win32/Win32SerialPortList.h"
#include "win32/ConsoleSession.h"

namespace {

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string out(static_cast<std::size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

/// The words after the program name as UTF-8, taken from the wide command line: `argv` would hold them in the
/// ANSI code page, losing every letter outside it.
std::vector<std::string> arguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; words && i < count; ++i)
        args.push_back(utf8(words[i]));
    LocalFree(words);
    return args;
}

}  // namespace

int main() {
    // The texts are UTF-8 inside; the console shows them as such until the program ends.
    const ConsoleSession console;
    const std::string folder = Win32ProgramFolder::resolve();
    Win32EventPump events;
    Win32Clock clock;
    Win32SerialPort serial(events);
    Win32SerialPortList ports;
    NoWaveConverter converter;
    HeadlessPlatform headless(std::cerr, {folder, events, clock, serial, ports, converter});
    return CliProgram(std::cout, std::cerr, headless).run(arguments());
}
