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
        RowCase{"header_keeps_line_breaks", ",", RowKind::Header, false, {"a\r\nb"}, "a\r\nb"}),
    [](const testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace brimwell
