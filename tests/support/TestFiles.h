#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// A 16-bit mono PCM wave file of exactly `length` bytes (at least 44) at `rate` Hz, its sound bytes varied by
/// `seed`, LF bytes among them.
std::vector<std::uint8_t> waveFileBytes(std::uint32_t length, std::uint32_t rate, int seed);

/// The whole file; empty when it cannot be read.
std::vector<std::uint8_t> readFileBytes(const std::string& path);

/// Creates or replaces the file with `bytes`.
void writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

/// A file as the unit keeps it after an upload: its bytes, one 0xFF byte when their count is odd, and the
/// check word that makes the sum of (word + 1) over all words a multiple of 65536.
std::vector<std::uint8_t> storedFormOf(std::vector<std::uint8_t> file);
