#include "conversion/row_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace brimwell {

namespace detail {

char* copyWithoutLineBreaks(std::string_view text, char* out)
{
    // Eight characters at a time while none of them is a line break, as in most values.
    // A word has a zero byte exactly when (word - 0x01..01) & ~word & 0x80..80 is not zero.
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    const auto holdsLineBreak = [](const char* eight) {
        std::uint64_t word;
        std::memcpy(&word, eight, 8);
        const std::uint64_t cr = word ^ (kOnes * '\r');
        const std::uint64_t lf = word ^ (kOnes * '\n');
        return (((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighBits;
    };
    const char* in = text.data();
    const char* const end = in + text.size();
    if (text.size() >= 8) {
        for (; end - in >= 8 && !holdsLineBreak(in); in += 8, out += 8)
            std::memcpy(out, in, 8);
        // Fewer than eight left: the last eight characters, some of them copied already.
        const auto left = end - in;
        if (left < 8 && !holdsLineBreak(end - 8)) {
            std::memcpy(out + left - 8, end - 8, 8);
            return out + left;
        }
    }
    // From the first eight that hold a line break on: each character is written, but only
    // one that is not CR or LF moves the end on.
    for (; in != end; ++in) {
        *out = *in;
        out += *in != '\r' && *in != '\n';
    }
    return out;
}

}  // namespace detail

void RowBuilder::grow(std::size_t extra)
{
    m_line.resize(std::max(2 * m_line.size(), m_size + extra));
}

std::string_view RowBuilder::finish()
{
    if (m_size != m_lineStart)
        m_size -= m_separatorSize;
    return std::string_view(m_line.data() + m_lineStart, m_size - m_lineStart);
}

void RowBuilder::endLine()
{
    finish();
    char* out = room(2);
    *out++ = '\r';
    *out++ = '\n';
    m_size = m_lineStart = static_cast<std::size_t>(out - m_line.data());
}

}  // namespace brimwell
