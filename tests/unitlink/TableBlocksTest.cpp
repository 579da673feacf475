// The message table and trigger table blocks: their layout, their check words and reading them back.
#include <gtest/gtest.h>

#include <vector>

#include "unitlink/TableBlocks.h"

using TableBlocks::Block;

namespace {

std::vector<std::uint8_t> bytes(const Block& block, int from, int to) {
    return {block.begin() + from, block.begin() + to};
}

TableBlocks::MessageTable emptyTable() {
    TableBlocks::MessageTable table;
    for (int i = 1; i <= 12; ++i)
        table.msgAddress[i] = -1;
    return table;
}

}  // namespace

TEST(MessageBlock, twelveEmptySlots_giveFFEntriesAndCheckWordFFD8) {
    Block block = TableBlocks::messageBlock(emptyTable());
    EXPECT_EQ(bytes(block, 0, 48), std::vector<std::uint8_t>(48, 0xFF));
    EXPECT_EQ(bytes(block, 48, 54), (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(bytes(block, 54, 126), std::vector<std::uint8_t>(72, 0));
    EXPECT_EQ(block[126], 0xFF);
    EXPECT_EQ(block[127], 0xD8);
    EXPECT_EQ(TableBlocks::wordSum(block), 0xFFC0);
}

TEST(MessageBlock, filledSlots_giveAddressesEndAndCount) {
    TableBlocks::MessageTable table = emptyTable();
    table.msgAddress[1] = 0;
    table.msgAddress[2] = 0x0201AF;
    table.msgAddress[4] = 0x123456;
    table.endAddress = 0x3FEF51;
    table.msgNumber = 3;
    Block block = TableBlocks::messageBlock(table);
    EXPECT_EQ(bytes(block, 0, 16),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 2, 1, 0xAF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0x12, 0x34, 0x56}));
    EXPECT_EQ(bytes(block, 16, 48), std::vector<std::uint8_t>(32, 0xFF));
    EXPECT_EQ(bytes(block, 48, 54), (std::vector<std::uint8_t>{0, 0x3F, 0xEF, 0x51, 0, 3}));
    EXPECT_EQ(bytes(block, 54, 126), std::vector<std::uint8_t>(72, 0));
    // The 64 words must sum to FFC0. The 63 before the check word: 0002 + 01AF + 0012 + 3456 for slots 2 and 4,
    // 18 x FFFF for the nine empty slots, 003F + EF51 + 0003 for the end and the count: 13259A, 259A modulo
    // 65536. The check word is FFC0 - 259A = DA26.
    EXPECT_EQ(block[126], 0xDA);
    EXPECT_EQ(block[127], 0x26);
}

TEST(MessageBlock, decode_readsHighFirstByteAsNoMessage) {
    Block block{};
    block[4] = 0x80;
    block[8 + 1] = 0x01;
    block[8 + 3] = 0x02;
    block[48 + 2] = 0x02;
    block[53] = 14;
    TableBlocks::MessageTable table = TableBlocks::decodeMessageBlock(block);
    EXPECT_EQ(table.msgAddress[1], 0);
    EXPECT_EQ(table.msgAddress[2], -1);
    EXPECT_EQ(table.msgAddress[3], 0x010002);
    EXPECT_EQ(table.endAddress, 0x200);
    EXPECT_EQ(table.msgNumber, 14);
}

TEST(TriggerBlock, noTriggerSet_hasCheckWordFFC0) {
    Block block = TableBlocks::triggerBlock({});
    EXPECT_EQ(bytes(block, 0, 126), std::vector<std::uint8_t>(126, 0));
    EXPECT_EQ(block[126], 0xFF);
    EXPECT_EQ(block[127], 0xC0);
}

TEST(TriggerBlock, triggerOneWithMessageOneAndZoneOne_hasCheckWordFFBE) {
    TableBlocks::TriggerTable table;
    table.steps[1] = 1;
    table.zones[1] = true;
    Block block = TableBlocks::triggerBlock(table);
    EXPECT_EQ(bytes(block, 0, 10), (std::vector<std::uint8_t>{0, 1, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(bytes(block, 10, 126), std::vector<std::uint8_t>(116, 0));
    EXPECT_EQ(block[126], 0xFF);
    EXPECT_EQ(block[127], 0xBE);
}

TEST(TriggerBlock, stepsThreeOneAndZonesOneAndSix_giveRecordAtTheTriggersPlace) {
    TableBlocks::TriggerTable table;
    table.steps[4 * 4 + 1] = 3;  // trigger 5
    table.steps[4 * 4 + 2] = 1;
    table.zones[6 * 4 + 1] = true;
    table.zones[6 * 4 + 6] = true;
    Block block = TableBlocks::triggerBlock(table);
    EXPECT_EQ(bytes(block, 40, 50),
              (std::vector<std::uint8_t>{0x00, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x21}));
    EXPECT_EQ(TableBlocks::wordSum(block), 0xFFC0);

    TableBlocks::TriggerTable back = TableBlocks::decodeTriggerBlock(block);
    EXPECT_EQ(back.steps, table.steps);
    EXPECT_EQ(back.zones, table.zones);
}

TEST(StepValue, texts_giveTheirWholeNumberModulo256) {
    EXPECT_EQ(TableBlocks::stepValue(""), 0);
    EXPECT_EQ(TableBlocks::stepValue(" "), 0);
    EXPECT_EQ(TableBlocks::stepValue("12"), 12);
    EXPECT_EQ(TableBlocks::stepValue("2.5"), 2);
    EXPECT_EQ(TableBlocks::stepValue("3.5"), 4);
    EXPECT_EQ(TableBlocks::stepValue("257"), 1);
    EXPECT_EQ(TableBlocks::stepValue("-1"), 255);
    EXPECT_EQ(TableBlocks::stepValue("x"), 0);
}
