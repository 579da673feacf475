#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "unitlink/ProgressEstimate.h"
#include "unitlink/ReadBackOutcome.h"

class IConnection;
class ILinkEvents;
class IUploadEvents;
class SerialLink;
class UploadImage;
struct Platform;

/// Reads a unit back: its message table and trigger table, then for each filled slot its words from its start
/// address with "R", 128 bytes at a time, up to the check word that closes the file its RIFF header
/// announces. Each file is recovered as the upload read it from the disk (the pad byte, the check word and
/// the fill are not part of it) and its check word checked. A refused or unanswered read is made once more
/// (after opening the port again when a time-out closed it); a second failure ends the read with the
/// messages recovered so far kept. The window is held as during an upload, the progress reported the same
/// way; nothing is shown or written here.
class UnitReadBack {
public:
    struct Parts {
        Platform& platform;
        SerialLink& link;
        UploadImage& image;
        IConnection& connection;
    };
    UnitReadBack(const Parts& parts, ILinkEvents& events, IUploadEvents& upload)
        : m_parts(parts), m_events(events), m_upload(upload) {}
    UnitReadBack(const UnitReadBack&) = delete;
    UnitReadBack& operator=(const UnitReadBack&) = delete;

    /// The whole read, from holding the window to giving it back; what came back is in `contents()`.
    ReadBackOutcome read();
    const UnitContents& contents() const { return m_contents; }
    /// One clock tick: percentage and remaining time reported.
    void ProgressStep();
    /// Ends the read after the exchange under way.
    void requestStop() { m_stop = m_running; }
    bool running() const { return m_running; }
    /// "R" exchanges made by the last read.
    int reads() const { return m_reads; }

    /// The WAVE file at the start of a message's stream: the length its RIFF header gives (plus the 8 bytes
    /// before it), when the file, its pad byte and the check word fit into `stream`.
    static std::optional<std::uint32_t> fileLength(const std::vector<std::uint8_t>& stream);
    /// The sum of w + 1 over the words of the file, its pad byte and the check word is a multiple of 65536.
    static bool checkWordHolds(const std::vector<std::uint8_t>& stream, std::uint32_t fileLength);
    /// Where each filled slot's message ends: the next start address above its own, or the end address.
    static std::vector<std::pair<int, std::int32_t>> messageEnds(const TableBlocks::MessageTable& table);

private:
    ReadBackOutcome run(bool connected);
    ReadBackOutcome readTables();
    std::optional<ReadBackOutcome> readMessage(int slot, std::int32_t start, std::int32_t end);
    /// A block read with "R", made once more after a refusal or a time-out.
    bool readBlock(std::uint32_t address, TableBlocks::Block& block);
    ReadBackOutcome failed(ReadBackOutcome::Step step, int slot = 0) const;
    bool lineLost() const;

    Parts m_parts;
    ILinkEvents& m_events;
    IUploadEvents& m_upload;
    UnitContents m_contents;
    bool m_running = false;
    bool m_stop = false;
    int m_reads = 0;
    LinkOutcome m_lastFailure;
    std::int32_t m_total = 0;
    /// Bytes of the messages finished, and of those and the one being read.
    std::int32_t m_done = 0;
    std::int32_t m_sent = 0;
    std::int32_t m_seconds = 0;
    ProgressEstimate m_estimate;
};
