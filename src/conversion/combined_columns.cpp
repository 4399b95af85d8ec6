#include "conversion/combined_columns.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace brimwell::combined {

void ColumnCollector::field(std::string_view name, std::string_view)
{
    column(name);
}

std::size_t ColumnCollector::column(std::string_view name)
{
    const long index = m_columns.find(name);
    if (index != -1)
        return static_cast<std::size_t>(index);
    m_headers.add(name);
    return m_headers.size() - 1;
}

void ValuePlacer::field(std::string_view name, std::string_view value)
{
    // A column unknown to the header (a filter box ticked between the passes) has no place.
    const long index = m_columns.find(name);
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

void RowKeeper::field(std::string_view name, std::string_view value)
{
    const std::size_t index = column(name);
    if (m_cells.size() <= index)
        m_cells.resize(index + 1);
    // A later field of the same column replaces the earlier one.
    m_cells[index] = {m_values.size(), value.size()};
    m_values.append(value);
}

void RowKeeper::endContact(bool quotes)
{
    const std::size_t columns = headers().size();
    m_row.clear();
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
        m_row.append(std::string_view(m_values.data() + cell.begin, cell.size), RowKind::Data,
                     quotes);
    }
    m_row.appendEmpty(emptyRun, quotes);
    if (m_widths.empty() || m_widths.back().columns != columns)
        m_widths.push_back({m_rows.count(), columns});
    m_rows.append(m_row.finish());
    m_values.clear();
    std::fill(m_cells.begin(), m_cells.end(), Cell{});
}

bool RowKeeper::replay(std::size_t columns, bool quotes,
                       const std::function<void(std::string_view)>& onRow)
{
    // Each added column is an empty text, quoted or not, after a separator; a line of no
    // columns gets its first one without a separator in front.
    const std::string_view empty = quotes ? "\"\"" : "";
    std::size_t index = 0;
    auto width = m_widths.begin();
    const bool replayed = m_rows.replay([&](std::string_view line) {
        if (std::next(width) != m_widths.end() && std::next(width)->firstRow == index)
            ++width;
        ++index;
        if (width->columns == columns)
            return onRow(line);
        m_widened.assign(line);
        for (std::size_t column = width->columns; column < columns; ++column) {
            if (column > 0)
                m_widened.append(m_separator);
            m_widened.append(empty);
        }
        onRow(m_widened);
    });
    if (!replayed && index > 0)
        throw std::runtime_error("the converted lines could not be read back");
    return replayed;
}

}  // namespace brimwell::combined
