#include "unitlink/UploadImage.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "editor/Formats.h"
#include "editor/StoredSize.h"
#include "platform/Platform.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/FrameCodec.h"
#include "unitlink/ILinkEvents.h"
#include "unitlink/IUploadEvents.h"
#include "unitlink/SerialLink.h"
#include "unitlink/WaveFrames.h"

namespace {

using Kind = StatusEvent::Kind;

std::optional<std::vector<std::uint8_t>> readWhole(const IFileSystem& fs, const std::string& path) {
    auto source = fs.openRead(path);
    if (!source || source->size() > kMaxFileLength)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(source->size()));
    std::size_t got = 0;
    while (got < bytes.size()) {
        std::size_t n = source->read(bytes.data() + got, bytes.size() - got);
        if (n == 0)
            return std::nullopt;
        got += n;
    }
    return bytes;
}

std::int32_t clampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

void UploadImage::writeDataFrame(std::int32_t address, const std::uint8_t* data, int count) {
    link().writeFrame(
        FrameCodec::dataFrame(static_cast<std::uint32_t>(address), data, static_cast<std::size_t>(count)));
}

void UploadImage::sendEndFrame() {
    link().writeFrame(FrameCodec::endFrame());
}

bool UploadImage::openWriteSequence() {
    SerialLink& l = link();
    if (l.CommandDo(SerialLink::kUnit, 'W'))
        return true;
    // A refused "W" opened nothing; a garbled acknowledgement may hide a sequence the unit did open.
    if (l.Status != SerialLink::kNak)
        closeWriteSequence();
    return false;
}

void UploadImage::closeWriteSequence() {
    SerialLink& l = link();
    if (!m_platform.serial.portOpen())
        return;
    const std::uint8_t status = l.Status;
    sendEndFrame();
    l.CommandRead(SerialLink::kUnit, 'W');
    l.Status = status;
}

void UploadImage::countAccepted() {
    BytesSent = std::min(BytesSent + WaveFrames::kFrameBytes, m_set.TFileLength);
    m_upload.progress(BytesSent);
    WriteAddress += kFrameWords;
}

std::optional<std::vector<std::uint8_t>> UploadImage::readMessageFile(int i) const {
    return readWhole(m_platform.fs, Formats::trimmed(m_set.FilePath[i]));
}

bool UploadImage::WriteMsgData(int i) {
    SerialLink& l = link();
    auto file = readMessageFile(i);
    if (!file) {
        m_events.statusChanged({Kind::UploadFailed, {}});
        return false;
    }
    m_upload.messageStored(i, storedSize(static_cast<std::uint32_t>(file->size())));

    if (!openWriteSequence()) {
        m_events.statusChanged({Kind::UploadFailed, {}});
        return false;
    }
    WaveFrames frames(std::move(*file));
    int tries = kTries;
    bool cutShort = false;
    while (!frames.placed() && tries > 0) {
        const WaveFrames::Frame data = frames.next();
        writeDataFrame(WriteAddress, data.data(), WaveFrames::kFrameBytes);
        l.Status = l.CommandRead(SerialLink::kUnit, 'W');
        if (l.Status == SerialLink::kAck) {
            tries = kTries;
            countAccepted();
        } else if (l.Status == SerialLink::kNak) {
            --tries;
            frames.repeat();
        } else if (!m_platform.serial.portOpen()) {
            // The read timed out and closed the link: no further frame can reach the unit.
            cutShort = true;
            break;
        } else {
            // The unit answered out of turn: the file ends here, its check word in the next frame.
            frames.endEarly();
            cutShort = true;
        }
        if (m_stop)
            return false;
    }
    if (l.Status == SerialLink::kAck) {
        sendEndFrame();
        l.Status = l.CommandRead(SerialLink::kUnit, 'W');
        // A file cut short is not the message the user chose, however the unit took the rest of it.
        if (l.Status == SerialLink::kAck && !cutShort) {
            m_events.statusChanged({Kind::UploadDone, {}});
            return true;
        }
    } else {
        closeWriteSequence();
    }
    m_events.statusChanged({Kind::UploadFailed, {}});
    return false;
}

TableBlocks::MessageTable UploadImage::messageTable() const {
    TableBlocks::MessageTable table;
    table.msgAddress = MsgAddress;
    table.endAddress = EndAddress;
    table.msgNumber = MsgNumber;
    return table;
}

