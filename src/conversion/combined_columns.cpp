#include "conversion/combined_columns.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <stdexcept>

namespace brimwell::combined {

void ColumnCollector::field(std::string_view name, std::string_view)
{
    column(name);
}

std::size_t ColumnCollector::column(std::string_view name)
{
    const long index = m_headers.find(name);
    if (index != -1)
        return static_cast<std::size_t>(index);
    m_headers.add(name);
    return m_headers.size() - 1;
}

void ValuePlacer::field(std::string_view name, std::string_view value)
{
    // A column unknown to the header (a filter box ticked between the passes) has no place.
    const long index = m_headers.find(name);
    if (index != -1)
        m_values[static_cast<std::size_t>(index)].assign(value);
}

void ValuePlacer::clear()
{
    for (auto& value : m_values)
        value.clear();
}

void ValuePlacer::buildRow(RowBuilder& row, bool quotes) const
{
    row.clear();
    for (const auto& value : m_values)
        row.append(value, RowKind::Data, quotes);
}

RowKeeper::RowKeeper(HeaderList& headers, const std::string& separator)
    : ColumnCollector(headers),
      m_row(separator),
      m_separator(separator),
      m_separable(separator.find('\n') == std::string::npos)
{}

void RowKeeper::field(std::string_view name, std::string_view value)
{
    const std::size_t index = column(name);
    if (m_cells.size() <= index)
        m_cells.resize(index + 1);
    // A later field of the same column replaces the earlier one.
    const std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(value.data()) -
                                  reinterpret_cast<std::uintptr_t>(m_contact.data());
    if (offset <= m_contact.size() && value.size() <= m_contact.size() - offset) {
        m_cells[index] = {value.data(), 0, value.size()};
        return;
    }
    m_cells[index] = {nullptr, m_values.size(), value.size()};
    m_values.append(value);
}

void RowKeeper::endContact(bool quotes)
{
    const std::size_t columns = headers().size();
    if (m_widths.empty() || m_widths.back().columns != columns)
        m_widths.push_back({m_rows.size() + m_row.endedLines().size(), columns});
    // Most columns of a contact are empty: they go in runs.
    std::size_t emptyRun = 0;
    for (std::size_t i = 0; i < columns; ++i) {
        const Cell cell = i < m_cells.size() ? m_cells[i] : Cell{};
        if (cell.size == 0) {
            ++emptyRun;
            continue;
        }
        m_row.appendEmpty(emptyRun, quotes);
        emptyRun = 0;
        const char* text = cell.view != nullptr ? cell.view : m_values.data() + cell.begin;
        m_row.append(std::string_view(text, cell.size), RowKind::Data, quotes);
    }
    m_row.appendEmpty(emptyRun, quotes);
    // A data line holds no line break of its own (the row rule takes them out of the
    // values), so the line feed of its CR LF tells where it ends. The lines are built one
    // after another and go to the spool a block at a time.
    m_row.endLine();
    if (m_row.endedLines().size() >= ByteSpool::kBlockSize)
        keepEndedLines();
    m_values.clear();
    std::fill(m_cells.begin(), m_cells.end(), Cell{});
}

void RowKeeper::keepEndedLines()
{
    m_rows.append(m_row.endedLines());
    m_row.clear();
}

bool RowKeeper::replay(std::size_t columns, bool quotes,
                       const std::function<void(std::string_view)>& onLines)
{
    keepEndedLines();
    if (!good())
        return false;
    std::size_t position = 0;  // of the next byte, counted from the first line's start
    auto width = m_widths.begin();
    const bool replayed = m_rows.replay([&](std::string_view bytes) {
        while (!bytes.empty()) {
            while (std::next(width) != m_widths.end() && std::next(width)->firstByte <= position)
                ++width;
            const std::size_t widthEnds = std::next(width) != m_widths.end()
                                              ? std::next(width)->firstByte
                                              : std::string_view::npos;
            const std::string_view lines = bytes.substr(0, widthEnds - position);
            if (width->columns == columns)
                onLines(lines);
            else
                widenLines(lines, width->columns, columns, quotes, onLines);
            position += lines.size();
            bytes.remove_prefix(lines.size());
        }
    });
    if (!replayed && position > 0)
        throw std::runtime_error("the converted lines could not be read back");
    return replayed;
}

void RowKeeper::widenLines(std::string_view bytes, std::size_t from, std::size_t to, bool quotes,
                           const std::function<void(std::string_view)>& onLines)
{
    // Each added column is an empty text, quoted or not, after a separator; a line of no
    // columns gets its first one without a separator in front.
    const std::string_view empty = quotes ? "\"\"" : "";
    m_partial.append(bytes);
    std::string_view left = m_partial;
    for (auto lineFeed = left.find('\n'); lineFeed != std::string_view::npos;
         lineFeed = left.find('\n')) {
        m_widened.assign(left.substr(0, lineFeed - 1));  // without its CR LF
        for (std::size_t column = from; column < to; ++column) {
            if (column > 0)
                m_widened.append(m_separator);
            m_widened.append(empty);
        }
        m_widened.append("\r\n");
        onLines(m_widened);
        left.remove_prefix(lineFeed + 1);
    }
    m_partial.erase(0, m_partial.size() - left.size());
}

}  // namespace brimwell::combined
