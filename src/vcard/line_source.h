#pragma once

#include <cstdint>
#include <istream>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "vcard/charset.h"

// Bytes to lines: reads a stream block by block, drops a UTF-8 byte-order mark, turns a
// UTF-16 or UTF-32 file (by its mark) into UTF-8, and cuts the text at every line end:
// CR LF, LF, CR alone and CR CR LF.

namespace brimwell::vcard {

class LineSource {
public:
    /// Reads `in` `blockSize` bytes at a time (at least four), and no more than `byteLimit`
    /// bytes in all.
    explicit LineSource(std::istream& in, std::size_t blockSize = 64 * 1024,
                        std::uintmax_t byteLimit = std::numeric_limits<std::uintmax_t>::max());

    /// The current line without its line end, valid until advance(); false at the end.
    bool peek(std::string_view& line)
    {
        if (!m_hasLine && !findLine())
            return false;
        line = std::string_view(m_buffer.data() + m_position, m_lineLength);
        return true;
    }

    void advance()
    {
        m_position = m_next;
        m_hasLine = false;
    }

    /// The first byte of the line after advance(), when it is in the buffer already: until
    /// the next peek() the line before stays valid.
    bool bufferedByte(char& byte) const
    {
        if (m_hasLine || m_position >= m_end)
            return false;
        byte = m_buffer[m_position];
        return true;
    }

private:
    /// Finds the end of the line at m_position, reading on as far as it takes; false at the
    /// end of the text.
    bool findLine();
    bool fill();
    /// Reads up to a block into `into`, within the limit; returns how many bytes it read.
    std::size_t read(char* into);
    void detectMark();

    std::istream& m_in;
    std::size_t m_blockSize;
    std::uintmax_t m_bytesLeft;
    std::string m_buffer;  ///< text (UTF-8 when transcoded) not yet cut into lines, up to m_end
    std::size_t m_end = 0;
    std::size_t m_position = 0;
    std::string m_block;  ///< the raw bytes of a block to transcode or to look at for a mark
    bool m_started = false;
    bool m_ended = false;  ///< the stream is exhausted and the buffer holds the rest
    bool m_hasLine = false;
    std::size_t m_lineLength = 0;
    std::size_t m_next = 0;  ///< where the line after the current one starts
    std::unique_ptr<Utf8Transcoder> m_transcoder;
};

}  // namespace brimwell::vcard
