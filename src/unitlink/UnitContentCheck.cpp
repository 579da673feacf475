#include "unitlink/UnitContentCheck.h"

#include <algorithm>

#include "unitlink/TableBlocks.h"
#include "unitlink/UploadImage.h"
#include "unitlink/WaveFrames.h"

std::vector<std::uint32_t> UnitContentCheck::blockOffsets(std::uint32_t fileLength) {
    // The check word follows the file and its pad byte.
    const std::uint32_t checkEnd = (fileLength + 1) / 2 * 2 + 2;
    const std::uint32_t last = checkEnd > TableBlocks::kBlockBytes ? checkEnd - TableBlocks::kBlockBytes : 0;
    if (last == 0)
        return {0};
    return {0, last};
}

bool UnitContentCheck::unitHoldsSet() {
    m_slot = 0;
    m_reads = 0;
    for (int i = 1; i <= TableBlocks::kSlots; ++i) {
        if (m_image.messageSet().WaveFile[i].empty())
            continue;
        if (!slotMatches(i)) {
            m_slot = i;
            return false;
        }
    }
    return true;
}

bool UnitContentCheck::slotMatches(int i) {
    const std::int32_t start = m_image.MsgAddress[i];
    auto file = m_image.readMessageFile(i);
    if (start < 0 || !file)
        return false;
    const auto length = static_cast<std::uint32_t>(file->size());
    std::vector<std::uint8_t> stored;
    for (const WaveFrames::Frame& frame : WaveFrames::all(std::move(*file)))
        stored.insert(stored.end(), frame.begin(), frame.end());
    for (std::uint32_t offset : blockOffsets(length)) {
        TableBlocks::Block block;
        ++m_reads;
        if (!m_image.readBlock(static_cast<std::uint32_t>(start) + offset / 2, block))
            return false;
        if (!std::equal(block.begin(), block.end(), stored.begin() + offset))
            return false;
    }
    return true;
}
