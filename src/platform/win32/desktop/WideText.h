#pragma once

#include <string>

/// The program's texts are UTF-8; the system's wide functions take UTF-16.
namespace WideText {

std::wstring wide(const std::string& utf8);
std::string utf8(const std::wstring& wide);
std::string utf8(const wchar_t* wide);

}  // namespace WideText
