#pragma once

#include <cstdint>

/// Largest file length whose stored size still fits the 32-bit sizes of the message set; longer files are
/// refused when they are read.
inline constexpr std::uint32_t kMaxFileLength = 0x7FFFFFFFu - 1050u;

/// Bytes of the unit's message memory that a wave file of `fileLength` bytes takes: 350 bytes for every data
/// frame the upload sends for it. The frames carry the whole file, one 0xFF pad byte when its length is odd,
/// and the 2-byte check word, the last frame filled up with 0xFF. Lengths above kMaxFileLength count as
/// kMaxFileLength.
std::int32_t storedSize(std::uint32_t fileLength);
