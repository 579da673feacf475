#include "unitlink/TableBlocks.h"

#include <algorithm>

#include "editor/MessageSet.h"

namespace TableBlocks {

namespace {

constexpr int kCheckWordAt = kBlockBytes - 2;
constexpr int kEndAddressAt = 4 * kSlots;
constexpr int kMsgNumberAt = kEndAddressAt + 5;
constexpr int kRecordBytes = 2 * (kSteps + 1);

void putAddress(Block& block, int at, std::int32_t address) {
    if (address < 0) {
        for (int k = 0; k < 4; ++k)
            block[at + k] = 0xFF;
        return;
    }
    block[at] = 0;
    block[at + 1] = static_cast<std::uint8_t>(address >> 16);
    block[at + 2] = static_cast<std::uint8_t>(address >> 8);
    block[at + 3] = static_cast<std::uint8_t>(address);
}

std::int32_t takeAddress(const Block& block, int at) {
    if (block[at] >= 128)
        return -1;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(block[at]) << 24 | block[at + 1] << 16 |
                                     block[at + 2] << 8 | block[at + 3]);
}

std::uint16_t sumWords(const Block& block, int words) {
    std::uint32_t sum = 0;
    for (int w = 0; w < words; ++w)
        sum += static_cast<std::uint32_t>(block[2 * w] << 8 | block[2 * w + 1]);
    return static_cast<std::uint16_t>(sum);
}

void seal(Block& block) {
    std::uint16_t check = checkWord(block);
    block[kCheckWordAt] = static_cast<std::uint8_t>(check >> 8);
    block[kCheckWordAt + 1] = static_cast<std::uint8_t>(check);
}

}  // namespace

std::uint16_t checkWord(const Block& block) {
    return static_cast<std::uint16_t>(0x10000 - sumWords(block, kCheckWordAt / 2) - 64);
}

std::uint16_t wordSum(const Block& block) {
    return sumWords(block, kBlockBytes / 2);
}

Block messageBlock(const MessageTable& table) {
    Block block{};
    for (int i = 1; i <= kSlots; ++i)
        putAddress(block, 4 * (i - 1), table.msgAddress[i]);
    putAddress(block, kEndAddressAt, table.endAddress);
    block[kMsgNumberAt] = table.msgNumber;
    seal(block);
    return block;
}

Block triggerBlock(const TriggerTable& table) {
    Block block{};
    for (int t = 1; t <= kTriggers; ++t) {
        const int record = kRecordBytes * (t - 1);
        for (int k = 1; k <= kSteps; ++k)
            block[record + 2 * k - 1] = table.steps[kSteps * (t - 1) + k];
        std::uint8_t zones = 0;
        for (int z = 1; z <= kZones; ++z)
            if (table.zones[kZones * (t - 1) + z])
                zones |= static_cast<std::uint8_t>(1u << (z - 1));
        block[record + kRecordBytes - 1] = zones;
    }
    seal(block);
    return block;
}

bool blank(const Block& block) {
    return std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0xFF; });
}

MessageTable decodeMessageBlock(const Block& block) {
    MessageTable table;
    for (int i = 1; i <= kSlots; ++i)
        table.msgAddress[i] = takeAddress(block, 4 * (i - 1));
    table.endAddress = takeAddress(block, kEndAddressAt);
    table.msgNumber = block[kMsgNumberAt];
    return table;
}

TriggerTable decodeTriggerBlock(const Block& block) {
    TriggerTable table;
    for (int t = 1; t <= kTriggers; ++t) {
        const int record = kRecordBytes * (t - 1);
        for (int k = 1; k <= kSteps; ++k)
            table.steps[kSteps * (t - 1) + k] = block[record + 2 * k - 1];
        for (int z = 1; z <= kZones; ++z)
            table.zones[kZones * (t - 1) + z] = (block[record + kRecordBytes - 1] >> (z - 1) & 1) != 0;
    }
    return table;
}

std::uint8_t stepValue(std::string_view text) {
    return MessageSet::stepValue(text);
}

}  // namespace TableBlocks
