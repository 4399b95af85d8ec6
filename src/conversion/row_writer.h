#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace brimwell {

enum class RowKind { Header, Data };

namespace detail {
/// Copies `text` to `out` without its CR and LF characters; returns the end of the copy.
char* copyWithoutLineBreaks(std::string_view text, char* out);
}  // namespace detail

/// A short text of a line (a closing quote and the separator, or a whole empty cell),
/// written any number of times over with one copy of kCopy characters. The fixed size
/// keeps the copy free of branches on the count: a row's runs of empty cells differ from
/// contact to contact, so a loop or a copy of the exact size would be mispredicted.
template <std::size_t kCopy>
class RepeatedText {
public:
    explicit RepeatedText(std::string text) : m_text(std::move(text))
    {
        if (m_text.empty())
            return;
        for (; m_filled + m_text.size() <= kCopy; m_filled += m_text.size())
            std::memcpy(m_copies.data() + m_filled, m_text.data(), m_text.size());
    }
    std::size_t size() const { return m_text.size(); }
    /// Writes the text `count` times at `out`, which has room for count * size() + kCopy
    /// characters, and returns the end. The characters past the end are left undefined.
    char* write(char* out, std::size_t count = 1) const
    {
        const std::size_t length = count * m_text.size();
        if (length <= m_filled) {
            std::memcpy(out, m_copies.data(), kCopy);
            return out + length;
        }
        for (std::size_t i = 0; i < count; ++i)
            out = std::copy(m_text.begin(), m_text.end(), out);
        return out;
    }

private:
    std::string m_text;
    std::array<char, kCopy> m_copies{};  ///< as many whole copies of the text as fit
    std::size_t m_filled = 0;            ///< the characters they take
};

/// Builds one CSV line of the standard layout. Each text is appended, enclosed in double
/// quotes when asked, and followed by the separator; a data text first loses every CR and
/// LF. Nothing is escaped: quotes and separators inside a text stay as they are.
///
///     RowBuilder row(",");
///     row.append("Lee", RowKind::Data, false);
///     row.append("Ann", RowKind::Data, false);
///     row.finish();  // "Lee,Ann"
class RowBuilder {
public:
    explicit RowBuilder(const std::string& separator)
        : m_separatorSize(separator.size()),
          m_endings{RepeatedText<16>(separator), RepeatedText<16>("\"" + separator)},
          m_emptyCells{RepeatedText<kRoomPastEnd>(separator),
                       RepeatedText<kRoomPastEnd>("\"\"" + separator)}
    {}

    /// Drops the line and every ended line.
    void clear() { m_size = m_lineStart = 0; }
    void append(std::string_view text, RowKind kind, bool quotes);
    /// append("", RowKind::Data, quotes), `count` times over.
    void appendEmpty(std::size_t count, bool quotes);
    /// The line with its last separator removed (unless the line is empty).
    std::string_view finish();
    /// Ends the line as finish() does, adds CR LF to it and starts the next line after it,
    /// so that many lines are built one after another in place.
    void endLine();
    /// The lines ended since clear(), each with its CR LF.
    std::string_view endedLines() const { return std::string_view(m_line.data(), m_lineStart); }

private:
    /// What a line keeps free past its end, for the fixed-size copies of RepeatedText.
    static constexpr std::size_t kRoomPastEnd = 128;

    /// Where the next `extra` characters go, once there is room for them and a copy more.
    char* room(std::size_t extra)
    {
        if (m_line.size() < m_size + extra + kRoomPastEnd)
            grow(extra + kRoomPastEnd);
        return m_line.data() + m_size;
    }
    void grow(std::size_t extra);

    std::size_t m_separatorSize;
    /// By whether the text is quoted: what follows a text, and a whole empty cell.
    std::array<RepeatedText<16>, 2> m_endings;
    std::array<RepeatedText<kRoomPastEnd>, 2> m_emptyCells;
    // The ended lines and the line are the first m_size characters, the line from
    // m_lineStart on; the rest is room kept from longer lines, so that appending writes
    // characters in place instead of calling into the string.
    std::string m_line;
    std::size_t m_size = 0;
    std::size_t m_lineStart = 0;
};

// Inline: a combined CSV appends every column of every contact, most of them empty.
inline void RowBuilder::append(std::string_view text, RowKind kind, bool quotes)
{
    const auto& ending = m_endings[quotes];
    char* out = room(text.size() + 1 + ending.size());
    if (quotes)
        *out++ = '"';
    if (kind == RowKind::Data) {
        if (!text.empty())
            out = detail::copyWithoutLineBreaks(text, out);
    } else {
        out = std::copy(text.begin(), text.end(), out);
    }
    m_size = static_cast<std::size_t>(ending.write(out) - m_line.data());
}

inline void RowBuilder::appendEmpty(std::size_t count, bool quotes)
{
    const auto& cell = m_emptyCells[quotes];
    char* out = room(count * cell.size());
    m_size = static_cast<std::size_t>(cell.write(out, count) - m_line.data());
}

}  // namespace brimwell
