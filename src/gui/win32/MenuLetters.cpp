#include "gui/win32/MenuLetters.h"

#include <cwctype>
#include <set>

namespace {

/// Where the letter of `caption` goes, or npos: a word's first letter, else any letter, not yet taken.
std::size_t letterAt(const std::wstring& caption, const std::set<wchar_t>& taken) {
    auto free = [&](std::size_t i) {
        return std::iswalnum(caption[i]) && !taken.contains(static_cast<wchar_t>(std::towlower(caption[i])));
    };
    for (std::size_t i = 0; i < caption.size(); ++i)
        if ((i == 0 || !std::iswalnum(caption[i - 1])) && free(i))
            return i;
    for (std::size_t i = 0; i < caption.size(); ++i)
        if (free(i))
            return i;
    return std::wstring::npos;
}

}  // namespace

namespace MenuLetters {

std::vector<std::wstring> assign(const std::vector<std::wstring>& captions) {
    std::set<wchar_t> taken;
    std::vector<std::wstring> texts;
    for (const std::wstring& caption : captions) {
        const std::size_t at = letterAt(caption, taken);
        std::wstring text;
        for (std::size_t i = 0; i < caption.size(); ++i) {
            if (i == at) {
                text += L'&';
                taken.insert(static_cast<wchar_t>(std::towlower(caption[i])));
            }
            text += caption[i];
            if (caption[i] == L'&')
                text += L'&';
        }
        texts.push_back(text);
    }
    return texts;
}

wchar_t letterOf(const std::wstring& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] != L'&')
            return static_cast<wchar_t>(std::towlower(text[i + 1]));
        ++i;
    }
    return 0;
}

}  // namespace MenuLetters
