#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

/// The steps of a whole-file save that each system does its own way. Each system's adapter defines them.
namespace SystemFiles {

/// Creates `temp`, which must not exist yet, with `content`, flushed to the disk and closed, each step
/// checked. When `like` names an existing file, the new file gets its permissions and, where the process
/// may, its owner. False (and `temp` removed) on any failure, with the system's reason in `error`.
bool writeNew(const std::filesystem::path& temp, std::string_view content, const std::filesystem::path& like,
              std::error_code& error);
/// Puts `temp` in the place of `target` in one step, keeping `target`'s name; false when it cannot, with
/// `target` as it was and the system's reason in `error`.
bool replace(const std::filesystem::path& temp, const std::filesystem::path& target, std::error_code& error);

}  // namespace SystemFiles
