#pragma once

#include <array>
#include <cstdint>
#include <string_view>

/// The two 128-byte configuration blocks the unit keeps at the top of its memory: the message table at
/// word 0x3FF000 and the trigger table at word 0x3FF100. Each ends with a check word that makes the 64
/// big-endian words of the block sum to 0xFFC0.
namespace TableBlocks {

inline constexpr int kBlockBytes = 128;
inline constexpr int kSlots = 12;
inline constexpr int kTriggers = 12;
inline constexpr int kSteps = 4;
inline constexpr int kZones = 6;
inline constexpr std::uint32_t kMsgTabAddress = 0x3FF000;
inline constexpr std::uint32_t kTrgTabAddress = 0x3FF100;
inline constexpr std::uint16_t kBlockSum = 0xFFC0;

using Block = std::array<std::uint8_t, kBlockBytes>;

/// Where each message starts (-1: the slot holds none), element 0 unused.
struct MessageTable {
    std::array<std::int32_t, kSlots + 1> msgAddress{};
    std::int32_t endAddress = 0;
    std::uint8_t msgNumber = 0;
};

/// The message chosen in each step (step k of trigger t is element 4(t-1)+k) and the ticked zones (zone z of
/// trigger t is element 6(t-1)+z); element 0 unused.
struct TriggerTable {
    std::array<std::uint8_t, kTriggers * kSteps + 1> steps{};
    std::array<bool, kTriggers * kZones + 1> zones{};
};

/// The check word of bytes 0 to 125: (65536 - S - 64) mod 65536, S the sum of their 63 words.
std::uint16_t checkWord(const Block& block);
/// The sum modulo 65536 of all 64 words; kBlockSum for a block whose check word holds.
std::uint16_t wordSum(const Block& block);

Block messageBlock(const MessageTable& table);
Block triggerBlock(const TriggerTable& table);

/// Every byte 0xFF, as an erase leaves the memory: the unit holds no table there.
bool blank(const Block& block);

/// Reads a message table block back. A 4-byte entry whose first byte is 128 or more reads -1. The message
/// count is taken as it stands (not limited).
MessageTable decodeMessageBlock(const Block& block);
TriggerTable decodeTriggerBlock(const Block& block);

/// The message number a step box's text stands for, as the message set reads it (`MessageSet::stepValue`).
std::uint8_t stepValue(std::string_view text);

}  // namespace TableBlocks
