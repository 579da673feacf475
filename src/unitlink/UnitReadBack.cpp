#include "unitlink/UnitReadBack.h"

#include <algorithm>
#include <exception>

#include "platform/Platform.h"
#include "unitlink/IConnection.h"
#include "unitlink/ILinkEvents.h"
#include "unitlink/IUploadEvents.h"
#include "unitlink/SerialLink.h"
#include "unitlink/UploadImage.h"

namespace {

constexpr std::uint32_t kBlockWords = TableBlocks::kBlockBytes / 2;
constexpr int kTries = 2;

std::uint32_t littleEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

/// Bytes of a message's stream up to and including its check word.
std::uint64_t streamLength(std::uint64_t fileLength) {
    return (fileLength + 1) / 2 * 2 + 2;
}

}  // namespace

std::optional<std::uint32_t> UnitReadBack::fileLength(const std::vector<std::uint8_t>& stream) {
    if (stream.size() < 12 || stream[0] != 'R' || stream[1] != 'I' || stream[2] != 'F' || stream[3] != 'F')
        return std::nullopt;
    const std::uint64_t length = static_cast<std::uint64_t>(littleEndian32(stream, 4)) + 8;
    if (streamLength(length) > stream.size())
        return std::nullopt;
    return static_cast<std::uint32_t>(length);
}

bool UnitReadBack::checkWordHolds(const std::vector<std::uint8_t>& stream, std::uint32_t fileLength) {
    const std::uint64_t bytes = streamLength(fileLength);
    if (bytes > stream.size())
        return false;
    std::uint16_t sum = 0;
    for (std::uint64_t at = 0; at < bytes; at += 2)
        sum = static_cast<std::uint16_t>(sum + (stream[at] << 8 | stream[at + 1]) + 1);
    return sum == 0;
}

std::vector<std::pair<int, std::int32_t>> UnitReadBack::messageEnds(const TableBlocks::MessageTable& table) {
    std::vector<std::pair<int, std::int32_t>> ends;
    for (int i = 1; i <= TableBlocks::kSlots; ++i) {
        const std::int32_t start = table.msgAddress[i];
        if (start < 0)
            continue;
        std::int32_t end = table.endAddress;
        for (int j = 1; j <= TableBlocks::kSlots; ++j)
            if (table.msgAddress[j] > start)
                end = std::min(end, table.msgAddress[j]);
        ends.emplace_back(i, end);
    }
    return ends;
}

ReadBackOutcome UnitReadBack::read() {
    m_contents = {};
    m_running = true;
    m_stop = false;
    m_reads = 0;
    m_total = 0;
    m_done = 0;
    m_sent = 0;
    m_seconds = 0;
    m_estimate = {};
    m_upload.uploadStarted();
    m_parts.link.clearOutcome();
    // As with the upload, a user who connected first keeps the connection.
    const bool connected = m_parts.platform.serial.portOpen();
    ReadBackOutcome outcome;
    try {
        outcome = run(connected);
    } catch (const std::exception&) {
        outcome = failed(ReadBackOutcome::Step::Tables);
    }
    if (m_stop && !outcome.succeeded())
        outcome = {ReadBackOutcome::Result::Stopped, ReadBackOutcome::Step::None, {}, 0};
    m_running = false;
    if (!connected)
        m_parts.connection.disconnect();
    m_upload.uploadEnded();
    return outcome;
}

ReadBackOutcome UnitReadBack::failed(ReadBackOutcome::Step step, int slot) const {
    return {ReadBackOutcome::Result::Failed, step, m_lastFailure, slot};
}

bool UnitReadBack::lineLost() const {
    return !m_parts.platform.serial.portOpen();
}

ReadBackOutcome UnitReadBack::run(bool connected) {
    using Step = ReadBackOutcome::Step;
    if (!connected) {
        m_parts.connection.connect();
        if (lineLost()) {
            m_lastFailure = {LinkOutcome::Kind::PortNotOpened, m_parts.platform.serial.lastError()};
            return failed(Step::Connect);
        }
    }
    m_parts.link.resetRing();
    if (ReadBackOutcome tables = readTables(); tables.failedStep != Step::None)
        return tables;

    const auto ends = messageEnds(m_contents.messageTable);
    for (const auto& [slot, end] : ends)
        m_total += std::max(0, end - m_contents.messageTable.msgAddress[slot]) * 2;
    m_upload.progressStarted(m_total);
    m_seconds = 1;
    for (const auto& [slot, end] : ends) {
        if (auto failure = readMessage(slot, m_contents.messageTable.msgAddress[slot], end))
            return *failure;
    }
    return {ReadBackOutcome::Result::Done, Step::None, {}, 0};
}

