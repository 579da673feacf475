#pragma once

#include <cstdint>
#include <vector>

class UploadImage;

/// Whether the unit holds the set's wave files where its message table (read into the image) says they
/// start: for each filled slot, the first 128 bytes of the message and the 128 bytes that end with its check
/// word are read back with "R" and compared with what the upload would write there. The check word sums every
/// word of the file, so a file changed anywhere shows, whatever its length. A refused or failed read is a
/// doubt, and a doubt means the unit does not hold the set.
class UnitContentCheck {
public:
    explicit UnitContentCheck(UploadImage& image) : m_image(image) {}

    /// False at the first slot that differs or leaves a doubt; `slot()` names it then.
    bool unitHoldsSet();
    int slot() const { return m_slot; }
    /// Reads made by the last check.
    int reads() const { return m_reads; }

    /// Byte offsets in a message's stored image of the two blocks compared: its start, and the 128 bytes that
    /// end with the check word (the same block for a short file).
    static std::vector<std::uint32_t> blockOffsets(std::uint32_t fileLength);

private:
    bool slotMatches(int i);

    UploadImage& m_image;
    int m_slot = 0;
    int m_reads = 0;
};
