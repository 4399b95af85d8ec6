#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace brimwell {

enum class RowKind { Header, Data };

namespace detail {
/// Copies `text` to `out` without its CR and LF characters; returns the end of the copy.
char* copyWithoutLineBreaks(std::string_view text, char* out);
}  // namespace detail

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
    explicit RowBuilder(std::string separator) : m_separator(std::move(separator)) {}

    void clear() { m_size = 0; }
    void append(std::string_view text, RowKind kind, bool quotes);
    /// append("", RowKind::Data, quotes), `count` times over.
    void appendEmpty(std::size_t count, bool quotes);
    /// The line with its last separator removed (unless the line is empty).
    std::string_view finish();

private:
    /// Where the next `extra` characters go, once there is room for them.
    char* room(std::size_t extra)
    {
        if (m_line.size() < m_size + extra)
            grow(extra);
        return m_line.data() + m_size;
    }
    void grow(std::size_t extra);

    std::string m_separator;
    // The line is the first m_size characters; the rest is room kept from longer lines, so
    // that appending writes characters in place instead of calling into the string.
    std::string m_line;
    std::size_t m_size = 0;
};

// Inline: a combined CSV appends every column of every contact, most of them empty.
inline void RowBuilder::append(std::string_view text, RowKind kind, bool quotes)
{
    char* out = room(text.size() + 2 + m_separator.size());
    if (quotes)
        *out++ = '"';
    if (kind == RowKind::Data) {
        if (!text.empty())
            out = detail::copyWithoutLineBreaks(text, out);
    } else {
        for (const char c : text)
            *out++ = c;
    }
    if (quotes)
        *out++ = '"';
    for (const char c : m_separator)
        *out++ = c;
    m_size = static_cast<std::size_t>(out - m_line.data());
}

inline void RowBuilder::appendEmpty(std::size_t count, bool quotes)
{
    char* out = room(count * (2 + m_separator.size()));
    for (std::size_t i = 0; i < count; ++i) {
        if (quotes) {
            *out++ = '"';
            *out++ = '"';
        }
        for (const char c : m_separator)
            *out++ = c;
    }
    m_size = static_cast<std::size_t>(out - m_line.data());
}

}  // namespace brimwell