TableBlocks::TriggerTable UploadImage::triggerTable() const {
    TableBlocks::TriggerTable table;
    table.steps = m_set.TRG1;
    table.zones = m_set.Check1;
    return table;
}

void UploadImage::writeTable(const TableBlocks::Block& block) {
    SerialLink& l = link();
    l.Status = SerialLink::kNak;
    int tries = kTries;
    while (l.Status == SerialLink::kNak && tries >= 1) {
        writeDataFrame(WriteAddress, block.data(), TableBlocks::kBlockBytes);
        l.Status = l.CommandRead(SerialLink::kUnit, 'W');
        if (l.Status == SerialLink::kNak)
            --tries;
    }
}

void UploadImage::WriteMsgTab() {
    writeTable(TableBlocks::messageBlock(messageTable()));
}

void UploadImage::WriteTrgTab() {
    writeTable(TableBlocks::triggerBlock(triggerTable()));
}

bool UploadImage::readBlock(std::uint32_t address, TableBlocks::Block& block) {
    SerialLink& l = link();
    l.PayloadData[1] = static_cast<std::uint8_t>(address >> 16);
    l.PayloadData[2] = static_cast<std::uint8_t>(address >> 8);
    l.PayloadData[3] = static_cast<std::uint8_t>(address);
    l.PayloadLength = 3;
    l.Status = 0;
    l.CommandWrite(SerialLink::kUnit, 'R');
    l.Status = l.CommandRead(SerialLink::kUnit, 'R');
    // A shorter reply would leave part of the block to whatever the buffer held before.
    if (l.Status != SerialLink::kAck || l.PayloadLength < TableBlocks::kBlockBytes)
        return false;
    std::copy_n(l.PayloadData.begin() + 1, TableBlocks::kBlockBytes, block.begin());
    return true;
}

void UploadImage::takeMessageTable(const TableBlocks::Block& block) {
    const TableBlocks::MessageTable table = TableBlocks::decodeMessageBlock(block);
    MsgAddress = table.msgAddress;
    EndAddress = table.endAddress;
    MsgNumber = table.msgNumber;
}

bool UploadImage::ReadMsgTab() {
    link().resetRing();
    TableBlocks::Block block;
    if (!readBlock(TableBlocks::kMsgTabAddress, block)) {
        m_events.statusChanged({Kind::ReadFailed, {}});
        return false;
    }
    MsgTabBlank = TableBlocks::blank(block);
    if (MsgTabBlank) {
        // An erased unit holds no messages: no entry, no count, nothing written yet.
        MsgAddress.fill(-1);
        EndAddress = 0;
        MsgNumber = 0;
    } else {
        takeMessageTable(block);
    }
    WriteAddress = EndAddress;
    MsgNumber = std::min<std::uint8_t>(MsgNumber, kSlots);
    // The unit keeps no sizes: they follow from where each message starts, the messages lying in slots 1
    // to `MsgNumber` in order.
    UnitMsgSize.fill(0);
    for (int i = 1; i < MsgNumber; ++i)
        UnitMsgSize[i] = clampToInt32((static_cast<std::int64_t>(MsgAddress[i + 1]) - MsgAddress[i]) * 2);
    if (MsgNumber > 0)
        UnitMsgSize[MsgNumber] = clampToInt32((static_cast<std::int64_t>(EndAddress) - MsgAddress[MsgNumber]) * 2);
    return true;
}

bool UploadImage::WriteTrgMsgTab() {
    SerialLink& l = link();
    l.resetRing();
    m_erase.EraseData(static_cast<std::int32_t>(TableBlocks::kTrgTabAddress));
    if (l.Status != SerialLink::kAck)
        return false;
    return rewriteTables();
}

bool UploadImage::rewriteTables() {
    SerialLink& l = link();
    if (!openWriteSequence())
        return false;
    WriteAddress = static_cast<std::int32_t>(TableBlocks::kMsgTabAddress);
    WriteMsgTab();
    WriteAddress = static_cast<std::int32_t>(TableBlocks::kTrgTabAddress);
    if (l.Status == SerialLink::kAck)
        WriteTrgTab();
    if (l.Status != SerialLink::kAck) {
        // A refused table is no success, but the write sequence is closed all the same.
        closeWriteSequence();
        return false;
    }
    sendEndFrame();
    l.Status = l.CommandRead(SerialLink::kUnit, 'W');
    if (l.Status != SerialLink::kAck)
        return false;
    return l.CommandDo(SerialLink::kUnit, 'L');
}
