#include "vcard/csv/contact_csv_layout.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace brimwell::vcard::csv {

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

void ContactCsvLayout::measure(const Contact& contact)
{
    for (Group& group : m_groups) {
        if (group.count)
            group.repeat = std::max(group.repeat, group.count(contact));
    }
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

void ContactCsvLayout::row(const Contact& contact, CsvRow& row)
{
    prepare(contact);
    for (const Group& group : m_groups) {
        // A contact measured in the first pass never has more values than the group has
        // room for; one that was not is cut to the header rather than shifting columns.
        const std::size_t values = group.count ? group.count(contact) : 1;
        for (std::size_t index = 0; index < group.repeat; ++index) {
            if (index >= values) {
                row.emptyCells(group.columns.size());
                continue;
            }
            [[maybe_unused]] const std::size_t before = row.cellCount();
            group.write(contact, index, row);
            assert(row.cellCount() - before == group.columns.size());
        }
    }
}

std::size_t ContactCsvLayout::columnCount() const
{
    std::size_t count = 0;
    for (const Group& group : m_groups)
        count += group.repeat * group.columns.size();
    return count;
}

}  // namespace brimwell::vcard::csv
