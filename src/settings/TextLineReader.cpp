#include "settings/TextLineReader.h"

#include "platform/IFileSystem.h"

namespace {

constexpr std::size_t kBlock = 64 * 1024;

}  // namespace

TextLineReader::TextLineReader(IByteSource& source, std::size_t maxLength)
    : m_source(source), m_maxLength(maxLength), m_size(source.size()), m_buffer(kBlock) {}

bool TextLineReader::fill() {
    if (m_eof)
        return false;
    m_pos = 0;
    m_end = m_source.read(m_buffer.data(), m_buffer.size());
    m_total += m_end;
    if (m_end == 0)
        m_eof = true;
    return m_end > 0;
}

std::optional<std::string> TextLineReader::next() {
    if (m_tooLong)
        return std::nullopt;
    if (m_pos == m_end && !fill())
        return std::nullopt;
    std::string line;
    for (;;) {
        if (m_pos == m_end && !fill())
            return line;  // the last line, without a line end
        const std::uint8_t c = m_buffer[m_pos++];
        if (c == '\n')
            return line;
        if (c == '\r') {
            // The LF of a CR LF may lie in the next block.
            if (m_pos < m_end || fill()) {
                if (m_buffer[m_pos] == '\n')
                    ++m_pos;
            }
            return line;
        }
        if (line.size() == m_maxLength) {
            m_tooLong = true;
            return std::nullopt;
        }
        line += static_cast<char>(c);
    }
}
