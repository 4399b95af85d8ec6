// The text helpers, the window title and the error trap.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "base/error_trap.h"
#include "base/messages.h"
#include "base/text_ops.h"
#include "support/scripted_window.h"

namespace brimwell {
namespace {

using Texts = std::vector<std::string>;

TEST(text_ops_test, case_is_ignored_for_ascii_letters_only)
{
    const std::tuple<std::string_view, std::string_view, bool> rows[] = {
        {"BEGIN:VCARD", "begin:vcard", true},
        {"Begin:vCard", "BEGIN:VCARD", true},
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
        {"anything", "", true},
        {"", "", true},
        {"xxWoRk", "WORK", true},
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

TEST(messages_test, title_drops_last_words_down_to_forty_characters)
{
    EXPECT_EQ(SetApplicationTitle("Brimwell"), "Brimwell");
    EXPECT_EQ(SetApplicationTitle("Brimwell Contact Converter"), "Brimwell Contact");
    EXPECT_EQ(SetApplicationTitle(std::string(36, 'x') + " abcd z"),
              std::string(36, 'x'));  // 41 still too long
    EXPECT_EQ(SetApplicationTitle(std::string(45, 'x') + " y"), std::string(45, 'x'));
}

TEST(error_trap_test, reports_each_failing_step_and_goes_on_with_the_next)
{
    test::ScriptedWindow window;
    ErrorTrap trap(window, "AddFolder", "GetSubDirectories2016", "Tag");
    std::vector<int> ran;
    EXPECT_TRUE(trap.step(1, [&] { ran.push_back(1); }));
    EXPECT_FALSE(trap.step(2, [] { throw std::bad_alloc(); }));
    trap.step(3, [&] { ran.push_back(3); });
    trap.step(4, [] { throw 42; });
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    EXPECT_EQ(trap.reportCount(), 2);
    const std::string at = "\r\nin Tag.AddFolder.GetSubDirectories2016 at line ";
    const std::string ask = "\r\rPlease email screenshot of this message to support@brimwell.app";
    EXPECT_EQ(window.errorReports(),
              (Texts{"Out of memory" + at + "2" + ask, "Unknown error" + at + "4" + ask}));
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Exclamation);
}

}  // namespace
}  // namespace brimwell
