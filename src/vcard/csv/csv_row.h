#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brimwell::vcard::csv {

/// How cells are written: RFC 4180 quoting with a chosen separator.
struct CsvStyle {
    std::string separator = ",";      ///< never empty: ",", ";", "\t", ", ", ...
    bool quoteAll = false;            ///< enclose every cell, not only those that need it
    bool lineBreaksAsSpaces = false;  ///< a line break inside a value becomes one space
};

/// Builds CSV lines in a buffer that is kept and reused, so that writing a row allocates
/// nothing once the buffer has grown. A cell holding the separator, a double quote, CR or
/// LF is enclosed in double quotes and its quotes are doubled; a line break inside a value
/// (LF, CR LF or CR) is written as CR LF, or as one space when the style asks for it.
/// Every line ends in CR LF.
///
///     CsvRow row(style);
///     row.cell("Lee, Ann");        // "Lee, Ann"
///     row.begin(); row.append("* "); row.append("Home"); row.end();
///     row.endLine();
///     sink(row.text()); row.clear();
class CsvRow {
public:
    explicit CsvRow(const CsvStyle& style);

    void cell(std::string_view value)
    {
        begin();
        append(value);
        end();
    }
    void emptyCells(std::size_t count);
    /// `count` cells as a row of the same style wrote them (`written`): they begin with the
    /// separator when `separated`, that is when they were not the first cells of that row,
    /// and then they are not the first cells of this one either.
    void writtenCells(std::string_view written, std::size_t count, bool separated);
    /// One cell with `values` joined by `separator`.
    void joined(const std::vector<std::string>& values, std::string_view separator);

    /// A cell written in pieces: begin(), any number of append(), end().
    void begin()
    {
        char* out = room(m_style.separator.size());
        if (m_cells != 0)
            out = copy(m_style.separator, out);
        m_size = std::size_t(out - m_data.get());
        m_cellStart = m_size;
        m_needsQuotes = false;
        m_afterCr = false;
    }
    void append(std::string_view piece)
    {
        // Copy first and look at what was copied; the rare piece with a quote, a line break
        // or a separator character is then written again the careful way.
        char* const start = room(2 * piece.size());
        char* out = start;
        bool special = false;
        for (const char c : piece) {
            *out++ = c;
            special |= m_special[static_cast<unsigned char>(c)];
        }
        if (special) {
            appendSpecial(piece);
            return;
        }
        m_size = std::size_t(out - m_data.get());
        m_afterCr = m_afterCr && piece.empty();
    }
    void append(char c) { append(std::string_view(&c, 1)); }
    void appendNumber(unsigned value);
    void end()
    {
        if (m_style.quoteAll || m_needsQuotes || m_longSeparator)
            quoteIfNeeded();
        ++m_cells;
    }

    void endLine();
    /// Cells written since the last endLine().
    std::size_t cellCount() const { return m_cells; }

    /// The lines written since the last clear().
    std::string_view text() const { return {m_data.get(), m_size}; }
    /// Drops the text, a line not yet ended included.
    void clear()
    {
        m_size = 0;
        m_cells = 0;
    }

private:
    /// The end of the text, with room for `extra` more bytes and two quotes after them.
    char* room(std::size_t extra)
    {
        if (m_capacity - m_size < extra + 2)
            grow(extra + 2);
        return m_data.get() + m_size;
    }
    static char* copy(std::string_view text, char* out)
    {
        for (const char c : text)
            *out++ = c;
        return out;
    }
    void grow(std::size_t extra);
    void appendSpecial(std::string_view piece);
    void quoteIfNeeded();

    const CsvStyle& m_style;
    bool m_special[256] = {};
    bool m_longSeparator = false;  ///< a separator of more than one character
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    std::size_t m_cellStart = 0;
    std::size_t m_cells = 0;
    bool m_needsQuotes = false;
    bool m_afterCr = false;
};

}  // namespace brimwell::vcard::csv
