#include "platform/win32/Win32SerialPortList.h"

#include <windows.h>

#include <filesystem>

#include "platform/Utf8Path.h"

std::vector<ISerialPortList::Port> Win32SerialPortList::availablePorts() const {
    std::vector<Port> ports;
    HKEY key = nullptr;
    // The key exists only while at least one port does.
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        wchar_t data[256];
        DWORD dataBytes = sizeof(data) - sizeof(wchar_t);
        DWORD type = 0;
        const LONG status =
            RegEnumValueW(key, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataBytes);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            break;
        if (type != REG_SZ)
            continue;
        // The value need not end in a null character.
        std::size_t length = dataBytes / sizeof(wchar_t);
        data[length] = L'\0';
        while (length > 0 && data[length - 1] == L'\0')
            --length;
        if (length > 0)
            ports.push_back({utf8String(std::filesystem::path(std::wstring(data, length))), {}, {}});
    }
    RegCloseKey(key);
    return ports;
}
