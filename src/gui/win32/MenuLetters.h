#pragma once

#include <string>
#include <vector>

/// Underlined letters (Alt+letter) for the captions that share a menu or the menu bar, whatever their
/// language: each gets its own letter, the first letter of a word where it can, as the Qt window gives them.
namespace MenuLetters {

/// The texts to show, in their order: each with "&" before its letter (none when every letter of it is taken),
/// and a "&" of the caption itself doubled.
std::vector<std::wstring> assign(const std::vector<std::wstring>& captions);

/// The letter a shown text marks, lower case, or 0.
wchar_t letterOf(const std::wstring& text);

}  // namespace MenuLetters
