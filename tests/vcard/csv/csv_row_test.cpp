// The cell rules: quoting, doubled quotes, line breaks, separators and line ends.
#include "vcard/csv/csv_row.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brimwell::vcard::csv {
namespace {

struct QuotingCase {
    const char* name;
    CsvStyle style;
    std::vector<std::string> cells;
    const char* line;
};

const CsvStyle kComma{",", false, false};
const CsvStyle kSemicolon{";", false, false};
const CsvStyle kCommaSpace{", ", false, false};
const CsvStyle kQuoteAll{",", true, false};
const CsvStyle kSpaces{",", false, true};

const QuotingCase kQuotingCases[] = {
    {"plain cells", kComma, {"Ann", "Lee"}, "Ann,Lee\r\n"},
    {"empty cells keep their places", kComma, {"", "a", "", ""}, ",a,,\r\n"},
    {"comma inside", kComma, {"Lee, Ann", "x"}, "\"Lee, Ann\",x\r\n"},
    {"semicolon is no separator for comma", kComma, {"a;b"}, "a;b\r\n"},
    {"semicolon inside", kSemicolon, {"a;b", "a,b"}, "\"a;b\";a,b\r\n"},
    {"comma-space inside", kCommaSpace, {"a, b", "a,b"}, "\"a, b\", a,b\r\n"},
    {"quotes doubled", kComma, {"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"},
    {"LF becomes CR LF", kComma, {"a\nb"}, "\"a\r\nb\"\r\n"},
    {"CR LF stays one break", kComma, {"a\r\nb"}, "\"a\r\nb\"\r\n"},
    {"lone CR becomes CR LF", kComma, {"a\rb"}, "\"a\r\nb\"\r\n"},
    {"quote all", kQuoteAll, {"a", "", "b\"c"}, "\"a\",\"\",\"b\"\"c\"\r\n"},
    {"breaks as spaces", kSpaces, {"a\r\nb\nc\rd"}, "a b c d\r\n"},
    {"breaks as spaces still quote a comma", kSpaces, {"a\nb,c"}, "\"a b,c\"\r\n"},
    {"non-Latin text untouched", kComma, {"Ζωή", "山田"}, "Ζωή,山田\r\n"},
};

TEST(csv_row_test, quotes_doubles_and_breaks_as_the_style_says)
{
    for (const QuotingCase& c : kQuotingCases) {
        CsvRow row(c.style);
        for (const std::string& cell : c.cells)
            row.cell(cell);
        row.endLine();
        EXPECT_EQ(row.text(), c.line) << c.name;
    }
}

TEST(csv_row_test, a_cell_in_pieces_is_quoted_as_a_whole_and_lines_follow)
{
    CsvRow row(kComma);
    row.begin();
    row.append("a\r");  // the CR LF is split between two pieces: still one line break
    row.append("\nb, ");
    row.appendNumber(42);
    row.end();
    row.cell("x");
    EXPECT_EQ(row.cellCount(), 2u);
    row.endLine();
    EXPECT_EQ(row.cellCount(), 0u);
    // Lines follow each other in the buffer.
    row.joined({"a", "b,c"}, " ::: ");
    row.emptyCells(2);
    row.endLine();
    EXPECT_EQ(row.text(), "\"a\r\nb, 42\",x\r\n\"a ::: b,c\",,\r\n");
}

TEST(csv_row_test, cells_larger_than_the_buffer_make_it_grow)
{
    const std::string quotes(5000, '"');
    const std::string plain(9000, 'x');
    CsvRow row(kComma);
    row.cell(plain);
    row.cell(quotes);
    row.endLine();
    EXPECT_EQ(row.text(), plain + ",\"" + quotes + quotes + "\"\r\n");
    row.clear();
    row.cell("after");
    row.endLine();
    EXPECT_EQ(row.text(), "after\r\n");
}

}  // namespace
}  // namespace brimwell::vcard::csv
