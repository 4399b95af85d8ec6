#include "vcard/csv/contact_csv_layout.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <stdexcept>
#include <utility>

#include "vcard/csv/contact_text.h"

namespace brimwell::vcard::csv {
namespace {

std::uint32_t narrow(std::size_t value)
{
    if (value > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("A CSV row of more than 4 GiB");
    return std::uint32_t(value);
}

}  // namespace

void ContactCsvLayout::addFixed(FieldKind kind, std::vector<std::string_view> columns,
                                WriteCells write)
{
    if (m_kinds.keeps(kind))
        m_groups.push_back({kind, std::move(columns), {}, std::move(write), 1});
}

void ContactCsvLayout::addNumbered(FieldKind kind, std::vector<std::string_view> columns,
                                   CountValues count, WriteCells write)
{
    if (m_kinds.keeps(kind))
        m_groups.push_back({kind, std::move(columns), std::move(count), std::move(write), 0});
}

void ContactCsvLayout::header(CsvRow& row) const
{
    for (const Group& group : m_groups) {
        for (std::size_t n = 1; n <= group.repeat; ++n) {
            for (const std::string_view column : group.columns) {
                const std::size_t mark = group.count ? column.find('#') : column.npos;
                if (mark == column.npos) {
                    row.cell(column);
                    continue;
                }
                row.begin();
                row.append(column.substr(0, mark));
                row.appendNumber(unsigned(n));
                row.append(column.substr(mark + 1));
                row.end();
            }
        }
    }
}

void ContactCsvLayout::unpaddedRow(const Contact& contact, CsvRow& row, UnpaddedRow& shape)
{
    prepare(contact);
    shape.runs.clear();
    shape.values.clear();
    std::size_t runStart = row.text().size();
    std::size_t runCells = row.cellCount();
    const auto endRun = [&] {
        shape.runs.push_back(
            {narrow(row.text().size() - runStart), narrow(row.cellCount() - runCells)});
        runStart = row.text().size();
        runCells = row.cellCount();
    };
    for (Group& group : m_groups) {
        const std::size_t values = group.count ? group.count(contact) : 1;
        for (std::size_t index = 0; index < values; ++index) {
            [[maybe_unused]] const std::size_t before = row.cellCount();
            group.write(contact, index, row);
            assert(row.cellCount() - before == group.columns.size());
        }
        if (group.count) {
            group.repeat = std::max(group.repeat, values);
            endRun();
            shape.values.push_back(narrow(values));
        }
    }
    endRun();
}

void ContactCsvLayout::paddedRow(std::string_view text, const UnpaddedRow& shape, CsvRow& row) const
{
    std::size_t offset = 0;
    std::size_t cellsBefore = 0;  ///< in the unpadded row
    const auto copyRun = [&](const UnpaddedRow::Run& run) {
        row.writtenCells(text.substr(offset, run.bytes), run.cells, cellsBefore != 0);
        offset += run.bytes;
        cellsBefore += run.cells;
    };
    std::size_t point = 0;
    for (const Group& group : m_groups) {
        if (!group.count)
            continue;
        copyRun(shape.runs[point]);
        row.emptyCells((group.repeat - shape.values[point]) * group.columns.size());
        ++point;
    }
    copyRun(shape.runs[point]);
}

void ContactCsvLayout::widenTo(const ContactCsvLayout& other)
{
    if (other.m_groups.size() != m_groups.size())
        throw std::logic_error("ContactCsvLayout: a layout of another kind");
    for (std::size_t i = 0; i < m_groups.size(); ++i)
        m_groups[i].repeat = std::max(m_groups[i].repeat, other.m_groups[i].repeat);
}

void ContactCsvLayout::dateCell(const DateValue& date, CsvRow& row)
{
    m_date.clear();
    appendIsoDate(date, m_date);
    row.cell(m_date);
}

std::size_t ContactCsvLayout::numberedGroupCount() const
{
    return std::size_t(std::count_if(m_groups.begin(), m_groups.end(),
                                     [](const Group& group) { return bool(group.count); }));
}

std::size_t ContactCsvLayout::columnCount() const
{
    std::size_t count = 0;
    for (const Group& group : m_groups)
        count += group.repeat * group.columns.size();
    return count;
}

}  // namespace brimwell::vcard::csv
