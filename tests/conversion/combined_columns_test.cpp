#include "conversion/combined_columns.h"

#include <gtest/gtest.h>

namespace brimwell::combined {
namespace {

TEST(combined_columns_test, a_finder_checks_the_name_at_a_remembered_address)
{
    HeaderList headers;
    for (const char* name : {"Email Address 2", "Email Address 3", "Home Phone 2"})
        headers.add(name);
    ColumnFinder finder(headers);
    // One buffer, rewritten between the questions, as a rule's numbered name could be.
    std::string reused = "Email Address 2";
    EXPECT_EQ(finder.find(reused), 0);
    reused = "Email Address 3";
    EXPECT_EQ(finder.find(reused), 1);
    reused = "Home Phone 2";
    EXPECT_EQ(finder.find(reused), 2);
    reused = "Home Phone 9";
    EXPECT_EQ(finder.find(reused), -1);
    EXPECT_EQ(finder.find("Email Address 2"), 0);
}

// A kept line widened to the full header equals the line the row rule builds under it.
TEST(combined_columns_test, kept_lines_widen_to_what_the_row_rule_builds)
{
    for (const std::string separator : {",", ", ", ""}) {
        for (const bool quotes : {false, true}) {
            SCOPED_TRACE(separator + (quotes ? " quoted" : " bare"));
            HeaderList headers;
            RowKeeper keeper(headers, separator);
            keeper.endContact(quotes);                // no column yet
            keeper.field("Display Name", "Ann\r\n");  // line breaks go
            keeper.endContact(quotes);
            keeper.field("Notes", "first");
            keeper.field("Notes", "later");  // the later field wins
            keeper.field("Display Name", "");
            keeper.endContact(quotes);
            keeper.field("Pager", "5");
            keeper.endContact(quotes);
            ASSERT_EQ(headers.size(), 3u);

            const std::vector<std::vector<std::string>> full = {
                {"", "", ""}, {"Ann", "", ""}, {"", "later", ""}, {"", "", "5"}};
            ASSERT_EQ(keeper.rowCount(), full.size());
            for (std::size_t k = 0; k < full.size(); ++k) {
                RowBuilder row(separator);
                for (const auto& value : full[k])
                    row.append(value, RowKind::Data, quotes);
                EXPECT_EQ(keeper.row(k, headers.size(), quotes), row.finish()) << "line " << k;
            }
        }
    }
}

}  // namespace
}  // namespace brimwell::combined
