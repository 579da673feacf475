#pragma once

#include <string_view>
#include <vector>

/// The lines of an 8-bit text file: CR LF, a CR alone and an LF alone each end a line; text after the last
/// line end is a line of its own.
namespace TextLines {

std::vector<std::string_view> split(std::string_view content);

}  // namespace TextLines
