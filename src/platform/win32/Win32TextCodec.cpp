#include "platform/win32/Win32TextCodec.h"

#include <windows.h>

#include <charconv>

#include "platform/IFileSystem.h"
#include "settings/IniProcedures.h"

namespace {

std::wstring wide(unsigned codePage, std::string_view text) {
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::string narrow(unsigned codePage, const std::wstring& text) {
    if (text.empty())
        return {};
    // UTF-8 takes no replacement character or best-fit flag.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* replacement = utf8 ? nullptr : "?";
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, replacement, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), size, replacement, nullptr);
    return out;
}

}  // namespace

Win32TextCodec::Win32TextCodec() : m_codePage(GetACP()) {}

bool Win32TextCodec::setCodePage(int codePage) {
    CPINFO info;
    if (codePage <= 0 || !GetCPInfo(static_cast<UINT>(codePage), &info))
        return false;
    m_codePage = static_cast<unsigned>(codePage);
    return true;
}

void Win32TextCodec::useSettingsOf(IFileSystem& fs) {
    // The key and its value are digits, the same in every code page.
    IniProcedures ini(fs, *this);
    auto value = ini.ReadIni("File paths", kSettingsKey, fs.programFolder() + fs.separator() + "KVT3310.INI");
    if (!value)
        return;
    int codePage = 0;
    auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), codePage);
    if (error == std::errc() && end == value->data() + value->size())
        setCodePage(codePage);
}

std::string Win32TextCodec::toUtf8(std::string_view bytes) const {
    return narrow(CP_UTF8, wide(m_codePage, bytes));
}

std::string Win32TextCodec::fromUtf8(std::string_view text) const {
    return narrow(m_codePage, wide(CP_UTF8, text));
}
