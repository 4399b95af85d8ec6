// Rows spooled without their padding and padded once every contact is in, to the bytes of
// rows padded from the start.
#include "vcard/csv/row_spool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "csv_test_support.h"
#include "vcard/csv/contact_csv_layout.h"
#include "vcard/csv/google_layout.h"

namespace brimwell::vcard::csv {
namespace {

/// A group of the test layout: `columns` cells a value; numbered or fixed.
struct GroupSpec {
    bool numbered;
    std::size_t columns;
};

/// Numbered group g has as many values as the contact's note g has characters; a cell
/// holds its group, value and column number, and the first one a comma too.
std::string cellText(std::size_t group, std::size_t index, std::size_t column)
{
    std::string text =
        std::to_string(group) + "." + std::to_string(index) + "." + std::to_string(column);
    return group == 0 && index == 0 && column == 0 ? text + ",\"x\"" : text;
}

std::size_t valueCount(const Contact& contact, std::size_t group)
{
    return group < contact.notes.size() ? contact.notes[group].size() : 0;
}

class TestLayout : public ContactCsvLayout {
public:
    explicit TestLayout(const std::vector<GroupSpec>& groups) : ContactCsvLayout(FieldKinds{})
    {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const auto write = [g, columns = groups[g].columns](const Contact&, std::size_t i,
                                                                CsvRow& row) {
                for (std::size_t column = 0; column < columns; ++column)
                    row.cell(cellText(g, i, column));
            };
            std::vector<std::string_view> names(groups[g].columns, "#");
            if (groups[g].numbered)
                addNumbered(
                    FieldKind::Other, names, [g](const Contact& c) { return valueCount(c, g); },
                    write);
            else
                addFixed(FieldKind::Other, names, write);
        }
    }
};

/// The rows written padded from the start, each group sized to the most values any
/// contact has.
std::string paddedFromTheStart(const std::vector<GroupSpec>& groups,
                               const std::vector<Contact>& contacts, const CsvStyle& style)
{
    std::vector<std::size_t> repeat(groups.size(), 1);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (!groups[g].numbered)
            continue;
        repeat[g] = 0;
        for (const Contact& contact : contacts)
            repeat[g] = std::max(repeat[g], valueCount(contact, g));
    }
    CsvRow row(style);
    for (const Contact& contact : contacts) {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const std::size_t values = groups[g].numbered ? valueCount(contact, g) : 1;
            for (std::size_t i = 0; i < repeat[g]; ++i) {
                for (std::size_t column = 0; column < groups[g].columns; ++column) {
                    if (i < values)
                        row.cell(cellText(g, i, column));
                    else
                        row.emptyCells(1);
                }
            }
        }
        row.endLine();
    }
    return std::string(row.text());
}

/// The contacts from `laterFrom` on go through a layout and spool of their own, appended.
std::string spooledAndPadded(const std::vector<GroupSpec>& groups,
                             const std::vector<Contact>& contacts, const CsvStyle& style,
                             std::size_t laterFrom)
{
    const auto cut = contacts.begin() + static_cast<std::ptrdiff_t>(laterFrom);
    TestLayout layout(groups);
    RowSpool spool = testing::spoolRows(layout, {contacts.begin(), cut}, style);
    TestLayout laterLayout(groups);
    RowSpool later = testing::spoolRows(laterLayout, {cut, contacts.end()}, style);
    layout.widenTo(laterLayout);
    spool.append(later);
    spool.rewind();
    EXPECT_EQ(spool.rowCount(), contacts.size());
    CsvRow row(style);
    UnpaddedRow shape;
    std::string text;
    while (spool.next(text, shape)) {
        layout.paddedRow(text, shape, row);
        row.endLine();
    }
    return std::string(row.text());
}

struct SpoolCase {
    const char* name;
    std::vector<GroupSpec> groups;
    CsvStyle style;
    std::vector<std::vector<std::size_t>> values;  ///< a contact's count for each group
};

constexpr auto numbered = [](std::size_t columns) { return GroupSpec{true, columns}; };
constexpr auto fixed = [](std::size_t columns) { return GroupSpec{false, columns}; };

const std::vector<SpoolCase> kCases = {
    {"groups of different counts",
     {fixed(2), numbered(2), numbered(1), fixed(1), numbered(3)},
     {",", false, false},
     {{0, 2, 1, 0, 0}, {0, 0, 3, 0, 1}, {0, 1, 0, 0, 2}}},
    {"first group numbered, the widest contact last",
     {numbered(2), fixed(1), numbered(1)},
     {";", false, false},
     {{0, 0, 1}, {1, 0, 0}, {3, 0, 2}}},
    {"rows of no cell at all", {numbered(1)}, {",", false, false}, {{0}, {0}}},
    {"no groups at all", {}, {",", true, false}, {{}, {}}},
    {"quote all writes empty cells as quotes",
     {numbered(1), fixed(2), numbered(2)},
     {",", true, false},
     {{0, 0, 2}, {2, 0, 0}}},
    {"a separator of two characters",
     {fixed(1), numbered(2), numbered(1)},
     {", ", false, false},
     {{0, 2, 0}, {0, 0, 2}, {0, 1, 1}}},
};

TEST(row_spool_test, padded_at_the_end_as_if_padded_from_the_start)
{
    for (const SpoolCase& c : kCases) {
        std::vector<Contact> contacts;
        for (const auto& counts : c.values) {
            Contact& contact = contacts.emplace_back();
            for (const std::size_t count : counts)
                contact.notes.emplace_back(count, 'v');
        }
        // In one spool, and in two appended (the first contact alone, then the rest).
        for (const std::size_t laterFrom : {contacts.size(), std::size_t{1}})
            EXPECT_EQ(spooledAndPadded(c.groups, contacts, c.style, laterFrom),
                      paddedFromTheStart(c.groups, contacts, c.style))
                << c.name << ", later part from contact " << laterFrom;
    }
}

TEST(row_spool_test, rows_after_a_mark_are_dropped_also_from_an_appended_spool)
{
    RowSpool spool(1);
    const UnpaddedRow shape{{{1, 1}, {0, 0}}, {1}};
    spool.add("a", shape);
    const RowSpool::Mark mark = spool.mark();
    spool.add("b", shape);
    spool.add("c", shape);
    spool.dropAfter(mark);
    spool.add("d", shape);
    RowSpool other(1);
    other.add("e", shape);
    const RowSpool::Mark otherMark = other.mark();
    other.add("f", shape);
    other.dropAfter(otherMark);
    spool.append(other);
    spool.rewind();
    std::string text;
    std::string all;
    UnpaddedRow back;
    while (spool.next(text, back))
        all += text;
    EXPECT_EQ(all, "ade");
    EXPECT_EQ(back.values, shape.values);
}

}  // namespace
}  // namespace brimwell::vcard::csv
