#include "base/text_ops.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace brimwell {
namespace {

TEST(text_ops_test, case_is_ignored_for_ascii_letters_only)
{
    struct Row {
        std::string_view a;
        std::string_view b;
        bool equal;
    };
    const Row rows[] = {
        {"BEGIN:VCARD", "begin:vcard", true},
        {"Begin:vCard", "BEGIN:VCARD", true},
        {"", "", true},
        {"ab", "abc", false},
        {"@[`{", "`{@[", false},  // neighbours of the letters stay themselves
        {"\xE9", "\xC9", false},  // é and É: not ASCII, so not the same
        {"\r", "-", false},       // differ only in bit 5, neither a letter
        {"true\0x", std::string_view("TRUE\0x", 6), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " / " + std::string(row.b));
        EXPECT_EQ(text::equalsIgnoringCase(row.a, row.b), row.equal);
        EXPECT_EQ(text::equalsIgnoringCase(row.b, row.a), row.equal);
    }
}

TEST(text_ops_test, contains_finds_a_word_anywhere_in_any_case)
{
    struct Row {
        std::string_view text;
        std::string_view word;
        bool found;
    };
    const Row rows[] = {
        {"TEL;type=work,fax", "FAX", true},
        {"TEL;TYPE=CELL", "cell", true},
        {"TEL;TYPE=CEL", "CELL", false},
        {"FA", "FAX", false},
        {"anything", "", true},
        {"", "", true},
        {"xxWoRk", "WORK", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " / " + std::string(row.word));
        EXPECT_EQ(text::containsIgnoringCase(row.text, row.word), row.found);
    }
}

TEST(text_ops_test, replace_all_never_rescans_what_it_wrote)
{
    struct Row {
        std::string text;
        std::string_view from;
        std::string_view to;
        std::string result;
    };
    const Row rows[] = {
        {"=0=0AA", "=0A", "", "=0A"},           {"a\\nb\\n", "\\n", " ", "a b "},
        {"aaa", "a", "aa", "aaaaaa"},           {"abab", "ab", "", ""},
        {"none here", "=0D", " ", "none here"}, {"\r\r\n", "\r", "", "\n"},
    };
    for (Row row : rows) {
        SCOPED_TRACE(row.result);
        text::replaceAll(row.text, row.from, row.to);
        EXPECT_EQ(row.text, row.result);
    }
}

TEST(text_ops_test, trim_removes_spaces_only)
{
    EXPECT_EQ(text::trimSpaces("  Ann  "), "Ann");
    EXPECT_EQ(text::trimSpaces(" Ann \r"), "Ann \r");
    EXPECT_EQ(text::trimSpaces("\tAnn"), "\tAnn");
    EXPECT_EQ(text::trimSpaces("   "), "");
}

}  // namespace
}  // namespace brimwell
