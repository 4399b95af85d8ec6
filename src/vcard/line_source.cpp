#include "vcard/line_source.h"

#include <algorithm>
#include <cstring>

#include "vcard/byte_scan.h"

namespace brimwell::vcard {

LineSource::LineSource(std::istream& in, std::size_t blockSize, std::uintmax_t byteLimit)
    : m_in(in), m_blockSize(blockSize < 4 ? 4 : blockSize), m_bytesLeft(byteLimit)
{}

std::size_t LineSource::read(char* into)
{
    const auto wanted =
        static_cast<std::streamsize>(std::min<std::uintmax_t>(m_blockSize, m_bytesLeft));
    m_in.read(into, wanted);
    const auto got = static_cast<std::size_t>(m_in.gcount());
    m_bytesLeft -= got;
    return got;
}

bool LineSource::fill()
{
    if (m_ended)
        return false;
    if (m_position > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_position, m_end - m_position);
        m_end -= m_position;
        m_next -= m_position;
        m_position = 0;
    }
    std::size_t got = 0;
    if (m_transcoder || !m_started) {
        m_block.resize(m_blockSize);
        got = read(m_block.data());
        m_block.resize(got);
        if (!m_started) {
            m_started = true;
            detectMark();
        }
        m_buffer.resize(m_end);
        if (m_transcoder)
            m_transcoder->transcode(m_block, got < m_blockSize, m_buffer);
        else
            m_buffer.append(m_block);
        m_end = m_buffer.size();
    } else {
        // The buffer only grows, so its bytes past the text are never filled in vain.
        if (m_buffer.size() < m_end + m_blockSize)
            m_buffer.resize(m_end + m_blockSize);
        got = read(m_buffer.data() + m_end);
        m_end += got;
    }
    m_ended = got < m_blockSize;
    return true;
}

void LineSource::detectMark()
{
    // A block holds at least four bytes, so only a file shorter than that can cut a mark.
    const std::string_view head(m_block);
    struct Mark {
        std::string_view bytes;
        const char* encoding;
    };
    static constexpr Mark kMarks[] = {
        {{"\xFF\xFE\0\0", 4}, "UTF-32LE"}, {{"\0\0\xFE\xFF", 4}, "UTF-32BE"},
        {"\xFF\xFE", "UTF-16LE"},          {"\xFE\xFF", "UTF-16BE"},
        {"\xEF\xBB\xBF", nullptr},
    };
    for (const Mark& mark : kMarks) {
        if (head.starts_with(mark.bytes)) {
            m_block.erase(0, mark.bytes.size());
            if (mark.encoding != nullptr)
                m_transcoder = std::make_unique<Utf8Transcoder>(mark.encoding);
            return;
        }
    }
}

bool LineSource::findLine()
{
    std::size_t searched = m_position;
    for (;;) {
        const std::string_view text(m_buffer.data(), m_end);
        const std::size_t at = findFirstOf<'\n', '\r'>(text, searched);
        const char* end = text.data() + m_end;
        const char* p = text.data() + at;
        // A CR needs two more bytes to know whether CR LF or CR CR LF ends the line.
        if (p < end && (*p == '\n' || m_ended || end - p >= 3)) {
            std::size_t endLength = 1;
            if (*p == '\r' && p + 1 < end && p[1] == '\n')
                endLength = 2;
            else if (*p == '\r' && p + 2 < end && p[1] == '\r' && p[2] == '\n')
                endLength = 3;
            m_lineLength = at - m_position;
            m_next = at + endLength;
            break;
        }
        if (m_ended && p == end) {
            if (m_position == m_end)
                return false;
            m_lineLength = m_end - m_position;
            m_next = m_end;
            break;
        }
        const std::size_t offset = at - m_position;
        fill();
        searched = m_position + offset;
    }
    m_hasLine = true;
    return true;
}

}  // namespace brimwell::vcard
