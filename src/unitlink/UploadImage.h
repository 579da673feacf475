#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "editor/MessageSet.h"
#include "unitlink/TableBlocks.h"

class EraseOperation;
class ILinkEvents;
class IUploadEvents;
class SerialLink;
struct Platform;

/// What the unit's memory holds after an upload and how each piece gets there: the wave files streamed in
/// acknowledged data frames from word 0, the message table and the trigger table, the message table read
/// back, and the configuration-only rewrite of both tables. Results of the exchanges are left in the link's
/// `Status`; status reports go to the link's events, the bytes accepted to the upload's.
class UploadImage {
public:
    static constexpr int kSlots = 12;
    static constexpr std::int32_t kFrameWords = 175;
    static constexpr int kTries = 5;

    UploadImage(Platform& platform, SerialLink& link, EraseOperation& erase, ILinkEvents& events, IUploadEvents& upload)
        : m_platform(platform), m_link(link), m_erase(erase), m_events(events), m_upload(upload) {}

    /// Asks the writes to end after the frame being answered, sending nothing more; `clearStop` before the next.
    void requestStop() { m_stop = true; }
    void clearStop() { m_stop = false; }
    bool stopRequested() const { return m_stop; }

    /// The set the next writes take their files, sizes and trigger table from.
    void setMessageSet(MessageSet set) { m_set = std::move(set); }
    const MessageSet& messageSet() const { return m_set; }

    /// Streams slot `i`'s wave file into the data area at `WriteAddress`, which grows by 175 for every
    /// accepted frame; the slot's stored size is reported. A stop ends it after the frame being answered, with
    /// no end frame and no status report.
    bool WriteMsgData(int i);
    /// The message table block to `WriteAddress` (the caller sets 0x3FF000), up to five tries on NAK.
    void WriteMsgTab();
    /// The trigger table block to `WriteAddress` (the caller sets 0x3FF100), up to five tries on NAK.
    void WriteTrgTab();
    /// Reads the message table block and derives `MsgAddress`, `EndAddress`, `MsgNumber`, `UnitMsgSize`; a
    /// blank block (an erased unit) gives no messages.
    bool ReadMsgTab();
    /// The configuration-only upload: erases the table area and rewrites both tables, then "L".
    bool WriteTrgMsgTab();
    /// What follows the erase of the table area in both uploads: "W", both tables, the end frame and "L"; true
    /// when all were accepted.
    bool rewriteTables();

    /// The frame closing a write sequence: 2A 00 00, checksum, CR LF. The reply is the caller's to read.
    void sendEndFrame();
    /// "W"; on failure, the write sequence is closed unless the unit refused it.
    bool openWriteSequence();
    /// After a failure inside a write sequence, while the unit still listens: the end frame, so that the unit
    /// is not left waiting inside the sequence. Its reply is read and dropped; `Status` keeps the failure.
    void closeWriteSequence();
    /// Takes a message table block read from the unit into `MsgAddress`, `EndAddress` and `MsgNumber`.
    void takeMessageTable(const TableBlocks::Block& block);
    /// The tables as the image and its set hold them now.
    TableBlocks::MessageTable messageTable() const;
    TableBlocks::TriggerTable triggerTable() const;
    /// Slot `i`'s wave file as it lies on disk; nothing when it cannot be read whole or is too long.
    std::optional<std::vector<std::uint8_t>> readMessageFile(int i) const;
    /// Reads a 128-byte block at a word address; false unless a data reply of a whole block came.
    bool readBlock(std::uint32_t address, TableBlocks::Block& block);

    std::int32_t WriteAddress = 0;
    std::int32_t EndAddress = 0;
    std::array<std::int32_t, kSlots + 1> MsgAddress{};
    std::array<std::int32_t, kSlots + 1> UnitMsgSize{};
    std::uint8_t MsgNumber = 0;
    std::int32_t BytesSent = 0;
    /// The message table last read back was blank: an erased unit, which holds no set to keep.
    bool MsgTabBlank = false;

private:
    /// One data frame: 2A, length, the word address, the data, checksum, CR LF.
    void writeDataFrame(std::int32_t address, const std::uint8_t* data, int count);
    void writeTable(const TableBlocks::Block& block);
    void countAccepted();
    SerialLink& link() { return m_link; }

    Platform& m_platform;
    SerialLink& m_link;
    EraseOperation& m_erase;
    ILinkEvents& m_events;
    IUploadEvents& m_upload;
    MessageSet m_set;
    bool m_stop = false;
};
