// ASCII letter case, word search, replacing and trimming.
#include "base/text_ops.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>

namespace brimwell {
namespace {

TEST(text_ops_test, case_is_ignored_for_ascii_letters_only)
{
    const std::tuple<std::string_view, std::string_view, bool> rows[] = {
        {"BEGIN:VCARD", "begin:vcard", true},
        {"", "", true},
        {"ab", "abc", false},
        {"@[`{", "`{@[", false},  // neighbours of the letters stay themselves
        {"\xE9", "\xC9", false},  // é and É: not ASCII, so not the same
        {"\r", "-", false},       // differ only in bit 5, neither a letter
        {"true\0x", std::string_view("TRUE\0x", 6), false},
    };
    for (const auto& [a, b, equal] : rows) {
        SCOPED_TRACE(std::string(a) + " / " + std::string(b));
        EXPECT_EQ(text::equalsIgnoringCase(a, b), equal);
        EXPECT_EQ(text::equalsIgnoringCase(b, a), equal);
    }
}

TEST(text_ops_test, contains_finds_a_word_anywhere_in_any_case)
{
    const std::tuple<std::string_view, std::string_view, bool> rows[] = {
        {"TEL;type=work,fax", "FAX", true},
        {"TEL;TYPE=CELL", "cell", true},
        {"TEL;TYPE=CEL", "CELL", false},
        {"FA", "FAX", false},
        {"", "", true},
    };
    for (const auto& [text, word, found] : rows)
        EXPECT_EQ(text::containsIgnoringCase(text, word), found) << text << " / " << word;
}

TEST(text_ops_test, replace_all_never_rescans_what_it_wrote_and_trim_removes_spaces_only)
{
    const std::tuple<std::string, std::string_view, std::string_view, std::string> rows[] = {
        {"=0=0AA", "=0A", "", "=0A"},           {"a\\nb\\n", "\\n", " ", "a b "},
        {"aaa", "a", "aa", "aaaaaa"},           {"abab", "ab", "", ""},
        {"none here", "=0D", " ", "none here"}, {"\r\r\n", "\r", "", "\n"},
    };
    for (auto [text, from, to, result] : rows) {
        text::replaceAll(text, from, to);
        EXPECT_EQ(text, result);
    }
    const std::pair<std::string_view, std::string_view> trims[] = {
        {"  Ann  ", "Ann"}, {" Ann \r", "Ann \r"}, {"\tAnn", "\tAnn"}, {"   ", ""}};
    for (const auto& [text, trimmed] : trims)
        EXPECT_EQ(text::trimSpaces(text), trimmed);
}

}  // namespace
}  // namespace brimwell
