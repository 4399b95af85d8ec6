#include "conversion/row_writer.h"

#include <gtest/gtest.h>

#include <vector>

namespace brimwell {
namespace {

struct RowCase {
    const char* name;
    std::string separator;
    RowKind kind;
    bool quotes;
    std::vector<std::string> texts;
    std::string expected;
};

class row_writer_test : public testing::TestWithParam<RowCase> {};

TEST_P(row_writer_test, builds_the_line)
{
    const auto& row = GetParam();
    RowBuilder builder(row.separator);
    for (const auto& text : row.texts)
        builder.append(text, row.kind, row.quotes);
    EXPECT_EQ(builder.finish(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    rows, row_writer_test,
    testing::Values(
        RowCase{"comma", ",", RowKind::Data, false, {"Lee", "Ann"}, "Lee,Ann"},
        RowCase{"tab_quoted", "\t", RowKind::Data, true, {"Lee", "Ann"}, "\"Lee\"\t\"Ann\""},
        RowCase{"comma_space_removes_two", ", ", RowKind::Data, false, {"a", "b"}, "a, b"},
        RowCase{"no_separator", "", RowKind::Data, true, {"a", "b"}, "\"a\"\"b\""},
        RowCase{"empty_list", ",", RowKind::Data, true, {}, ""},
        RowCase{"empty_values", ";", RowKind::Data, false, {"", "", ""}, ";;"},
        RowCase{"quotes_and_separators_left_alone", ",", RowKind::Data, true, {"say \"hi\"", "a,b"},
                "\"say \"hi\"\",\"a,b\""},
        RowCase{"data_loses_line_breaks", ",", RowKind::Data, false, {"one\r\ntwo\r", "\n"}, "onetwo,"},
        RowCase{"header_keeps_line_breaks", ",", RowKind::Header, false, {"a\r\nb"}, "a\r\nb"},
        // Long values are copied eight characters at a time: breaks before, inside and
        // after the first eight, and in the last few.
        RowCase{"long_values_lose_line_breaks", ";", RowKind::Data, false,
                {"\r0123456789abcdef", "01234567\n89abcdef", "0123456789abcde\r", "01234567\r\n",
                 "0123456789abcdefghij\n", "0123\r4567"},
                "0123456789abcdef;0123456789abcdef;0123456789abcde;01234567;0123456789abcdefghij;"
                "01234567"},
        RowCase{"long_value_without_breaks", "\t", RowKind::Data, true, {"0123456789abcdefghi"},
                "\"0123456789abcdefghi\""}),
    [](const testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

TEST(row_writer_test, empty_runs_equal_single_empty_appends)
{
    for (const std::string separator : {",", ", ", ""}) {
        for (const bool quotes : {false, true}) {
            SCOPED_TRACE(separator + (quotes ? " quoted" : " bare"));
            RowBuilder one(separator);
            RowBuilder runs(separator);
            one.append("a", RowKind::Data, quotes);
            runs.append("a", RowKind::Data, quotes);
            for (int i = 0; i < 3; ++i)
                one.append("", RowKind::Data, quotes);
            runs.appendEmpty(3, quotes);
            runs.appendEmpty(0, quotes);
            EXPECT_EQ(runs.finish(), one.finish());
        }
    }
}

TEST(row_writer_test, a_cleared_builder_starts_a_new_line)
{
    RowBuilder row(",");
    row.append("a long first line", RowKind::Data, false);
    row.finish();
    row.clear();
    row.append("b", RowKind::Data, false);
    EXPECT_EQ(row.finish(), "b");
}

}  // namespace
}  // namespace brimwell