ReadBackOutcome UnitReadBack::readTables() {
    using Step = ReadBackOutcome::Step;
    TableBlocks::Block messages;
    TableBlocks::Block triggers;
    if (!readBlock(TableBlocks::kMsgTabAddress, messages) || !readBlock(TableBlocks::kTrgTabAddress, triggers))
        return failed(Step::Tables);
    m_lastFailure = {};
    if (TableBlocks::blank(messages))
        return failed(Step::NoSet);
    // A table that does not sum as the upload wrote it would send the read to addresses that hold no message.
    if (TableBlocks::wordSum(messages) != TableBlocks::kBlockSum)
        return failed(Step::Tables);
    m_contents.messageTable = TableBlocks::decodeMessageBlock(messages);
    const TableBlocks::MessageTable& table = m_contents.messageTable;
    if (table.endAddress < 0 || static_cast<std::uint32_t>(table.endAddress) > TableBlocks::kMsgTabAddress)
        return failed(Step::Tables);
    // An erased trigger table (a unit whose upload stopped before it) gives no trigger anything to play.
    if (!TableBlocks::blank(triggers)) {
        if (TableBlocks::wordSum(triggers) != TableBlocks::kBlockSum)
            return failed(Step::Tables);
        m_contents.triggerTable = TableBlocks::decodeTriggerBlock(triggers);
    }
    return {ReadBackOutcome::Result::Done, Step::None, {}, 0};
}

std::optional<ReadBackOutcome> UnitReadBack::readMessage(int slot, std::int32_t start, std::int32_t end) {
    m_events.statusChanged({StatusEvent::Kind::ReadingBack, std::to_string(slot)});
    const std::int32_t spanBytes = std::max(0, end - start) * 2;
    std::vector<std::uint8_t> stream;
    // Until the header has come, the whole place of the message is what there is to read.
    std::uint64_t wanted = static_cast<std::uint64_t>(spanBytes);
    std::optional<std::uint32_t> length;
    while (stream.size() < wanted) {
        TableBlocks::Block block;
        const auto address = static_cast<std::uint32_t>(start) + static_cast<std::uint32_t>(stream.size() / 2);
        if (m_stop || !readBlock(address, block))
            return failed(ReadBackOutcome::Step::Message, slot);
        stream.insert(stream.end(), block.begin(), block.end());
        m_sent = m_done + static_cast<std::int32_t>(std::min<std::size_t>(stream.size(), spanBytes));
        m_upload.progress(m_sent);
        if (!length) {
            std::vector<std::uint8_t> span(stream.begin(),
                                           stream.begin() + std::min<std::ptrdiff_t>(stream.size(), spanBytes));
            span.resize(static_cast<std::size_t>(spanBytes), 0xFF);
            length = fileLength(span);
            // A header that does not fit the message's place: nothing of it can be trusted.
            if (!length)
                break;
            wanted = streamLength(*length);
        }
    }
    m_done += spanBytes;
    m_sent = m_done;
    m_upload.progress(m_sent);
    RecoveredMessage message;
    message.slot = slot;
    if (length) {
        message.checkWordGood = checkWordHolds(stream, *length);
        message.file.assign(stream.begin(), stream.begin() + *length);
    }
    m_contents.messages.push_back(std::move(message));
    return std::nullopt;
}

bool UnitReadBack::readBlock(std::uint32_t address, TableBlocks::Block& block) {
    SerialLink& link = m_parts.link;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        if (lineLost()) {
            // A time-out closed the port: the second try opens it again.
            m_parts.connection.connect();
            if (lineLost())
                return false;
        }
        link.clearOutcome();
        ++m_reads;
        if (m_parts.image.readBlock(address, block))
            return true;
        m_lastFailure = link.lastOutcome();
        if (m_lastFailure.ok())
            m_lastFailure = {LinkOutcome::Kind::InvalidReply, {}};
        if (m_stop)
            return false;
        link.resetRing();
    }
    return false;
}

void UnitReadBack::ProgressStep() {
    ++m_seconds;
    m_estimate.update(m_sent, m_total, m_seconds);
    if (m_total > 0)
        m_upload.progressTime(m_estimate.percent, m_estimate.remainingSeconds);
}
