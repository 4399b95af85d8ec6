#include "textio/encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brimwell {
namespace {

using namespace std::string_literals;

struct DecodeRow {
    const char* name;
    std::string input;
    std::string expected;
};

void expectDecodes(const std::vector<DecodeRow>& rows, std::string (*decode)(std::string_view))
{
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(decode(row.input), row.expected);
    }
}

TEST(encoding_test, detects_marks_in_order_with_length_tests)
{
    struct Row {
        const char* name;
        std::string bytes;
        std::size_t fileSize;
        TextEncoding expected;
    };
    const std::vector<Row> rows = {
        {"ff fe alone", "\xFF\xFE", 2, TextEncoding::Utf16},
        {"ff fe 00 00 before ff fe", "\xFF\xFE\0\0"s, 8, TextEncoding::Utf16},
        {"00 00 fe ff", "\0\0\xFE\xFF"s, 4, TextEncoding::Utf16},
        {"fe ff", "\xFE\xFF", 2, TextEncoding::Utf16},
        {"ef bb bf alone", "\xEF\xBB\xBF", 3, TextEncoding::Utf8},
        {"ef bb bf then text", "\xEF\xBB\xBF" "abc", 6, TextEncoding::Utf8},
        {"ef bb bf but file of two bytes", "\xEF\xBB\xBF", 2, TextEncoding::Ansi},
        {"ef bb, a mark cut short", "\xEF\xBB", 2, TextEncoding::Ansi},
        {"two letters ab", "ab", 2, TextEncoding::Ansi},
        {"empty file", "", 0, TextEncoding::Ansi},
        {"utf-8 text without mark", "\xC3\xA9t\xC3\xA9", 6, TextEncoding::Ansi},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(detectEncoding(row.bytes, row.fileSize), row.expected);
    }
}

TEST(encoding_test, utf8_maps_to_windows_1252)
{
    expectDecodes(
        {
            {"ascii with nul", "a\0b"s, "a\0b"s},
            {"latin-1 e acute", "\xC3\xA9", "\xE9"},
            {"y diaeresis U+00FF", "\xC3\xBF", "\xFF"},
            {"euro U+20AC", "\xE2\x82\xAC", "\x80"},
            {"trade mark U+2122", "\xE2\x84\xA2", "\x99"},
            {"Y diaeresis U+0178", "\xC5\xB8", "\x9F"},
            {"U+0081 stands for itself", "\xC2\x81", "\x81"},
            {"U+008D U+008F U+0090 U+009D", "\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x8D\x8F\x90\x9D"},
            {"U+0080 is not in the code page", "\xC2\x80", "?"},
            {"U+0100 just above latin-1", "\xC4\x80", "?"},
            {"cjk U+4E2D", "\xE4\xB8\xAD", "?"},
            {"emoji outside the bmp is one character", "\xF0\x9F\x98\x80", "?"},
            {"mixed", "Ann \xE2\x82\xAC" "5 \xE4\xB8\xAD!", "Ann \x80" "5 ?!"},
        },
        utf8ToAnsi);
}

TEST(encoding_test, invalid_utf8_gives_one_substitute_per_maximal_subpart)
{
    expectDecodes(
        {
            {"lone continuation", "\x80", "?"},
            {"two continuations", "\x80\xBF", "??"},
            {"c0 and c1 never lead", "\xC0\xAF\xC1\xBF", "????"},
            {"three-byte cut at the end", "a\xE2\x82", "a?"},
            {"three-byte cut before ascii", "\xE2\x82" "A", "?A"},
            {"overlong three-byte", "\xE0\x80\x80", "???"},
            {"encoded surrogate", "\xED\xA0\x80", "???"},
            {"above U+10FFFF", "\xF4\x90\x80\x80", "????"},
            {"lead followed by lead", "\xC3\xC3\xA9", "?\xE9"},
            {"unicode standard example", "\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
             "a???b?c??d"},
        },
        utf8ToAnsi);
}

TEST(encoding_test, utf16_maps_to_windows_1252)
{
    expectDecodes(
        {
            {"leading mark skipped", "\xFF\xFE" "A\0"s, "A"},
            {"no mark", "A\0B\0"s, "AB"},
            {"only the mark", "\xFF\xFE", ""},
            {"mark later is a character", "A\0\xFF\xFE"s, "A?"},
            {"euro", "\xAC\x20", "\x80"},
            {"U+0081 stands for itself", "\x81\0"s, "\x81"},
            {"U+0080", "\x80\0"s, "?"},
            {"cjk U+4E2D", "\x2D\x4E", "?"},
            {"surrogate pair is one character", "\x3D\xD8\x00\xDE" "A\0"s, "?A"},
            {"unpaired high surrogate", "\x3D\xD8" "A\0"s, "?A"},
            {"unpaired low surrogate", "\x00\xDE" "A\0"s, "?A"},
            {"high surrogate at the end", "A\0\x3D\xD8"s, "A?"},
            {"two highs then a low", "\x3D\xD8\x3D\xD8\x00\xDE"s, "??"},
            {"odd last byte dropped", "A\0B"s, "A"},
            {"nul character kept", "\0\0A\0"s, "\0A"s},
        },
        utf16LeToAnsi);
}

TEST(encoding_test, decodes_by_encoding_without_the_mark)
{
    struct Row {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"ansi keeps every byte", "\xC3\xA9\xFF\xFE", TextEncoding::Ansi, "\xC3\xA9\xFF\xFE"},
        {"utf8 drops its mark", "\xEF\xBB\xBF\xC3\xA9", TextEncoding::Utf8, "\xE9"},
        {"utf8 only the mark", "\xEF\xBB\xBF", TextEncoding::Utf8, ""},
        {"utf16 drops its mark", "\xFF\xFE" "a\0"s, TextEncoding::Utf16, "a"},
        {"ff fe 00 00 read as utf16", "\xFF\xFE\0\0" "a\0\0\0"s, TextEncoding::Utf16, "\0a\0"s},
        {"big-endian mark read as little-endian", "\xFE\xFF\0a"s, TextEncoding::Utf16, "??"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(decodeToAnsi(row.bytes, row.encoding), row.expected);
    }
}

}  // namespace
}  // namespace brimwell
